#include "pets/PetSwap.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"
#include "tests/support/FaultyFileSystem.h"

namespace torvin {
namespace {

using test::kHostDir;

// Pets A (active, its data live in the host folder, an older copy stored), B (stored copy),
// and C (added, never launched).
class PetSwapTest : public testing::Test {
  protected:
    void SetUp() override {
        settings.versionText = cp932::kVersionText;
        settings.hostDir = kHostDir;
        settings.petCount = 3;
        settings.pets[0].name = "A";
        settings.pets[1].name = "B";
        settings.pets[2].name = "C";
        settings.activePet = "A";
        world.fs.folders.insert(StorageRootPath());
        for (const char* pet : {"A", "B", "C"}) {
            world.fs.folders.insert(PetFolderPath(pet));
        }
        world.fs.files[PetSettingsPath("A")] = "A old";
        world.fs.files[PetSettingsPath("B")] = "B data";
        world.SetLive("A new");
        ASSERT_TRUE(WriteSettings(world.fs, settings));
    }

    test::PetWorld world;
    AppSettings settings;
};

TEST_F(PetSwapTest, SavesTheActivePetAndPutsTheChosenOneInPlace) {
    EXPECT_EQ(SwapInPet(world.fs, settings, "B"), PetError::kNone);
    EXPECT_EQ(world.Stored("A"), "A new");
    EXPECT_EQ(world.Live(), "B data");
    EXPECT_EQ(world.Stored("B"), "B data");
    EXPECT_EQ(settings.activePet, "B");
    EXPECT_EQ(world.ReadBack().activePet, "B");
}

TEST_F(PetSwapTest, APetWithoutAStoredFileStartsWithNoLiveFile) {
    EXPECT_EQ(SwapInPet(world.fs, settings, "C"), PetError::kNone);
    EXPECT_EQ(world.Stored("A"), "A new");
    EXPECT_FALSE(world.Live());
    EXPECT_EQ(world.ReadBack().activePet, "C");
}

TEST_F(PetSwapTest, RelaunchingTheActivePetKeepsItsNewestData) {
    EXPECT_EQ(SwapInPet(world.fs, settings, "A"), PetError::kNone);
    EXPECT_EQ(world.Live(), "A new");
    EXPECT_EQ(world.Stored("A"), "A new");
}

TEST_F(PetSwapTest, WithNoLiveFileTheActivePetsStoredCopyIsKept) {
    world.fs.files.erase(HostSettingsPath(kHostDir));
    EXPECT_EQ(SwapInPet(world.fs, settings, "B"), PetError::kNone);
    EXPECT_EQ(world.Stored("A"), "A old");
    EXPECT_EQ(world.Live(), "B data");
}

TEST_F(PetSwapTest, WithNoActivePetTheLiveFileIsDroppedUnsaved) {
    settings.activePet.clear();
    EXPECT_EQ(SwapInPet(world.fs, settings, "B"), PetError::kNone);
    EXPECT_EQ(world.Stored("A"), "A old");
    EXPECT_EQ(world.Live(), "B data");
}

TEST_F(PetSwapTest, RemakesAnActivePetFolderThatIsMissing) {
    world.fs.files.erase(PetSettingsPath("A"));
    world.fs.folders.erase(PetFolderPath("A"));
    EXPECT_EQ(SwapInPet(world.fs, settings, "B"), PetError::kNone);
    EXPECT_EQ(world.Stored("A"), "A new");
}

TEST_F(PetSwapTest, ADriveRootHostFolderGivesADoubledSeparator) {
    world.fs.folders.insert("D:\\");
    settings.hostDir = "D:\\";
    world.fs.files["D:\\\\Nimbrel\x90\xdd\x92\xe8.nbc"] = "root data";
    EXPECT_EQ(SwapInPet(world.fs, settings, "B"), PetError::kNone);
    EXPECT_EQ(world.Stored("A"), "root data");
    EXPECT_EQ(world.fs.ReadWhole("D:\\\\Nimbrel\x90\xdd\x92\xe8.nbc"), "B data");
}

TEST_F(PetSwapTest, RefusesNamesThatWouldLeaveTheStorageRoot) {
    const auto before = world.fs.files;
    EXPECT_EQ(SwapInPet(world.fs, settings, "..\\..\\Windows"), PetError::kPutInPlace);
    settings.activePet = "..";
    EXPECT_EQ(SwapInPet(world.fs, settings, "B"), PetError::kSaveBackCopy);
    EXPECT_EQ(world.fs.files, before);
}

// Each failing step: the code, what activePet holds in memory and on disk, and that no pet's
// newest data is lost.
TEST_F(PetSwapTest, EachFailureReportsItsCodeAndLosesNothing) {
    const auto pristine = world.fs;
    const AppSettings start = settings;
    test::FaultyFileSystem faulty(world.fs);
    ASSERT_EQ(SwapInPet(faulty, settings, "B"), PetError::kNone);
    const int steps = faulty.MutatingCalls();
    ASSERT_GE(steps, 6);

    bool seen[16] = {};
    for (int step = 1; step <= steps; ++step) {
        world.fs = pristine;
        settings = start;
        faulty.Arm(test::FaultyFileSystem::Fault::kFail, step);
        const PetError error = SwapInPet(faulty, settings, "B");
        seen[static_cast<int>(error)] = true;
        const std::string onDisk = world.ReadBack().activePet;
        if (error == PetError::kNone) {
            // Only a step whose result does not matter, such as remaking an existing folder.
            EXPECT_EQ(onDisk, "B") << "step " << step;
        } else if (error == PetError::kRecordActivePet) {
            EXPECT_EQ(settings.activePet, "B");
            EXPECT_EQ(onDisk, "");
            EXPECT_EQ(world.Live(), "B data");
        } else {
            EXPECT_EQ(settings.activePet, "A") << "step " << step;
            // Either the record still names A and the live file is A's, or it names no pet.
            EXPECT_TRUE(onDisk.empty() || (onDisk == "A" && world.Live() == "A new")) << "step " << step;
        }
        EXPECT_TRUE(world.Live() == "A new" || world.Stored("A") == "A new") << "step " << step;
        EXPECT_EQ(world.Stored("B"), "B data") << "step " << step;
    }
    EXPECT_TRUE(seen[static_cast<int>(PetError::kSaveBackCopy)]);
    EXPECT_TRUE(seen[static_cast<int>(PetError::kClearHost)]);
    EXPECT_TRUE(seen[static_cast<int>(PetError::kPutInPlace)]);
    EXPECT_TRUE(seen[static_cast<int>(PetError::kRecordActivePet)]);
}

}  // namespace
}  // namespace torvin
