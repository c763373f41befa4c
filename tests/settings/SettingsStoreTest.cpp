#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "settings/Cp932Texts.h"
#include "settings/SettingsFormat.h"
#include "tests/support/MemoryFileSystem.h"

#ifdef _WIN32
#include "settings/WinFileSystem.h"
#include "tests/support/TempFolder.h"
#endif

namespace torvin {
namespace {

// The same cases run in memory and, on Windows, on the real file system in a fresh folder.
struct Backend {
    const char* name;
    std::function<std::unique_ptr<FileSystem>()> make;
};

#ifdef _WIN32
// The real file system, working in a fresh folder for the life of the object.
class OnDisk : public WinFileSystem {
    test::TempFolder folder_;
};
#endif

class SettingsStoreTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override { fs_ = GetParam().make(); }

    FileSystem& fs() { return *fs_; }
    void Put(const std::string& bytes) { ASSERT_TRUE(fs().WriteWhole(kSettingsFileName, bytes)); }
    std::string Get() { return fs().ReadWhole(kSettingsFileName).value_or("<missing>"); }

    std::unique_ptr<FileSystem> fs_;
};

std::string CurrentFile() {
    // "ハナ" and "ポチ" as CP932, a host folder with a blank, and a Japanese skin file name.
    return std::string(cp932::kVersionText) +
           "\r\n\r\nC:\\Program Files\\Nimbrel\r\n3\r\n\x83\x65\x83\x58\x83\x67.bmp\r\n1\r\n2\r\n\r\n"
           "\x83\x6e\x83\x69\r\n\r\n"
           "\x83\x6e\x83\x69\r\nhana@example.jp\r\npop.example.jp\r\nhana\r\npass\r\n0\r\n------\r\n"
           "\x83\x7c\x83\x60\r\n\r\n\r\n\r\n\r\n1\r\n------\r\n";
}

TEST_P(SettingsStoreTest, NoFileOrAnEmptyFileReadsAsNoSettings) {
    AppSettings s;
    s.versionText = cp932::kVersionText;
    EXPECT_FALSE(ReadSettings(fs(), s));
    EXPECT_EQ(s.versionText, cp932::kVersionText);
    Put("");
    EXPECT_FALSE(ReadSettings(fs(), s));
}

TEST_P(SettingsStoreTest, ReadThenWriteLeavesACurrentFileByteIdentical) {
    Put(CurrentFile());
    AppSettings s;
    ASSERT_TRUE(ReadSettings(fs(), s));
    EXPECT_EQ(s.pets[0].name, "\x83\x6e\x83\x69");
    EXPECT_EQ(s.hostDir, "C:\\Program Files\\Nimbrel");
    ASSERT_TRUE(WriteSettings(fs(), s));
    EXPECT_EQ(Get(), CurrentFile());
}

TEST_P(SettingsStoreTest, BareLineFeedsAndAMissingLastBreakAreReadAndWrittenBackAsCrLf) {
    std::string bare = CurrentFile();
    std::string lf;
    for (char c : bare) {
        if (c != '\r') {
            lf += c;
        }
    }
    lf.pop_back();
    Put(lf);
    AppSettings s;
    ASSERT_TRUE(ReadSettings(fs(), s));
    ASSERT_TRUE(WriteSettings(fs(), s));
    EXPECT_EQ(Get(), CurrentFile());
}

TEST_P(SettingsStoreTest, OlderFileIsConvertedInPlaceAndGetsASkinFolder) {
    Put("a\r\nb\r\nc\r\nd\r\nC:\\Old\r\n2\r\nB\r\nA\r\nB\r\n");
    AppSettings s;
    ASSERT_TRUE(ReadSettings(fs(), s));
    EXPECT_TRUE(fs().PathExists(kSkinFolderName));
    AppSettings again;
    ASSERT_TRUE(ReadSettings(fs(), again));
    EXPECT_EQ(again.versionText, cp932::kVersionText);
    EXPECT_EQ(again.petCount, 2);
    EXPECT_EQ(again.pets[1].name, "B");
    EXPECT_EQ(again.pets[1].mailCheckChoice, 1);
}

TEST_P(SettingsStoreTest, OlderFileThatEndsEarlyStillCountsAsSettingsButIsNotRewritten) {
    const std::string old = "a\r\nb\r\nc\r\nd\r\nC:\\Old\r\n3\r\nA\r\nA\r\n";
    Put(old);
    AppSettings s;
    EXPECT_TRUE(ReadSettings(fs(), s));
    EXPECT_EQ(s.petCount, 3);
    EXPECT_EQ(s.pets[0].name, "A");
    EXPECT_EQ(Get(), old);
    EXPECT_FALSE(fs().PathExists(kSkinFolderName));
}

TEST_P(SettingsStoreTest, AFailedWriteReturnsFalseAndLeavesTheOldFileIntact) {
    Put(CurrentFile());
    // A folder where the temporary file would go makes the write fail after nothing was touched.
    ASSERT_TRUE(fs().MakeFolder(std::string(kSettingsFileName) + ".tmp"));
    AppSettings s;
    ASSERT_TRUE(ReadSettings(fs(), s));
    s.petCount = 0;
    EXPECT_FALSE(WriteSettings(fs(), s));
    EXPECT_EQ(Get(), CurrentFile());
}

TEST_P(SettingsStoreTest, DeletingAPetWritesTheFileFirstAndOnlyThenCompactsTheRecord) {
    Put(CurrentFile());
    AppSettings s;
    ASSERT_TRUE(ReadSettings(fs(), s));
    s.petCount = 3;
    s.pets[2] = {"Tama", "t@x", "pop.t", "tama", "pw", 0};

    ASSERT_TRUE(fs().MakeFolder(std::string(kSettingsFileName) + ".tmp"));
    EXPECT_FALSE(WriteSettingsWithoutPet(fs(), s, 0));
    EXPECT_EQ(s.petCount, 3);
    EXPECT_EQ(s.activePet, "\x83\x6e\x83\x69");
    EXPECT_EQ(Get(), CurrentFile());
    ASSERT_TRUE(fs().RemoveFolder(std::string(kSettingsFileName) + ".tmp"));

    ASSERT_TRUE(WriteSettingsWithoutPet(fs(), s, 0));
    EXPECT_EQ(s.petCount, 2);
    EXPECT_TRUE(s.activePet.empty());
    EXPECT_EQ(s.pets[1].name, "Tama");
    EXPECT_EQ(s.pets[1].popServer, "pop.t");
    EXPECT_TRUE(s.pets[2].name.empty());
    AppSettings read;
    ASSERT_TRUE(ReadSettings(fs(), read));
    EXPECT_EQ(FormatSettings(read), FormatSettings(s));
}

TEST_P(SettingsStoreTest, PathExistsFindsFoldersAndWildcardMatches) {
    ASSERT_TRUE(fs().MakeFolder("skin"));
    ASSERT_TRUE(fs().WriteWhole("skin\\blue.bmp", "BM"));
    EXPECT_TRUE(fs().PathExists("skin"));
    EXPECT_TRUE(fs().PathExists("skin\\*.bmp"));
    EXPECT_TRUE(fs().PathExists("skin\\bl?e.bmp"));
    EXPECT_FALSE(fs().PathExists("skin\\*.png"));
    EXPECT_FALSE(fs().PathExists("nothing"));
}

std::vector<Backend> Backends() {
    std::vector<Backend> out{{"Memory", [] { return std::make_unique<test::MemoryFileSystem>(); }}};
#ifdef _WIN32
    out.push_back({"Disk", [] { return std::make_unique<OnDisk>(); }});
#endif
    return out;
}

INSTANTIATE_TEST_SUITE_P(Backends, SettingsStoreTest, testing::ValuesIn(Backends()),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace torvin
