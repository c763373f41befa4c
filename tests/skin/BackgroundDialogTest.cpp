// The background chooser's own-skin choice through its skin file list, from their real templates.
// Choosing a colour, and what the next start shows, is the end-to-end test's.
#include "skin/BackgroundDialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/ListView.h"
#include "settings/Cp932Texts.h"
#include "skin/SkinListDialog.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

TEST(BackgroundChoice, OwnSkinTakesTheFileChosenInTheListNeverATypedName) {
    test::TempFolder folder;
    CreateDirectoryW(L"skin", nullptr);
    // Hidden files are listed too; the list holds at most kMaxSkinNames.
    for (std::size_t i = 0; i < kMaxSkinNames + 2; ++i) {
        std::ofstream("skin\\" + std::to_string(i + 100000) + ".bmp") << "BM";
    }
    SetFileAttributesW(L"skin\\100001.bmp", FILE_ATTRIBUTE_HIDDEN);
    test::MemoryFileSystem fs;
    AppSettings settings;
    settings.versionText = cp932::kVersionText;
    settings.skinFile = "old.bmp";
    BackgroundDialog dialog(nullptr, fs, settings);
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    const auto enabled = [&](int id) { return IsWindowEnabled(dialog.Item(id)) != FALSE; };
    EXPECT_FALSE(enabled(IDC_BG_SELECT_SKIN));
    dialog.Click(IDC_BG_OWN);
    EXPECT_TRUE(enabled(IDC_BG_SELECT_SKIN) && enabled(IDC_BG_SKIN_NAME));
    EXPECT_FALSE(enabled(IDC_BG_PINK) || enabled(IDC_BG_BLUE) || enabled(IDC_BG_GREEN));

    // Each answer: the row to select (-1 none) and the button; then the file the settings hold.
    const struct {
        int row;
        int button;
        const char* file;
    } answers[] = {{1, IDCANCEL, "old.bmp"}, {1, IDOK, "100001.bmp"}, {-1, IDOK, ""}};
    for (const auto& answer : answers) {
        std::size_t listed = 0;
        auto previous = Dialog::SetModalObserver([&](Dialog& shown) {
            auto& list = static_cast<SkinListDialog&>(shown);
            listed = list.SkinNames().size();
            const auto at = std::find(list.SkinNames().begin(), list.SkinNames().end(), "100001.bmp");
            if (answer.row >= 0) {
                ListView(list.Item(IDC_SKIN_LIST))
                    .Select(static_cast<int>(at - list.SkinNames().begin()), true);
            }
            list.Click(answer.button);
        });
        dialog.Click(IDC_BG_SELECT_SKIN);
        Dialog::SetModalObserver(previous);
        EXPECT_EQ(listed, kMaxSkinNames);
        EXPECT_EQ(settings.skinFile, answer.file);
    }
    dialog.SetItemText(IDC_BG_SKIN_NAME, L"typed.bmp");
    dialog.Click(IDOK);
    EXPECT_EQ(settings.backgroundKind, 3);
    EXPECT_EQ(settings.skinFile, "");
}

}  // namespace
}  // namespace torvin
