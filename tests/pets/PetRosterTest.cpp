#include "pets/PetRoster.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

// A pet dropped from a damaged setting.ini is added back by its name and gets its file back.
TEST(AddPetToRoster, RecordsThePetAndAdoptsAFileLeftInItsFolder) {
    test::PetWorld world;
    AppSettings settings;
    settings.versionText = cp932::kVersionText;
    settings.petCount = 1;
    settings.pets[0].name = "A";
    world.fs.folders.insert(StorageRootPath());
    world.fs.folders.insert(PetFolderPath(test::kHana));
    world.fs.files[PetSettingsPath(test::kHana)] = "left behind";
    EXPECT_EQ(AddPetToRoster(world.fs, settings, test::kHana), PetNameProblem::kNone);
    const AppSettings read = world.ReadBack();
    ASSERT_EQ(read.petCount, 2);
    EXPECT_EQ(read.pets[1].name, test::kHana);
    EXPECT_EQ(read.pets[1].mailCheckChoice, 1);
    EXPECT_EQ(world.Stored(test::kHana), "left behind");
}

}  // namespace
}  // namespace torvin
