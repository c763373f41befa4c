#include "pets/FirstRunLayout.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

using test::kHostDir;

class FirstRunLayoutTest : public testing::Test {
  protected:
    void SetUp() override {
        settings.versionText = cp932::kVersionText;
        settings.skinFile = "mine.bmp";
        settings.skinPath = ".\\skin\\mine.bmp";
        world.SetLive("current pet");
    }

    test::PetWorld world;
    AppSettings settings;
};

TEST_F(FirstRunLayoutTest, RecordsTheFirstPetAndLaysOutTheTree) {
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, test::kHana, kHostDir), PetError::kNone);
    EXPECT_EQ(world.fs.ReadWhole(BackupFilePath()), "current pet");
    EXPECT_EQ(world.Stored(test::kHana), "current pet");
    EXPECT_EQ(world.Live(), "current pet");

    const AppSettings read = world.ReadBack();
    EXPECT_EQ(read.hostDir, kHostDir);
    EXPECT_EQ(read.petCount, 1);
    EXPECT_EQ(read.activePet, test::kHana);
    EXPECT_EQ(read.pets[0].name, test::kHana);
    EXPECT_EQ(read.pets[0].mailCheckChoice, 1);
    EXPECT_EQ(read.skinFile, "mine.bmp");
    EXPECT_EQ(settings.skinPath, "");
}

TEST_F(FirstRunLayoutTest, WithoutAHostFileTheBackupFailsButTheRecordIsWritten) {
    world.fs.files.erase(HostSettingsPath(kHostDir));
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "Hana", kHostDir), PetError::kBackupCopy);
    EXPECT_EQ(world.ReadBack().activePet, "Hana");
    EXPECT_TRUE(world.fs.folders.count(PetFolderPath("Hana")));
}

TEST_F(FirstRunLayoutTest, AnOldBackupIsKeptAndTheSetupStillCompletes) {
    world.fs.folders.insert(StorageRootPath());
    world.fs.folders.insert(BackupFolderPath());
    world.fs.files[BackupFilePath()] = "earlier installation";
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "Hana", kHostDir), PetError::kNone);
    EXPECT_EQ(world.fs.ReadWhole(BackupFilePath()), "earlier installation");
    EXPECT_EQ(world.Stored("Hana"), "current pet");
}

TEST_F(FirstRunLayoutTest, AnExistingStoredFileIsNeverOverwritten) {
    world.fs.folders.insert(StorageRootPath());
    world.fs.folders.insert(PetFolderPath("Hana"));
    world.fs.files[PetSettingsPath("Hana")] = "older Hana";
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "Hana", kHostDir), PetError::kFirstPetCopy);
    EXPECT_EQ(world.Stored("Hana"), "older Hana");
    // Another name on the retry succeeds; the backup taken by the first try stays.
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "Hana2", kHostDir), PetError::kNone);
    EXPECT_EQ(world.Stored("Hana2"), "current pet");
}

TEST_F(FirstRunLayoutTest, RefusesABadNameBeforeWritingAnything) {
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "..", kHostDir), PetError::kFirstPetCopy);
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "", kHostDir), PetError::kFirstPetCopy);
    EXPECT_FALSE(world.fs.PathExists(kSettingsFileName));
    EXPECT_FALSE(world.fs.PathExists(StorageRootPath()));
}

}  // namespace
}  // namespace torvin
