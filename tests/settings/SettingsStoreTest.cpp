#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/Cp932Texts.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsWriteWatch.h"
#include "tests/support/MemoryFileSystem.h"

#ifdef _WIN32
#include <windows.h>

#include "settings/WinFileSystem.h"
#include "tests/support/TempFolder.h"
#endif

namespace torvin {
namespace {

#ifdef _WIN32
// The real file system, working in a fresh folder for the life of the object.
class OnDisk : public WinFileSystem {
    test::TempFolder folder_;
};
#endif

// The same cases run in memory and, on Windows, on the real file system.
class SettingsStoreTest : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
#ifdef _WIN32
        if (GetParam()) {
            fs_ = std::make_unique<OnDisk>();
            return;
        }
#endif
        fs_ = std::make_unique<test::MemoryFileSystem>();
    }

    FileSystem& fs() {
        return *fs_;
    }
    void Put(const std::string& bytes) {
        ASSERT_TRUE(fs().WriteWhole(kSettingsFileName, bytes));
    }
    std::string Get(const std::string& name = kSettingsFileName) {
        return fs().ReadWhole(name).value_or("?");
    }

    std::unique_ptr<FileSystem> fs_;
};

// "ハナ" active, and "ポチ".
const std::string kFile = std::string(cp932::kVersionText) +
                          "\r\n\r\nC:\\Host\r\n0\r\n\r\n0\r\n2\r\n\r\n\x83\x6e\x83\x69\r\n\r\n"
                          "\x83\x6e\x83\x69\r\n\r\n\r\nhana\r\npass\r\n0\r\n------\r\n"
                          "\x83\x7c\x83\x60\r\n\r\n\r\n\r\n\r\n1\r\n------\r\n";

// Only a missing file is a first start. Each damaged or older file is kept under a new name
// before it is rewritten from what could be read; an earlier kept copy is never overwritten.
TEST_P(SettingsStoreTest, DamagedAndOlderFilesAreKeptBesideBeforeTheyAreRewritten) {
    AppSettings s;
    EXPECT_EQ(ReadSettingsAtStart(fs(), s).outcome, StartRead::kMissing);
    EXPECT_TRUE(NothingToRecord(fs(), s));
    ASSERT_TRUE(fs().MakeFolder(kSettingsFileName));  // exists, but cannot be read: left alone
    EXPECT_EQ(ReadSettingsAtStart(fs(), s).outcome, StartRead::kUnreadable);
    ASSERT_TRUE(fs().RemoveFolder(kSettingsFileName));
    const std::string older = "a\r\nb\r\nc\r\nd\r\nC:\\Old\r\n2\r\nB\r\nA\r\nB\r\n";
    int n = 0;
    for (const std::string& original : {std::string{}, kFile.substr(0, kFile.size() - 20), older}) {
        Put(original);
        const StartReadResult result = ReadSettingsAtStart(fs(), s);
        EXPECT_EQ(result.outcome, StartRead::kRepaired);
        EXPECT_EQ(result.keptCopy, std::string(kSettingsFileName) + ".kept" + std::to_string(++n));
        EXPECT_EQ(Get(result.keptCopy), original);
        AppSettings again;
        EXPECT_EQ(ReadSettingsAtStart(fs(), again).outcome, StartRead::kRead);
        EXPECT_EQ(FormatSettings(again), FormatSettings(s));
    }
    EXPECT_TRUE(fs().PathExists(kSkinFolderName));
    EXPECT_EQ(s.pets[1].name, "B");
}

TEST_P(SettingsStoreTest, AFailedWriteLeavesTheFileAndTheRecordAsTheyWere) {
    Put(kFile);
    AppSettings s;
    ASSERT_TRUE(ReadSettings(fs(), s));
    // A folder where the temporary file would go makes the write fail before anything changed.
    ASSERT_TRUE(fs().MakeFolder(std::string(kSettingsFileName) + ".tmp"));
    EXPECT_FALSE(WriteSettingsWithoutPet(fs(), s, 0));
    EXPECT_EQ(s.petCount, 2);
    EXPECT_EQ(Get(), kFile);
    ASSERT_TRUE(fs().RemoveFolder(std::string(kSettingsFileName) + ".tmp"));
    ASSERT_TRUE(WriteSettingsWithoutPet(fs(), s, 0));
    EXPECT_TRUE(s.activePet.empty());
    EXPECT_EQ(s.pets[0].name, "\x83\x7c\x83\x60");
}

// Writers that do not look at the result still get their failure told, once.
TEST_P(SettingsStoreTest, TheWatchTellsAFailedWriteOfSettingsOnce) {
    SettingsWriteWatch watch(fs());
    ASSERT_TRUE(fs().MakeFolder(std::string(kSettingsFileName) + ".tmp"));
    EXPECT_FALSE(WriteSettings(watch, AppSettings{}));
    EXPECT_TRUE(watch.TakeFailedWrite());
    EXPECT_FALSE(watch.TakeFailedWrite());
    ASSERT_TRUE(fs().RemoveFolder(std::string(kSettingsFileName) + ".tmp"));
    EXPECT_TRUE(WriteSettings(watch, AppSettings{}));
    EXPECT_FALSE(watch.TakeFailedWrite());
}

INSTANTIATE_TEST_SUITE_P(MemoryAndDisk, SettingsStoreTest, testing::Values(false, true));

#ifdef _WIN32
// Copies of a read-only live file must not stay read-only, or the next replace fails for ever;
// names with bytes that are not CP932 name no file rather than another pet's folder.
TEST(WinFileSystem, CopiesAreNeverReadOnlyAndInvalidNamesNameNoFile) {
    OnDisk fs;
    ASSERT_TRUE(fs.WriteWhole("live", "data"));
    SetFileAttributesW(L"live", FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(fs.CopyNoOverwrite("live", "copy"));
    ASSERT_TRUE(fs.MoveReplacing("live", "moved"));
    EXPECT_TRUE(fs.WriteWhole("copy", "over") && fs.RemoveFile("moved"));
    EXPECT_TRUE(fs.MakeFolder("A\x81\x45"));  // "A・"
    EXPECT_FALSE(fs.MakeFolder("A\x85\x40"));
    EXPECT_FALSE(fs.SameEntryName("A\x85\x40", "A\x81\x45"));
    EXPECT_TRUE(fs.SameEntryName("\x83\x9f", "\x83\xbf"));  // Greek "Α" and "α"
}
#endif

}  // namespace
}  // namespace torvin
