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
        world.SetLive("current pet");
    }

    test::PetWorld world;
    AppSettings settings;
};

TEST_F(FirstRunLayoutTest, RecordsTheFirstPetAndLaysOutTheTree) {
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, test::kHana, kHostDir), PetError::kNone);
    EXPECT_EQ(world.fs.ReadWhole(BackupFilePath()), "current pet");
    EXPECT_EQ(world.Stored(test::kHana), "current pet");
    const AppSettings read = world.ReadBack();
    EXPECT_EQ(read.hostDir, kHostDir);
    EXPECT_EQ(read.activePet, test::kHana);
    EXPECT_EQ(read.pets[0].name, test::kHana);
}

// Nothing may name a pet whose setup failed: a later launch would save the host's file over
// that pet's only stored copy.
TEST_F(FirstRunLayoutTest, ARefusedSetupRecordsNothing) {
    world.fs.folders.insert(StorageRootPath());
    world.fs.folders.insert(PetFolderPath("Hana"));
    world.fs.files[PetSettingsPath("Hana")] = "older Hana";
    for (const char* name : {"Hana", "..", ""}) {
        EXPECT_EQ(LayOutFirstPet(world.fs, settings, name, kHostDir), PetError::kFirstPetCopy) << name;
    }
    EXPECT_EQ(settings.petCount, 0);
    EXPECT_TRUE(settings.activePet.empty());
    EXPECT_FALSE(world.fs.PathExists(kSettingsFileName));
    EXPECT_EQ(world.Stored("Hana"), "older Hana");
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "Hana2", kHostDir), PetError::kNone);
}

TEST_F(FirstRunLayoutTest, AnOldBackupIsKeptAndAHostWithoutAFileStillGetsItsFirstPet) {
    world.fs.folders.insert(StorageRootPath());
    world.fs.folders.insert(BackupFolderPath());
    world.fs.files[BackupFilePath()] = "earlier installation";
    world.fs.files.erase(HostSettingsPath(kHostDir));
    EXPECT_EQ(LayOutFirstPet(world.fs, settings, "Hana", kHostDir), PetError::kNone);
    EXPECT_EQ(world.fs.ReadWhole(BackupFilePath()), "earlier installation");
    EXPECT_FALSE(world.Stored("Hana"));
    EXPECT_EQ(world.ReadBack().activePet, "Hana");
}

}  // namespace
}  // namespace torvin
