#include "pets/PetSwap.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

using test::kHostDir;

// Pets A (active: its newest data live, an older copy stored), B (stored) and C (never launched).
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

TEST_F(PetSwapTest, SavesTheActivePetKeepingOneGenerationAndPutsTheChosenOneInPlace) {
    EXPECT_EQ(SwapInPet(world.fs, settings, "B"), PetError::kNone);
    EXPECT_EQ(world.Stored("A"), "A new");
    EXPECT_EQ(world.fs.ReadWhole(PetBackupGenerationPath("A")), "A old");
    EXPECT_EQ(world.Live(), "B data");
    EXPECT_EQ(world.Stored("B"), "B data");
    EXPECT_EQ(world.ReadBack().activePet, "B");
    EXPECT_EQ(SwapInPet(world.fs, settings, "C"), PetError::kNone);
    EXPECT_FALSE(world.Live());
    EXPECT_EQ(SwapInPet(world.fs, settings, "C"), PetError::kNone);
    EXPECT_FALSE(world.Live());
}

}  // namespace
}  // namespace torvin
