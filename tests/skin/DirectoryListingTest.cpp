#include "skin/DirectoryListing.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>

#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

void Touch(const wchar_t* path) { std::ofstream(path) << "x"; }

std::wstring WorkingDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return buffer;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DirectoryListing, ListsMatchingFilesHiddenOnesTooAndFoldersApart) {
    test::TempFolder folder;
    CreateDirectoryW(L"skin", nullptr);
    Touch(L"skin\\b.bmp");
    Touch(L"skin\\a.bmp");
    Touch(L"skin\\\u30cf\u30ca.bmp");  // "ハナ.bmp"
    Touch(L"skin\\hidden.bmp");
    SetFileAttributesW(L"skin\\hidden.bmp", FILE_ATTRIBUTE_HIDDEN);
    Touch(L"skin\\notes.txt");
    CreateDirectoryW(L"skin\\x.bmp", nullptr);
    const std::wstring before = WorkingDirectory();

    DirectoryListing listing;
    listing.folder = ".\\skin";
    listing.pattern = "*.bmp";
    listing.List();

    EXPECT_EQ(Sorted(listing.fileNames),
              (std::vector<std::string>{"a.bmp", "b.bmp", "hidden.bmp", "\x83\x6e\x83\x69.bmp"}));
    EXPECT_EQ(listing.fileCount, 4);
    EXPECT_EQ(listing.directoryNames, (std::vector<std::string>{"x.bmp"}));
    EXPECT_EQ(listing.directoryCount, 1);
    EXPECT_EQ(WorkingDirectory(), before);

    // Listing again starts afresh rather than appending.
    listing.List();
    EXPECT_EQ(listing.fileCount, 4);
}

TEST(DirectoryListing, AMissingFolderGivesEmptyListsAndLeavesTheWorkingDirectory) {
    test::TempFolder folder;
    const std::wstring before = WorkingDirectory();
    DirectoryListing listing;
    listing.folder = ".\\skin";
    listing.pattern = "*.bmp";
    listing.List();
    EXPECT_EQ(listing.fileCount, 0);
    EXPECT_EQ(listing.directoryCount, 0);
    EXPECT_TRUE(listing.fileNames.empty());
    EXPECT_EQ(WorkingDirectory(), before);
}

}  // namespace
}  // namespace torvin
