#include "pets/PetNames.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

using P = PetNameProblem;

TEST(CheckFolderName, AcceptsOrdinaryAndJapaneseNames) {
    for (const char* name : {"Hana", "a b", "x.txt", "CONSOLE", "COM0", "LPT10", "..a",
                             "\x83\x5c\x83\x89",  // "ソラ": trail byte 0x5C
                             "\x95\x5c",          // "表": trail byte 0x5C
                             "\x83\x7c",          // "ポ": trail byte 0x7C, the byte of '|'
                             "\x81\x40"}) {       // a full-width blank at the end is a character, not a blank
        EXPECT_EQ(CheckFolderName(name), P::kNone) << name;
    }
}

TEST(CheckFolderName, RefusesWhatIsNotOneFolderName) {
    const struct {
        std::string name;
        P problem;
    } cases[] = {
        {"", P::kEmpty},
        {std::string(100, 'a'), P::kTooLong},
        {"..\\..\\Windows", P::kForbiddenCharacter},
        {"a/b", P::kForbiddenCharacter},
        {"a:b", P::kForbiddenCharacter},
        {"a*", P::kForbiddenCharacter},
        {"a?", P::kForbiddenCharacter},
        {"\"a\"", P::kForbiddenCharacter},
        {"<a>", P::kForbiddenCharacter},
        {"a|b", P::kForbiddenCharacter},
        {"a\tb", P::kControlCharacter},
        {"a\x7f", P::kControlCharacter},
        {std::string("a\0b", 3), P::kControlCharacter},
        {".", P::kDotName},
        {"..", P::kDotName},
        {"Hana.", P::kTrailingDotOrBlank},
        {"Hana ", P::kTrailingDotOrBlank},
        {"\x83\x5c.", P::kTrailingDotOrBlank},
        {"\x83", P::kBrokenText},
        {"a\x83", P::kBrokenText},
        {"CON", P::kReservedName},
        {"con", P::kReservedName},
        {"Nul.txt", P::kReservedName},
        {"aux .x", P::kReservedName},
        {"COM1", P::kReservedName},
        {"lpt9.tar.gz", P::kReservedName},
        {cp932::kBackupFolderName, P::kReservedName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckFolderName(c.name), c.problem) << c.name;
    }
    EXPECT_EQ(CheckFolderName(std::string(99, 'a')), P::kNone);
    // 49 double-byte characters and one more byte: 99 bytes.
    std::string wide;
    for (int i = 0; i < 49; ++i) {
        wide += "\x83\x5c";
    }
    EXPECT_EQ(CheckFolderName(wide + "a"), P::kNone);
}

TEST(CheckNewPetName, RefusesNamesTakenByAPetInUse) {
    test::PetWorld world;
    AppSettings settings;
    settings.petCount = 2;
    settings.pets[0].name = "Hana";
    settings.pets[1].name = "\x82\x60";  // full-width "Ａ"
    EXPECT_EQ(CheckNewPetName("Hana", settings, world.fs), P::kDuplicate);
    EXPECT_EQ(CheckNewPetName("hana", settings, world.fs), P::kSameFolder);
    EXPECT_EQ(CheckNewPetName("\x82\x81", settings, world.fs), P::kSameFolder);  // full-width "ａ"
    EXPECT_EQ(CheckNewPetName("A", settings, world.fs), P::kNone);  // half-width differs from full-width
    EXPECT_EQ(CheckNewPetName("Hana2", settings, world.fs), P::kNone);
    // A name only in the unused part of the table is free.
    settings.pets[2].name = "Old";
    EXPECT_EQ(CheckNewPetName("Old", settings, world.fs), P::kNone);
}

TEST(CheckNewPetName, RefusesAFolderThatAlreadyHoldsAStoredFile) {
    test::PetWorld world;
    world.fs.folders.insert(StorageRootPath());
    world.fs.folders.insert(PetFolderPath("Left"));
    AppSettings settings;
    EXPECT_EQ(CheckNewPetName("Left", settings, world.fs), P::kNone);
    world.fs.files[PetSettingsPath("Left")] = "data";
    EXPECT_EQ(CheckNewPetName("Left", settings, world.fs), P::kSameFolder);
}

TEST(CheckNewPetName, RefusesThe128thPet) {
    test::PetWorld world;
    AppSettings settings;
    settings.petCount = 126;
    EXPECT_FALSE(RosterFull(settings));
    EXPECT_EQ(CheckNewPetName("x", settings, world.fs), P::kNone);
    settings.petCount = 127;
    EXPECT_TRUE(RosterFull(settings));
    EXPECT_EQ(CheckNewPetName("x", settings, world.fs), P::kRosterFull);
}

TEST(HostDirFits, KeepsEveryHostPathAndItsTemporaryWithin255Bytes) {
    EXPECT_FALSE(HostDirFits(""));
    EXPECT_TRUE(HostDirFits("C:\\"));
    // 235 + 16 ("\Nimbrel設定.nbc") + 4 (".tmp") = 255.
    EXPECT_TRUE(HostDirFits("C:\\" + std::string(232, 'a')));
    EXPECT_FALSE(HostDirFits("C:\\" + std::string(233, 'a')));
}

}  // namespace
}  // namespace torvin
