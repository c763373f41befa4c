// The real Torvin.exe, started in a fresh working folder and driven from outside.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RemoteApp.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

std::string SettingsWithPets(std::initializer_list<const char*> names, int backgroundKind = 0) {
    std::vector<PetRecord> pets;
    for (const char* name : names) {
        pets.push_back(PetRecord{name, "", "", "", "", 0});
    }
    return test::SettingsFileWith(pets, backgroundKind);
}

class AppEndToEnd : public testing::Test {
protected:
    test::TempFolder folder_;

    HWND StartMain(test::RemoteApp& app) {
        EXPECT_TRUE(app.Started());
        HWND main = app.WaitForWindow(test::IsMainWindow);
        EXPECT_NE(main, nullptr);
        return main;
    }
};

TEST_F(AppEndToEnd, RowsFollowTheSettingsFileAndEscapeEndsWithoutWriting) {
    const std::string file = SettingsWithPets({"\x83\x6e\x83\x69", "Pochi", "Tama"});
    test::WriteFileBytes(L"setting.ini", file);
    test::RemoteApp app(test::TorvinExe(), folder_.Path());
    HWND main = StartMain(app);
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, IDC_PET_LIST);
    ASSERT_EQ(test::ListCount(list), 3);
    EXPECT_EQ(test::ListCell(list, 0, 0), L"ハナ");
    EXPECT_EQ(test::ListCell(list, 1, 0), L"Pochi");
    EXPECT_EQ(test::ListCell(list, 2, 0), L"Tama");
    EXPECT_EQ(test::ListCell(list, 2, 1), L"");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_MAIL_STOP)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_MAIL_START)));

    test::WriteFileBytes(L"setting.ini", file + "marker");
    PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), file + "marker");
}

TEST_F(AppEndToEnd, EnterWritesTheSettingsAndEnds) {
    test::WriteFileBytes(L"setting.ini", SettingsWithPets({}) + "extra\r\n");
    test::RemoteApp app(test::TorvinExe(), folder_.Path());
    HWND main = StartMain(app);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(test::ListCount(GetDlgItem(main, IDC_PET_LIST)), 0);
    PostMessageW(GetDlgItem(main, IDC_PET_LIST), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), SettingsWithPets({}));
}

TEST_F(AppEndToEnd, ASecondCopyIsRefusedAndTouchesNothingUntilTheFirstIsGone) {
    const std::string file = SettingsWithPets({"A"});
    test::WriteFileBytes(L"setting.ini", file);
    test::RemoteApp first(test::TorvinExe(), folder_.Path());
    ASSERT_NE(StartMain(first), nullptr);

    test::WriteFileBytes(L"setting.ini", "not a settings file");
    test::RemoteApp second(test::TorvinExe(), folder_.Path());
    HWND box = second.WaitForWindowWithText(L"既に起動されています。");
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), "not a settings file");

    first.Kill();
    test::WriteFileBytes(L"setting.ini", file);
    test::RemoteApp third(test::TorvinExe(), folder_.Path());
    EXPECT_NE(StartMain(third), nullptr);
}

TEST_F(AppEndToEnd, TheSystemMenuVersionItemOpensTheAboutBox) {
    test::WriteFileBytes(L"setting.ini", SettingsWithPets({"A"}));
    test::RemoteApp app(test::TorvinExe(), folder_.Path());
    HWND main = StartMain(app);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_SYSCOMMAND, ID_ABOUT_COMMAND, 0);
    HWND about = app.WaitForWindowWithText(L"Torvin Version 1.0");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(test::WindowText(about), L"Torvinのﾊﾞｰｼﾞｮﾝ情報");
    test::PressButton(about, IDOK);
    EXPECT_TRUE(test::WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindow(main));
}

// The colour on screen at a point of the window's client area.
COLORREF ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Client point (7, 7) lies in the base colour of every tile.
constexpr COLORREF kPinkBase = RGB(252, 228, 236);
constexpr COLORREF kBlueBase = RGB(212, 227, 255);

class BackgroundEndToEnd : public AppEndToEnd {
protected:
    // Opens the chooser, checks the radio button at the index (none for -1), confirms and
    // answers the closing notice; the program must then end.
    void Choose(int radioId) {
        test::RemoteApp app(test::TorvinExe(), folder_.Path());
        HWND main = StartMain(app);
        ASSERT_NE(main, nullptr);
        test::PressButton(main, IDC_CHOOSE_BACKGROUND);
        HWND chooser = app.WaitForWindowWithText(L"好きな色を選んでください♪");
        ASSERT_NE(chooser, nullptr);
        if (radioId != 0) {
            SendMessageW(GetDlgItem(chooser, radioId), BM_SETCHECK, BST_CHECKED, 0);
        }
        test::PressButton(chooser, IDOK);
        HWND notice = app.WaitForWindowWithText(L"Torvinを終了します。");
        ASSERT_NE(notice, nullptr);
        test::PressButton(notice, IDOK);
        ASSERT_TRUE(app.WaitForExit());
    }

    // Starts the program again and waits for the tile's base colour in the main window.
    bool NextStartShows(COLORREF colour) {
        test::RemoteApp app(test::TorvinExe(), folder_.Path());
        HWND main = StartMain(app);
        return main != nullptr && test::WaitUntil([&] { return ClientPixel(main, 7, 7) == colour; }, 5000);
    }

    std::string BackgroundLine() {
        const auto lines = SplitLines(test::ReadFileBytes(L"setting.ini"));
        return lines.size() > 3 ? lines[3] : "<short file>";
    }
};

TEST_F(BackgroundEndToEnd, BlueIsStoredTheProgramEndsAndTheNextStartIsBlue) {
    test::WriteFileBytes(L"setting.ini", SettingsWithPets({"A"}));
    ASSERT_TRUE(NextStartShows(kPinkBase));
    Choose(IDC_BG_BLUE);
    EXPECT_EQ(BackgroundLine(), "1");
    EXPECT_TRUE(NextStartShows(kBlueBase));
}

TEST_F(BackgroundEndToEnd, NoChoiceStoresMinusOneAndTheNextStartIsPink) {
    test::WriteFileBytes(L"setting.ini", SettingsWithPets({"A"}, 1));
    Choose(0);
    EXPECT_EQ(BackgroundLine(), "-1");
    EXPECT_TRUE(NextStartShows(kPinkBase));
}

}  // namespace
}  // namespace torvin
