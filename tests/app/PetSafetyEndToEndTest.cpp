// The real Torvin.exe with damaged, hand-edited and missing settings files, a hidden host and a
// second copy: no start loses or strands a pet's settings file.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/CodePage.h"
#include "settings/SettingsStore.h"
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

// A host hidden in the notification area still counts as running: nothing is swapped under it.
TEST_F(PetSafetyEndToEnd, AHiddenHostIsNeverSwappedUnder) {
    const std::wstring host = folder_.Path() + L"\\host";
    CreateDirectoryW(host.c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileW(test::WindowsPathOf(NIMBREL_EXE).c_str(), (host + L"\\Nimbrel20.exe").c_str(), FALSE));
    test::WriteFileBytes(host + L"\\Nimbrel設定.nbc", "A data\r\n");
    std::string file = test::SettingsFileWith({{"A", "", "", "", "", 1}, {"B", "", "", "", "", 1}});
    file.replace(file.find("C:\\Host"), 7, *NarrowCp932(host));
    test::WriteFileBytes(L"setting.ini", file);

    SetEnvironmentVariableW(L"NIMBREL_HIDDEN", L"1");
    test::RemoteApp hiddenHost(host + L"\\Nimbrel20.exe", host);
    SetEnvironmentVariableW(L"NIMBREL_HIDDEN", nullptr);
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"NimbrelStandIn", nullptr) != nullptr; }));
    test::RemoteApp app(test::TorvinExe(), folder_.Path());
    HWND main = StartMain(app);
    ASSERT_NE(main, nullptr);
    test::SelectListRow(GetDlgItem(main, IDC_PET_LIST), 1);
    PressButton(main, IDC_LAUNCH);
    HWND running = app.WaitForWindowWithText(L"すでにNimbrelが起動中です！");
    ASSERT_NE(running, nullptr);
    PressButton(running, IDOK);
    EXPECT_EQ(test::ReadFileBytes(host + L"\\Nimbrel設定.nbc"), "A data\r\n");
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), file);
    hiddenHost.Kill();
    app.Kill();
}

// Two copies started at once: creating the mark is the test, so exactly one main window opens.
TEST_F(PetSafetyEndToEnd, TwoCopiesStartedTogetherOpenOneMainWindow) {
    test::WriteFileBytes(L"setting.ini", test::SettingsFileWith({{"A", "", "", "", "", 1}}));
    test::RemoteApp first(test::TorvinExe(), folder_.Path());
    test::RemoteApp second(test::TorvinExe(), folder_.Path());
    ASSERT_TRUE(WaitUntil([&] {
        return first.WaitForWindow(test::IsMainWindow, 10) != nullptr ||
               second.WaitForWindow(test::IsMainWindow, 10) != nullptr;
    }));
    Sleep(1500);
    const bool firstMain = first.WaitForWindow(test::IsMainWindow, 10) != nullptr;
    const bool secondMain = second.WaitForWindow(test::IsMainWindow, 10) != nullptr;
    EXPECT_NE(firstMain, secondMain);
    first.Kill();
    second.Kill();
}

// A byte-order mark from an editor, or a capital V, no longer turns the pets into an empty roster.
TEST_F(PetSafetyEndToEnd, AByteOrderMarkOrACapitalVKeepsEveryPet) {
    const std::string file = test::SettingsFileWith({{"A", "", "", "", "", 1}, {"B", "", "", "", "", 1}});
    for (const std::string& edited : {"\xEF\xBB\xBF" + file, "V" + file.substr(1)}) {
        test::WriteFileBytes(L"setting.ini", edited);
        test::RemoteApp app(test::TorvinExe(), folder_.Path());
        HWND main = StartMain(app);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(Rows(main), (std::vector<std::wstring>{L"A", L"B"}));
        PressButton(main, IDOK);
        ASSERT_TRUE(app.WaitForExit());
        AppSettings read;
        ASSERT_TRUE(ReadSettings(RealFileSystem(), read));
        EXPECT_EQ(read.petCount, 2);
    }
}

// Copies of a read-only live file must not stay read-only, or the next replace fails for ever;
// names with bytes that are not CP932 name no file rather than another pet's folder.
TEST(WinFileSystem, CopiesAreNeverReadOnlyAndInvalidNamesNameNoFile) {
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
