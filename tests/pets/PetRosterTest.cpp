#include "pets/PetRoster.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

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

}  // namespace
}  // namespace torvin
