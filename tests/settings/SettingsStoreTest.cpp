#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "settings/Cp932Texts.h"
#include "settings/SettingsFormat.h"
#include "tests/support/MemoryFileSystem.h"

#ifdef _WIN32
#include <windows.h>

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
class OnDisk : public WinFileSystem {
    test::TempFolder folder_;
};
#endif

class SettingsStoreTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override { fs_ = GetParam().make(); }

    FileSystem& fs() { return *fs_; }
    void Put(const std::string& bytes) { ASSERT_TRUE(fs().WriteWhole(kSettingsFileName, bytes)); }
    std::string Get(const std::string& name = kSettingsFileName) { return fs().ReadWhole(name).value_or("<missing>"); }

    std::unique_ptr<FileSystem> fs_;
};

std::string CurrentFile() {
    // "ハナ" and "ポチ", a host folder with a blank, and a Japanese skin file name.
    return std::string(cp932::kVersionText) +
           "\r\n\r\nC:\\Program Files\\Nimbrel\r\n3\r\n\x83\x65\x83\x58\x83\x67.bmp\r\n1\r\n2\r\n\r\n"
           "\x83\x6e\x83\x69\r\n\r\n"
           "\x83\x6e\x83\x69\r\nhana@example.jp\r\npop.example.jp\r\nhana\r\npass\r\n0\r\n------\r\n"
           "\x83\x7c\x83\x60\r\n\r\n\r\n\r\n\r\n1\r\n------\r\n";
}

TEST_P(SettingsStoreTest, OnlyAMissingFileIsAFirstStartAndACurrentOneWritesBackIdentically) {
    AppSettings s;
    EXPECT_EQ(ReadSettingsAtStart(fs(), s).outcome, StartRead::kMissing);
    EXPECT_TRUE(NothingToRecord(fs(), s));
    Put(CurrentFile());
    EXPECT_EQ(ReadSettingsAtStart(fs(), s).outcome, StartRead::kRead);
    ASSERT_TRUE(WriteSettings(fs(), s));
    EXPECT_EQ(Get(), CurrentFile());
    EXPECT_FALSE(NothingToRecord(fs(), AppSettings{}));
}

// Each damaged or older file is kept under a new name before it is rewritten from what could
// be read; an earlier kept copy is never overwritten.
TEST_P(SettingsStoreTest, DamagedAndOlderFilesAreKeptBesideBeforeTheyAreRewritten) {
    const std::string cut = CurrentFile().substr(0, CurrentFile().size() - 20);
    const std::string older = "a\r\nb\r\nc\r\nd\r\nC:\\Old\r\n2\r\nB\r\nA\r\nB\r\n";
    int n = 0;
    for (const std::string& original : {std::string{}, cut, older}) {
        Put(original);
        AppSettings s;
        const StartReadResult result = ReadSettingsAtStart(fs(), s);
        EXPECT_EQ(result.outcome, StartRead::kRepaired);
        EXPECT_EQ(result.keptCopy, std::string(kSettingsFileName) + ".kept" + std::to_string(++n));
        EXPECT_EQ(Get(result.keptCopy), original);
        AppSettings again;
        EXPECT_EQ(ReadSettingsAtStart(fs(), again).outcome, StartRead::kRead);
        EXPECT_EQ(FormatSettings(again), FormatSettings(s));
    }
    EXPECT_TRUE(fs().PathExists(kSkinFolderName));
    AppSettings s;
    ReadSettings(fs(), s);
    EXPECT_EQ(s.pets[1].name, "B");
}

TEST_P(SettingsStoreTest, AFileThatCannotBeReadIsLeftAlone) {
    ASSERT_TRUE(fs().MakeFolder(kSettingsFileName));
    AppSettings s;
    EXPECT_EQ(ReadSettingsAtStart(fs(), s).outcome, StartRead::kUnreadable);
    EXPECT_FALSE(fs().PathExists(std::string(kSettingsFileName) + ".kept1"));
}

TEST_P(SettingsStoreTest, AFailedWriteLeavesTheFileAndTheRecordAsTheyWere) {
    Put(CurrentFile());
    AppSettings s;
    ASSERT_TRUE(ReadSettings(fs(), s));
    // A folder where the temporary file would go makes the write fail before anything changed.
    ASSERT_TRUE(fs().MakeFolder(std::string(kSettingsFileName) + ".tmp"));
    EXPECT_FALSE(WriteSettingsWithoutPet(fs(), s, 0));
    EXPECT_EQ(s.petCount, 2);
    EXPECT_EQ(Get(), CurrentFile());
    ASSERT_TRUE(fs().RemoveFolder(std::string(kSettingsFileName) + ".tmp"));
    ASSERT_TRUE(WriteSettingsWithoutPet(fs(), s, 0));
    EXPECT_TRUE(s.activePet.empty());
    EXPECT_EQ(s.pets[0].name, "\x83\x7c\x83\x60");
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
