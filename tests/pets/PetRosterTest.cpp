#include "pets/PetRoster.h"

#include <gtest/gtest.h>

#include "pets/PetPaths.h"
#include "tests/pets/PetWorld.h"
#include "tests/support/FaultyFileSystem.h"

namespace torvin {
namespace {

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
        ASSERT_TRUE(WriteSettings(world.fs, settings));
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

TEST_F(PetRosterTest, AddingRecordsThePetAndMakesItsFolder) {
    EXPECT_EQ(AddPetToRoster(world.fs, settings, test::kHana), PetNameProblem::kNone);
    EXPECT_EQ(settings.petCount, 5);
    const AppSettings read = world.ReadBack();
    EXPECT_EQ(read.pets[4].name, test::kHana);
    EXPECT_EQ(read.pets[4].mailCheckChoice, 1);
    EXPECT_TRUE(world.fs.folders.count(PetFolderPath(test::kHana)));
    EXPECT_FALSE(world.Stored(test::kHana));
}

TEST_F(PetRosterTest, ARefusedNameChangesNothing) {
    const auto files = world.fs.files;
    const auto folders = world.fs.folders;
    EXPECT_EQ(AddPetToRoster(world.fs, settings, "B"), PetNameProblem::kDuplicate);
    EXPECT_EQ(AddPetToRoster(world.fs, settings, "..\\x"), PetNameProblem::kForbiddenCharacter);
    EXPECT_EQ(settings.petCount, 4);
    EXPECT_EQ(world.fs.files, files);
    EXPECT_EQ(world.fs.folders, folders);
}

TEST_F(PetRosterTest, DeletingAMiddlePetKeepsTheOthersInOrder) {
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 2), DeleteOutcome::kDeleted);
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(settings.pets[2].name, "D");
    EXPECT_EQ(settings.pets[2].userId, "id-D");
    EXPECT_FALSE(world.Stored("C"));
    EXPECT_FALSE(world.fs.folders.count(PetFolderPath("C")));
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 2), DeleteOutcome::kDeleted);
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(PetRosterTest, DeletingTheActivePetClearsItEverywhere) {
    settings.activePet = "B";
    ASSERT_TRUE(WriteSettings(world.fs, settings));
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 1), DeleteOutcome::kDeleted);
    EXPECT_EQ(settings.activePet, "");
    EXPECT_EQ(world.ReadBack().activePet, "");
}

TEST_F(PetRosterTest, AFolderWithOtherFilesStays) {
    world.fs.files[PetFolderPath("B") + "\\note.txt"] = "mine";
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 1), DeleteOutcome::kDeleted);
    EXPECT_FALSE(world.Stored("B"));
    EXPECT_TRUE(world.fs.folders.count(PetFolderPath("B")));
}

TEST_F(PetRosterTest, RefusesTheFirstPetAndRowsOutOfRange) {
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 0), DeleteOutcome::kFirstPet);
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, 4), DeleteOutcome::kNoSuchPet);
    EXPECT_EQ(DeletePetFromRoster(world.fs, settings, -1), DeleteOutcome::kNoSuchPet);
    EXPECT_EQ(settings.petCount, 4);
}

TEST_F(PetRosterTest, WhenSettingsCannotBeWrittenNothingIsDeleted) {
    test::FaultyFileSystem faulty(world.fs);
    faulty.Arm(test::FaultyFileSystem::Fault::kFail, 1);
    const auto files = world.fs.files;
    EXPECT_EQ(DeletePetFromRoster(faulty, settings, 2), DeleteOutcome::kNotWritten);
    EXPECT_EQ(settings.petCount, 4);
    EXPECT_EQ(settings.pets[2].name, "C");
    EXPECT_EQ(world.fs.files, files);
    EXPECT_STREQ(ErrorCodeText(PetError::kWriteWithoutPet), "00 0B");
}

}  // namespace
}  // namespace torvin
