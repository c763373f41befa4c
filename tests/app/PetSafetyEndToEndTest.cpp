// The real Torvin.exe with a damaged or missing settings file and a second copy: no start loses
// or strands a pet's settings file.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/WinFileSystem.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::PressButton;
using test::WaitUntil;

// A message box of the process whose text contains the fragment.
HWND WaitForNoticeContaining(const test::RemoteApp& app, const std::wstring& fragment) {
    return app.WaitForWindow([&](HWND window) {
        HWND text = FindWindowExW(window, nullptr, L"Static", nullptr);
        for (; text != nullptr; text = FindWindowExW(window, text, L"Static", nullptr)) {
            if (test::WindowText(text).find(fragment) != std::wstring::npos) {
                return true;
            }
        }
        return false;
    });
}

class PetSafetyEndToEnd : public testing::Test {
  protected:
    HWND StartMain(test::RemoteApp& app) { return app.WaitForWindow(test::IsMainWindow); }
    std::vector<std::wstring> Rows(HWND main) {
        std::vector<std::wstring> rows;
        HWND list = GetDlgItem(main, IDC_PET_LIST);
        for (int i = 0; i < test::ListCount(list); ++i) {
            rows.push_back(test::ListCell(list, i, 0));
        }
        return rows;
    }

    test::TempFolder folder_;
};

// Only a missing file is a first start: a cut one keeps every complete pet and its original.
TEST_F(PetSafetyEndToEnd, ADamagedFileIsKeptBesideAndItsCompletePetsStay) {
    std::string file = test::SettingsFileWith({{"A", "", "", "", "", 1}, {"B", "", "", "", "", 1}});
    file.resize(file.size() - 8);  // the last "------" line is gone
    test::WriteFileBytes(L"setting.ini", file);
    test::RemoteApp app(test::TorvinExe(), folder_.Path());
    HWND notice = WaitForNoticeContaining(app, L"setting.ini.kept1");
    ASSERT_NE(notice, nullptr);
    PostMessageW(notice, WM_COMMAND, IDOK, 0);
    HWND main = StartMain(app);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Rows(main), std::vector<std::wstring>{L"A"});
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini.kept1"), file);
    PressButton(main, IDOK);
    ASSERT_TRUE(app.WaitForExit());
}

// Escape at the first setup records nothing, so the next start offers the setup again.
TEST_F(PetSafetyEndToEnd, AnEscapedSetupShowsNoRowAndLeavesTheSetupForTheNextStart) {
    for (int start = 0; start < 2; ++start) {
        test::RemoteApp app(test::TorvinExe(), folder_.Path());
        HWND setup = app.WaitForWindowWithText(L"ようこそ、Torvinへ！");
        ASSERT_NE(setup, nullptr) << start;
        PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
        HWND main = StartMain(app);
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(Rows(main).empty());
        PressButton(main, IDOK);
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_EQ(GetFileAttributesW(L"setting.ini"), INVALID_FILE_ATTRIBUTES);
    }
}

// Two copies started at once: creating the mark is the test, so exactly one main window opens.
// The other says so and ends without touching the settings, and once the first is gone a new
// start opens normally.
TEST_F(PetSafetyEndToEnd, OfTwoCopiesStartedTogetherOneRunsAndTheOtherTouchesNothing) {
    const std::string file = test::SettingsFileWith({{"A", "", "", "", "", 1}});
    test::WriteFileBytes(L"setting.ini", file);
    test::RemoteApp copies[] = {{test::TorvinExe(), folder_.Path()}, {test::TorvinExe(), folder_.Path()}};
    int winner = -1;
    ASSERT_TRUE(WaitUntil([&] {
        for (winner = 0; winner < 2; ++winner) {
            if (copies[winner].WaitForWindow(test::IsMainWindow, 10) != nullptr) {
                return true;
            }
        }
        return false;
    }));
    test::RemoteApp& first = copies[winner];
    test::RemoteApp& second = copies[1 - winner];
    HWND refusal = second.WaitForWindowWithText(L"既に起動されています。");
    ASSERT_NE(refusal, nullptr);
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), file);
    PostMessageW(StartMain(first), WM_SYSCOMMAND, ID_ABOUT_COMMAND, 0);
    HWND about = first.WaitForWindowWithText(L"Torvin Version 1.0");
    EXPECT_EQ(test::WindowText(about), L"Torvinのﾊﾞｰｼﾞｮﾝ情報");
    first.Kill();
    test::RemoteApp next(test::TorvinExe(), folder_.Path());
    EXPECT_NE(StartMain(next), nullptr);
}

// Copies of a read-only live file must not stay read-only, or the next replace fails for ever;
// names with bytes that are not CP932 name no file rather than another pet's folder.
TEST(WinFileSystem, CopiesAreNeverReadOnlyAndInvalidNamesNameNoFile) {
    test::TempFolder folder;
    WinFileSystem fs;
    ASSERT_TRUE(fs.WriteWhole("live", "data"));
    SetFileAttributesW(L"live", FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(fs.CopyNoOverwrite("live", "copy"));
    ASSERT_TRUE(fs.MoveReplacing("live", "moved"));
    EXPECT_TRUE(fs.WriteWhole("copy", "over") && fs.RemoveFile("moved"));
    EXPECT_TRUE(fs.MakeFolder("A\x81\x45"));  // "A・"
    EXPECT_FALSE(fs.MakeFolder("A\x85\x40"));
    EXPECT_FALSE(fs.SameEntryName("A\x85\x40", "A\x81\x45"));
    EXPECT_TRUE(fs.SameEntryName("\x83\x9f", "\x83\xbf"));  // Greek "Α" and "α"
}

}  // namespace
}  // namespace torvin
