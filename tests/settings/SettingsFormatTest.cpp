#include "settings/SettingsFormat.h"

#include <gtest/gtest.h>

#include "settings/Cp932Texts.h"

namespace torvin {
namespace {

AppSettings FirstRunRecord() {
    AppSettings s;
    s.versionText = cp932::kVersionText;
    s.hostDir = "C:\\Host";
    s.petCount = 1;
    s.activePet = "Hana";
    s.pets[0].name = "Hana";
    s.pets[0].mailCheckChoice = 1;
    return s;
}

TEST(SettingsFormat, FirstRunFileIsTheSeventeenLineExample) {
    const std::string expected = std::string(cp932::kVersionText) +
                                 "\r\n\r\nC:\\Host\r\n0\r\n\r\n0\r\n1\r\n\r\nHana\r\n\r\n"
                                 "Hana\r\n\r\n\r\n\r\n\r\n1\r\n------\r\n";
    EXPECT_EQ(FormatSettings(FirstRunRecord()), expected);
    EXPECT_EQ(SplitLines(expected).size(), 17u);
}

TEST(SettingsFormat, NoPetsGivesTenLinesAndNegativeCountsWriteNoBlocks) {
    AppSettings s = FirstRunRecord();
    s.petCount = 0;
    EXPECT_EQ(SplitLines(FormatSettings(s)).size(), 10u);
    s.petCount = -56;
    const auto lines = SplitLines(FormatSettings(s));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[6], "-56");
}

TEST(SettingsFormat, NumbersFollowTheCConversionAndKeepTheLowEightBits) {
    EXPECT_EQ(ParseSmallNumber("200"), -56);
    EXPECT_EQ(ParseSmallNumber("-1"), -1);
    EXPECT_EQ(ParseSmallNumber("127"), 127);
    EXPECT_EQ(ParseSmallNumber("128"), -128);
    EXPECT_EQ(ParseSmallNumber("  \t+12abc"), 12);
    EXPECT_EQ(ParseSmallNumber("abc"), 0);
    EXPECT_EQ(ParseSmallNumber(""), 0);
    EXPECT_EQ(ParseSmallNumber("- 5"), 0);
    EXPECT_EQ(ParseSmallNumber("257"), 1);
    EXPECT_EQ(ParseSmallNumber("-129"), 127);
}

TEST(SettingsFormat, LinesEndInCrLfOrBareLfAndALastLineNeedsNoBreak) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\r\n\r\n"), (Lines{"a\rb", ""}));
    EXPECT_TRUE(SplitLines("").empty());
    const std::string longLine(1000, 'x');
    EXPECT_EQ(SplitLines(longLine + "\r\nnext\r\n"), (Lines{longLine, "next"}));
}

TEST(SettingsFormat, ReadsWhatItWrites) {
    AppSettings written = FirstRunRecord();
    written.backgroundKind = 3;
    written.skinFile = "\x83\x65\x83\x58\x83\x67.bmp";  // "テスト.bmp"
    written.skinLayout = 2;
    written.petCount = 3;
    written.pets[1] = {"\x83\x7c\x83\x60", "a@b.jp", "pop.b.jp", "user", "pass word", 0};  // "ポチ"
    written.pets[2] = {std::string(300, 'n'), "", "", "", "", 5};
    AppSettings read;
    ASSERT_EQ(ParseSettings(SplitLines(FormatSettings(written)), read), ParseOutcome::kComplete);
    EXPECT_EQ(FormatSettings(read), FormatSettings(written));
    EXPECT_EQ(read.pets[2].name.size(), 300u);
    EXPECT_EQ(read.pets[2].mailCheckChoice, 5);
    EXPECT_EQ(read.skinLayout, 2);
}

TEST(SettingsFormat, AFileThatEndsEarlyKeepsTheValuesReadBeforeTheGap) {
    AppSettings full = FirstRunRecord();
    full.petCount = 2;
    full.pets[1] = {"Pochi", "p@x", "pop.x", "pochi", "secret", 0};
    const auto lines = SplitLines(FormatSettings(full));
    ASSERT_EQ(lines.size(), 24u);

    struct Case {
        std::size_t keep;
        const char* what;
    };
    for (const Case c : {Case{5, "inside the header"}, Case{13, "inside a pet block"},
                         Case{23, "before the last separator"}}) {
        SCOPED_TRACE(c.what);
        AppSettings read;
        const std::vector<std::string> cut(lines.begin(), lines.begin() + static_cast<long>(c.keep));
        EXPECT_EQ(ParseSettings(cut, read), ParseOutcome::kEndedEarly);
        EXPECT_EQ(read.hostDir, "C:\\Host");
        if (c.keep >= 23) {
            EXPECT_EQ(read.pets[1].password, "secret");
        }
    }
    AppSettings read;
    EXPECT_EQ(ParseSettings({}, read), ParseOutcome::kEndedEarly);
}

TEST(SettingsFormat, CountOfTwoHundredReadsAsMinusFiftySixWithoutBlocks) {
    auto lines = SplitLines(FormatSettings(FirstRunRecord()));
    lines.resize(10);
    lines[6] = "200";
    AppSettings read;
    EXPECT_EQ(ParseSettings(lines, read), ParseOutcome::kComplete);
    EXPECT_EQ(read.petCount, -56);
}

TEST(SettingsFormat, OnlyALowerCaseVFirstByteSelectsTheCurrentLayout) {
    AppSettings read;
    EXPECT_EQ(ParseSettings({"Version 1", ""}, read), ParseOutcome::kOlderLayout);
    EXPECT_EQ(ParseSettings({"", ""}, read), ParseOutcome::kOlderLayout);
    EXPECT_EQ(ParseSettings({"v", "", "D:\\N", "0", "", "0", "0", "", "", ""}, read), ParseOutcome::kComplete);
    EXPECT_EQ(read.versionText, "v");
}

TEST(SettingsFormat, OlderLayoutBecomesPetsWithEmptyMailSettingsSkippedByTheCheck) {
    AppSettings s;
    s.backgroundKind = 2;
    s.skinPath = ".\\skin\\x.bmp";
    ASSERT_TRUE(ParseOlderLayout({"1", "2", "3", "4", "C:\\Old", "2", "B", "A", "B"}, s));
    EXPECT_EQ(s.versionText, cp932::kVersionText);
    EXPECT_EQ(s.backgroundKind, 0);
    EXPECT_TRUE(s.skinPath.empty());
    EXPECT_EQ(s.hostDir, "C:\\Old");
    EXPECT_EQ(s.activePet, "B");
    ASSERT_EQ(s.petCount, 2);
    EXPECT_EQ(s.pets[0].name, "A");
    EXPECT_EQ(s.pets[1].name, "B");
    EXPECT_EQ(s.pets[1].mailCheckChoice, 1);
    const auto lines = SplitLines(FormatSettings(s));
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[3], "0");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "0");

    AppSettings shortFile;
    EXPECT_FALSE(ParseOlderLayout({"1", "2", "3", "4", "C:\\Old", "3", "A", "A"}, shortFile));
    EXPECT_EQ(shortFile.pets[0].name, "A");
    EXPECT_EQ(shortFile.petCount, 3);
}

}  // namespace
}  // namespace torvin
