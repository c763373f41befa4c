// The background chooser and its skin file list, built from their real templates.
#include "skin/BackgroundDialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/ListView.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsStore.h"
#include "skin/SkinListDialog.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

bool Enabled(const Dialog& dialog, int id) { return IsWindowEnabled(dialog.Item(id)) != FALSE; }

class BackgroundChoice : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(L"skin", nullptr);
        for (const wchar_t* name : {L"skin\\autumn.bmp", L"skin\\beach.bmp"}) {
            std::ofstream(name) << "BM";
        }
        settings_.versionText = cp932::kVersionText;
        settings_.skinFile = "old.bmp";
    }

    // Answers the skin list: selects the named file (or none) and confirms, or cancels.
    Dialog::ModalObserver AnswerList(const std::string& name, bool confirm, std::size_t* listed = nullptr) {
        return [=](Dialog& dialog) {
            auto& list = static_cast<SkinListDialog&>(dialog);
            if (listed != nullptr) {
                *listed = list.SkinNames().size();
            }
            const auto& names = list.SkinNames();
            const auto at = std::find(names.begin(), names.end(), name);
            if (at != names.end()) {
                ListView(list.Item(IDC_SKIN_LIST)).Select(static_cast<int>(at - names.begin()), true);
            }
            list.Click(confirm ? IDOK : IDCANCEL);
        };
    }

    test::TempFolder folder_;
    test::MemoryFileSystem fs_;
    AppSettings settings_;
};

TEST_F(BackgroundChoice, OpensWithNoChoiceAndOwnSkinGreysOutTheColours) {
    BackgroundDialog dialog(nullptr, fs_, settings_);
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    EXPECT_EQ(dialog.CheckedRadio({IDC_BG_PINK, IDC_BG_BLUE, IDC_BG_GREEN, IDC_BG_OWN}), -1);
    EXPECT_FALSE(Enabled(dialog, IDC_BG_SELECT_SKIN));
    EXPECT_FALSE(Enabled(dialog, IDC_BG_SKIN_NAME));

    dialog.Click(IDC_BG_OWN);
    EXPECT_FALSE(Enabled(dialog, IDC_BG_PINK));
    EXPECT_FALSE(Enabled(dialog, IDC_BG_BLUE));
    EXPECT_FALSE(Enabled(dialog, IDC_BG_GREEN));
    EXPECT_TRUE(Enabled(dialog, IDC_BG_SELECT_SKIN));
    EXPECT_TRUE(Enabled(dialog, IDC_BG_SKIN_NAME));
}

TEST_F(BackgroundChoice, OkWithoutAChoiceStoresMinusOneAndWritesTheSettings) {
    settings_.backgroundKind = 2;
    BackgroundDialog dialog(nullptr, fs_, settings_);
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(settings_.backgroundKind, -1);
    AppSettings read;
    ASSERT_TRUE(ReadSettings(fs_, read));
    EXPECT_EQ(read.backgroundKind, -1);
}

TEST_F(BackgroundChoice, AChosenSkinFileSelectsOwnSkinAndShowsItsName) {
    BackgroundDialog dialog(nullptr, fs_, settings_);
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    dialog.Click(IDC_BG_OWN);

    auto previous = Dialog::SetModalObserver(AnswerList("beach.bmp", false));
    dialog.Click(IDC_BG_SELECT_SKIN);
    EXPECT_EQ(settings_.skinFile, "old.bmp");
    EXPECT_EQ(settings_.backgroundKind, 0);

    Dialog::SetModalObserver(AnswerList("beach.bmp", true));
    dialog.Click(IDC_BG_SELECT_SKIN);
    EXPECT_EQ(settings_.skinFile, "beach.bmp");
    EXPECT_EQ(settings_.backgroundKind, 3);
    EXPECT_EQ(dialog.CheckedRadio({IDC_BG_PINK, IDC_BG_BLUE, IDC_BG_GREEN, IDC_BG_OWN}), 3);
    EXPECT_EQ(dialog.ItemText(IDC_BG_SKIN_NAME), L"beach.bmp");

    // Confirming the list with no row selected empties the skin file.
    Dialog::SetModalObserver(AnswerList("", true));
    dialog.Click(IDC_BG_SELECT_SKIN);
    Dialog::SetModalObserver(previous);
    EXPECT_EQ(settings_.skinFile, "");
    EXPECT_EQ(dialog.ItemText(IDC_BG_SKIN_NAME), L"");

    // A typed name is never used.
    dialog.SetItemText(IDC_BG_SKIN_NAME, L"typed.bmp");
    dialog.Click(IDOK);
    EXPECT_EQ(settings_.backgroundKind, 3);
    EXPECT_EQ(settings_.skinFile, "");
}

TEST_F(BackgroundChoice, TheSkinListShowsAtMostTenTwentyFourFiles) {
    for (int i = 0; i < 1030; ++i) {
        std::ofstream((L"skin\\many" + std::to_wstring(i) + L".bmp").c_str()) << "BM";
    }
    std::size_t listed = 0;
    auto previous = Dialog::SetModalObserver(AnswerList("", false, &listed));
    SkinListDialog list(nullptr, settings_);
    EXPECT_EQ(list.RunModal(), IDCANCEL);
    Dialog::SetModalObserver(previous);
    EXPECT_EQ(listed, kMaxSkinNames);
}

}  // namespace
}  // namespace torvin
