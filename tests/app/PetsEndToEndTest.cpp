// First-run setup, adding, launching and deleting pets on the real Torvin.exe with the stand-in
// host, driven from outside as a user would.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RemoteApp.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::PressButton;
using test::WaitUntil;

const std::wstring kStore = L"\\設定保存部屋\\";
const std::wstring kSettingsFile = L"Nimbrel設定.nbc";

class PetsEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        host_ = work_.Path() + L"\\ホスト フォルダ";
        CreateDirectoryW(host_.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileW(test::WindowsPathOf(NIMBREL_EXE).c_str(), (host_ + L"\\Nimbrel20.exe").c_str(), FALSE));
        test::WriteFileBytes(host_ + L"\\" + kSettingsFile, "Hana first\r\n");
    }

    std::wstring StoredFile(const std::wstring& pet) const {
        return work_.Path() + kStore + pet + L"\\" + kSettingsFile;
    }

    // Types into an edit of another process; the change notification reaches its dialog.
    static void Type(HWND dialog, int id, const wchar_t* text) {
        SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    // Answers the shell's folder browser the way a user picks a folder in it.
    void ChooseFolder(test::RemoteApp& app, const std::wstring& folder) {
        HWND browser =
            app.WaitForWindow([](HWND w) { return test::FindChildOfClass(w, L"SysTreeView32") != nullptr; });
        ASSERT_NE(browser, nullptr);
        // The browser fills its tree after it shows and may drop a selection made meanwhile:
        // select until the tree shows the folder selected.
        HWND tree = test::FindChildOfClass(browser, L"SysTreeView32");
        const std::wstring leaf = folder.substr(folder.rfind(L'\\') + 1);
        ASSERT_TRUE(WaitUntil([&] {
            test::SendWithRemoteText(browser, BFFM_SETSELECTIONW, TRUE, folder);
            return test::TreeSelectionText(tree) == leaf;
        }));
        PressButton(browser, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
    }

    HWND AddPet(test::RemoteApp& app, HWND main, const wchar_t* name) {
        PressButton(main, IDC_ADD_PET);
        HWND add = app.WaitForWindowWithText(L"追加したいペットの名前を入力して下さい。");
        if (add == nullptr) {
            return nullptr;
        }
        Type(add, IDC_NEW_PET_NAME, name);
        PressButton(add, IDOK);
        WaitUntil([&] { return !IsWindow(add); });
        return add;
    }

    // Launches the row's pet and waits for the stand-in host; returns its window's title.
    std::wstring Launch(HWND main, int row) {
        test::SelectListRow(GetDlgItem(main, IDC_PET_LIST), row);
        PressButton(main, IDC_LAUNCH);
        HWND host = nullptr;
        WaitUntil([&] { return (host = FindWindowW(L"NimbrelStandIn", nullptr)) != nullptr; });
        return host != nullptr ? test::WindowText(host) : L"<no host>";
    }

    // Closes the stand-in host and waits for its process to end: Torvin counts a host as running
    // while its process lives, after its window has gone.
    static void CloseHost() {
        HWND host = FindWindowW(L"NimbrelStandIn", nullptr);
        DWORD processId = 0;
        GetWindowThreadProcessId(host, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
        PostMessageW(host, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(process, 30000), WAIT_OBJECT_0);
        CloseHandle(process);
    }

    test::TempFolder work_;
    std::wstring host_;
};

TEST_F(PetsEndToEnd, SetupAddLaunchEachAndDeleteKeepEveryPetsOwnHistory) {
    // Every host sits hidden in the notification area, and still counts as running.
    SetEnvironmentVariableW(L"NIMBREL_HIDDEN", L"1");
    test::RemoteApp app(test::TorvinExe(), work_.Path());
    SetEnvironmentVariableW(L"NIMBREL_HIDDEN", nullptr);
    HWND setup = app.WaitForWindowWithText(L"ようこそ、Torvinへ！");
    ASSERT_NE(setup, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(setup, IDOK)));
    Type(setup, IDC_SETUP_NAME, L"ハナ");
    PressButton(setup, IDC_SETUP_BROWSE);
    ChooseFolder(app, host_);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(setup, IDOK)) != FALSE; }));
    EXPECT_EQ(test::WindowText(GetDlgItem(setup, IDC_SETUP_FOLDER)), host_);
    PressButton(setup, IDOK);

    HWND main = app.WaitForWindow([](HWND w) { return GetDlgItem(w, IDC_PET_LIST) != nullptr; });
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, IDC_PET_LIST);
    ASSERT_TRUE(WaitUntil([&] { return test::ListCount(list) == 1; }));
    EXPECT_EQ(test::ListCell(list, 0, 0), L"ハナ");
    EXPECT_EQ(test::ReadFileBytes(work_.Path() + kStore + L"初期設定バックアップ\\" + kSettingsFile),
              "Hana first\r\n");

    ASSERT_NE(AddPet(app, main, L"ポチ"), nullptr);
    ASSERT_NE(AddPet(app, main, L"Tama"), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return test::ListCount(list) == 3; }));
    EXPECT_EQ(test::ListCell(list, 2, 0), L"Tama");

    EXPECT_EQ(Launch(main, 0), L"Nimbrel - Hana first");
    // While the hidden host runs, launching is refused even with no row selected.
    test::SelectListRow(list, -1);
    PressButton(main, IDC_LAUNCH);
    HWND running = app.WaitForWindowWithText(L"すでにNimbrelが起動中です！");
    ASSERT_NE(running, nullptr);
    PressButton(running, IDOK);
    WaitUntil([&] { return !IsWindow(running); });
    CloseHost();

    // Each pet starts with its own file: none yet for a new pet, then what its last session left.
    const std::pair<int, const wchar_t*> launches[] = {
        {1, L"(no settings file)"}, {2, L"(no settings file)"}, {0, L"Hana first"}, {2, L"session 1"}};
    for (const auto& [row, file] : launches) {
        EXPECT_EQ(Launch(main, row), std::wstring(L"Nimbrel - ") + file);
        CloseHost();
    }

    EXPECT_EQ(test::ReadFileBytes(StoredFile(L"ハナ")), "Hana first\r\nsession 1\r\nsession 2\r\n");
    EXPECT_EQ(test::ReadFileBytes(StoredFile(L"ポチ")), "session 1\r\n");
    EXPECT_EQ(test::ReadFileBytes(host_ + L"\\" + kSettingsFile), "session 1\r\nsession 2\r\n");

    // Deleting the active pet clears it in the file too.
    test::SelectListRow(list, 2);
    PressButton(main, IDC_DELETE_PET);
    HWND confirm = app.WaitForWindowWithText(L"それでも本当に削除しますか？");
    ASSERT_NE(confirm, nullptr);
    PressButton(confirm, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return test::ListCount(list) == 2; }));
    PressButton(main, IDOK);
    ASSERT_TRUE(app.WaitForExit());
    const std::string settings = test::ReadFileBytes(work_.Path() + L"\\setting.ini");
    EXPECT_NE(settings.find("\r\n2\r\n\r\n\r\n\r\n"), std::string::npos) << settings;
    EXPECT_EQ(GetFileAttributesW((work_.Path() + kStore + L"Tama").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace torvin
