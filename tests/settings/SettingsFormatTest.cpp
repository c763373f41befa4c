#include "settings/SettingsFormat.h"

#include <gtest/gtest.h>

#include "settings/Cp932Texts.h"

namespace torvin {
namespace {

AppSettings TwoPets() {
    AppSettings s;
    s.versionText = cp932::kVersionText;
    s.hostDir = "C:\\Host";
    s.skinFile = "\x83\x65\x83\x58\x83\x67.bmp";  // "テスト.bmp"
    s.petCount = 2;
    s.activePet = "Hana";
    s.pets[0] = {"Hana", "", "", "", "", 1};
    s.pets[1] = {"\x83\x7c\x83\x60", "a@b.jp", "pop.b.jp", "user", "pass word", 5};  // "ポチ"
    return s;
}

TEST(SettingsFormat, ReadsBackWhatItWritesAndNumbersKeepTheLowEightBits) {
    const std::string written = FormatSettings(TwoPets());
    EXPECT_TRUE(written.starts_with(std::string(cp932::kVersionText) + "\r\n\r\nC:\\Host\r\n0\r\n"));
    AppSettings read;
    ASSERT_EQ(ParseSettings(SplitLines(written), read), ParseOutcome::kComplete);
    EXPECT_EQ(FormatSettings(read), written);
    EXPECT_EQ(SplitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ParseSmallNumber("200"), -56);
    EXPECT_EQ(ParseSmallNumber("  \t+12abc"), 12);
}

// A count outside 0-127 (an older program wrote -128 after its 128th pet) or a file cut short:
// every complete block is kept and the count says how many there are.
TEST(SettingsFormat, ADamagedFileKeepsEveryCompletePetBlock) {
    const auto lines = SplitLines(FormatSettings(TwoPets()));
    for (const char* count : {"-128", "200", "-1", "3"}) {
        auto changed = lines;
        changed[6] = count;
        AppSettings read;
        EXPECT_EQ(ParseSettings(changed, read), ParseOutcome::kDamaged) << count;
        EXPECT_EQ(read.petCount, 2) << count;
    }
    AppSettings read;
    EXPECT_EQ(ParseSettings({lines.begin(), lines.end() - 1}, read), ParseOutcome::kDamaged);
    EXPECT_EQ(read.petCount, 1);
    EXPECT_EQ(read.activePet, "Hana");
}

TEST(SettingsFormat, AByteOrderMarkOrACapitalVStillReadsAsTheCurrentLayout) {
    auto lines = SplitLines(FormatSettings(TwoPets()));
    for (const std::string version : {"\xEF\xBB\xBFv0.1.2", "V0.1.2"}) {
        lines[0] = version;
        AppSettings read;
        EXPECT_EQ(ParseSettings(lines, read), ParseOutcome::kComplete);
        EXPECT_EQ(read.versionText, version.substr(version.find_first_of("vV")));
    }
    AppSettings read;
    EXPECT_EQ(ParseSettings({"Version 1", "x"}, read), ParseOutcome::kOlderLayout);
}

TEST(SettingsFormat, OlderLayoutBecomesPetsWithEmptyMailSettingsSkippedByTheCheck) {
    AppSettings s;
    s.backgroundKind = 2;
    ASSERT_TRUE(ParseOlderLayout({"1", "2", "3", "4", "C:\\Old", "2", "B", "A", "B"}, s));
    EXPECT_EQ(s.backgroundKind, 0);
    EXPECT_EQ(s.pets[1].mailCheckChoice, 1);
    EXPECT_FALSE(ParseOlderLayout({"1", "2", "3", "4", "C:\\Old", "3", "A", "A"}, s));
    EXPECT_EQ(s.petCount, 1);
}

}  // namespace
}  // namespace torvin
