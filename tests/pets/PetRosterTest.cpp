#include "pets/PetRoster.h"

#include <gtest/gtest.h>

#include "pets/PetPaths.h"
#include "tests/pets/PetWorld.h"
#include "tests/support/FaultyFileSystem.h"

namespace torvin {
namespace {

// Pets A (first), B, C and D, each with a stored file holding its name.
class PetRosterTest : public testing::Test {
protected:
    void SetUp() override {
        settings.versionText = cp932::kVersionText;
        settings.hostDir = test::kHostDir;
        settings.petCount = 1;
        settings.pets[0].name = "A";
        settings.activePet = "A";
        world.fs.folders.insert(StorageRootPath());
        world.fs.folders.insert(PetFolderPath("A"));
        for (const char* pet : {"B", "C", "D"}) {
            ASSERT_EQ(AddPetToRoster(world.fs, settings, pet), PetNameProblem::kNone);
            settings.pets[static_cast<std::size_t>(settings.petCount - 1)].userId = std::string("id-") + pet;
            world.fs.files[PetSettingsPath(pet)] = pet;
        }
    }

    std::vector<std::string> NamesOnDisk() {
        const AppSettings read = world.ReadBack();
        std::vector<std::string> names;
        for (int i = 0; i < read.petCount; ++i) {
            names.push_back(read.pets[static_cast<std::size_t>(i)].name);
        }
        return names;
    }

    test::PetWorld world;
    AppSettings settings;
};

TEST_F(PetRosterTest, AddingRecordsThePetAndAdoptsAFileLeftInItsFolder) {
    world.fs.folders.insert(PetFolderPath(test::kHana));
    world.fs.files[PetSettingsPath(test::kHana)] = "left behind";
    EXPECT_EQ(AddPetToRoster(world.fs, settings, test::kHana), PetNameProblem::kNone);
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"A", "B", "C", "D", test::kHana}));
    EXPECT_EQ(world.ReadBack().pets[4].mailCheckChoice, 1);
    EXPECT_EQ(world.Stored(test::kHana), "left behind");
}

TEST_F(PetRosterTest, DeletingAMiddlePetKeepsTheOthersInOrderWithTheirSettings) {
    world.fs.files[PetBackupGenerationPath("C")] = "C older";
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 2), DeleteOutcome::kDeleted);
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(settings.pets[2].userId, "id-D");
    EXPECT_FALSE(world.fs.PathExists(PetFolderPath("C")));
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 0), DeleteOutcome::kFirstPet);
}

// Duplicates from a hand-edited file and names the file system folds together share a folder.
TEST_F(PetRosterTest, AFolderAnotherPetMapsToIsNeverDeleted) {
    settings.pets[2].name = "b";
    settings.pets[3].name = "B.";
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 1), DeleteOutcome::kDeleted);
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 1), DeleteOutcome::kDeleted);
    EXPECT_EQ(world.Stored("B"), "B");
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 1), DeleteOutcome::kDeleted);
    EXPECT_FALSE(world.Stored("B"));
}

TEST_F(PetRosterTest, WhenSettingsCannotBeWrittenNothingIsDeleted) {
    test::FaultyFileSystem faulty(world.fs);
    faulty.Arm(test::FaultyFileSystem::Fault::kFail, 1);
    const auto files = world.fs.files;
    EXPECT_EQ(DeletePetFromRoster(faulty, settings, 2), DeleteOutcome::kNotWritten);
    EXPECT_EQ(settings.pets[2].name, "C");
    EXPECT_EQ(world.fs.files, files);
}

}  // namespace
}  // namespace torvin
