#include "pets/PetNames.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

using P = PetNameProblem;

TEST(CheckFolderName, AcceptsOneFolderNameAndRefusesTheRest) {
    // Trail bytes 0x5C and 0x7C are halves of characters, not '\' and '|'.
    for (const char* name :
         {"Hana", "a b", "x.txt", "CONSOLE", "COM0", "..a", "\x83\x5c\x83\x89", "\x83\x7c"}) {
        EXPECT_EQ(CheckFolderName(name), P::kNone) << name;
    }
    const std::pair<std::string, P> cases[] = {
        {"", P::kEmpty},
        {std::string(100, 'a'), P::kTooLong},
        {"..\\..\\Windows", P::kForbiddenCharacter},
        {"..", P::kDotName},
        {"Hana.", P::kTrailingDotOrBlank},
        {"a\x83", P::kBrokenText},
        {"aux .x", P::kReservedName},
        {cp932::kBackupFolderName, P::kReservedName},
        {cp932::kRecoveryFolderName, P::kReservedName},
    };
    for (const auto& [name, problem] : cases) {
        EXPECT_EQ(CheckFolderName(name), problem) << name;
    }
}

TEST(CheckNewPetName, RefusesAFolderAPetInUseHasAsTheFileSystemSeesIt) {
    test::PetWorld world;
    AppSettings settings;
    settings.petCount = 4;
    settings.pets[0].name = "Hana";
    settings.pets[1].name = "\x82\x60";  // full-width "Ａ"
    settings.pets[2].name = "\x83\x9f";  // Greek "Α"
    settings.pets[3].name = "Old.";      // from an older file: its folder is "Old"
    EXPECT_EQ(CheckNewPetName("Hana", settings, world.fs), P::kDuplicate);
    for (const char* same : {"hana", "\x82\x81", "\x83\xbf", "old"}) {
        EXPECT_EQ(CheckNewPetName(same, settings, world.fs), P::kSameFolder) << same;
    }
    EXPECT_EQ(CheckNewPetName("A", settings, world.fs), P::kNone);
    // Bytes that are not CP932 would become the same folder as another name, or none at all.
    EXPECT_EQ(CheckNewPetName("A\x85\x40", settings, world.fs), P::kBrokenText);
    settings.petCount = 127;
    EXPECT_EQ(CheckNewPetName("x", settings, world.fs), P::kRosterFull);
}

TEST(StoredFolderName, OlderNamesKeepWorkingWhileTheyStayInsideTheStorageRoot) {
    EXPECT_EQ(StoredFolderName("Hana. ."), "Hana");
    EXPECT_EQ(StoredFolderName("\x83\x5c."), "\x83\x5c");
    for (const char* outside :
         {"", "..", "a\\..", "*", cp932::kBackupFolderName, cp932::kRecoveryFolderName}) {
        EXPECT_FALSE(StoredFolderName(outside)) << outside;
    }
}

}  // namespace
}  // namespace torvin
