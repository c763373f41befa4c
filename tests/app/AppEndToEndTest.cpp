// The real Torvin.exe, the very file the release zip carries, started in a fresh working folder
// and driven from outside.
#include <gtest/gtest.h>

#include <windows.h>

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

BOOL CALLBACK CollectManifest(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR text) {
    HRSRC found = FindResourceW(module, name, type);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    reinterpret_cast<std::string*>(text)->append(bytes, SizeofResource(module, found));
    return TRUE;
}

// A requested execution level would switch off the file virtualisation that a 32-bit host under
// Program Files relies on: Torvin must see the settings file the host sees.
TEST(ShippedExe, AsksForNoExecutionLevel) {
    HMODULE exe = LoadLibraryExW(test::TorvinExe().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr);
    std::string manifests;
    EnumResourceNamesW(exe, RT_MANIFEST, CollectManifest, reinterpret_cast<LONG_PTR>(&manifests));
    FreeLibrary(exe);
    EXPECT_EQ(manifests.find("requestedExecutionLevel"), std::string::npos) << manifests;
}

class AppEndToEnd : public testing::Test {
  protected:
    // Starts the program and waits for its main window.
    HWND Start(test::RemoteApp& app) {
        HWND main = app.WaitForWindow(test::IsMainWindow);
        EXPECT_NE(main, nullptr);
        return main;
    }

    test::TempFolder folder_;
};

TEST_F(AppEndToEnd, RowsFollowTheFileEnterSavesItAndEscapeEndsWithoutWriting) {
    const std::string file = SettingsWithPets({"\x83\x6e\x83\x69", "Pochi"});
    for (const WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_RETURN}}) {
        test::WriteFileBytes(L"setting.ini", file + "marker");
        test::RemoteApp app(test::TorvinExe(), folder_.Path());
        HWND main = Start(app);
        ASSERT_NE(main, nullptr);
        HWND list = GetDlgItem(main, IDC_PET_LIST);
        ASSERT_EQ(test::ListCount(list), 2);
        EXPECT_EQ(test::ListCell(list, 0, 0), L"ハナ");
        EXPECT_EQ(test::ListCell(list, 1, 0), L"Pochi");
        EXPECT_EQ(test::ListCell(list, 1, 1), L"");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_MAIL_STOP)));
        PostMessageW(list, WM_KEYDOWN, key, 0);
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), key == VK_ESCAPE ? file + "marker" : file);
    }
}

// The colour on screen at client point (7, 7), which lies in the base colour of every tile.
COLORREF BaseColour(HWND window) {
    POINT point{7, 7};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST_F(AppEndToEnd, TheChosenBackgroundIsStoredTheProgramEndsAndTheNextStartShowsIt) {
    constexpr COLORREF kPink = RGB(252, 228, 236), kBlue = RGB(212, 227, 255);
    const struct {
        int kindBefore, radio;
        const char* line;
        COLORREF before, after;
    } choices[] = {{0, IDC_BG_BLUE, "1", kPink, kBlue}, {1, 0, "-1", kBlue, kPink}};
    for (const auto& choice : choices) {
        test::WriteFileBytes(L"setting.ini", SettingsWithPets({"A"}, choice.kindBefore));
        test::RemoteApp app(test::TorvinExe(), folder_.Path());
        HWND main = Start(app);
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(test::WaitUntil([&] { return BaseColour(main) == choice.before; }));
        test::PressButton(main, IDC_CHOOSE_BACKGROUND);
        HWND chooser = app.WaitForWindowWithText(L"好きな色を選んでください♪");
        ASSERT_NE(chooser, nullptr);
        if (choice.radio != 0) {
            SendMessageW(GetDlgItem(chooser, choice.radio), BM_SETCHECK, BST_CHECKED, 0);
        }
        test::PressButton(chooser, IDOK);
        HWND notice = app.WaitForWindowWithText(L"Torvinを終了します。");
        ASSERT_NE(notice, nullptr);
        test::PressButton(notice, IDOK);
        ASSERT_TRUE(app.WaitForExit());
        const auto lines = SplitLines(test::ReadFileBytes(L"setting.ini"));
        EXPECT_EQ(lines.size() > 3 ? lines[3] : "<short file>", choice.line);
        test::RemoteApp next(test::TorvinExe(), folder_.Path());
        HWND again = Start(next);
        EXPECT_TRUE(again != nullptr && test::WaitUntil([&] { return BaseColour(again) == choice.after; }));
    }
}

}  // namespace
}  // namespace torvin
