// The real Torvin.exe with the stand-in host, driven from outside as a user would: first-run
// setup, adding, launching and deleting pets, "Torvin.exe /launch <pet>" and the desktop shortcut.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "framework/CodePage.h"
#include "framework/ResourceText.h"
#include "framework/ShellLink.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScriptedPopServer.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::PressButton;
using test::ReadFileBytes;
using test::WaitUntil;

const std::wstring kStore = L"\\設定保存部屋\\";
const std::wstring kLive = L"\\Nimbrel設定.nbc";

class HostEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        host_ = work_.Path() + L"\\ホスト フォルダ";
        CreateDirectoryW(host_.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileW(test::WindowsPathOf(NIMBREL_EXE).c_str(), (host_ + L"\\Nimbrel20.exe").c_str(), FALSE));
        test::WriteFileBytes(host_ + kLive, "Hana first\r\n");
    }

    // Waits for the stand-in host and returns its title, after closing it and waiting for its
    // process to end: Torvin counts a host as running while its process lives.
    static std::wstring CloseHost() {
        HWND host = nullptr;
        WaitUntil([&] { return (host = FindWindowW(L"NimbrelStandIn", nullptr)) != nullptr; });
        const std::wstring title = host != nullptr ? test::WindowText(host) : L"<no host>";
        DWORD processId = 0;
        GetWindowThreadProcessId(host, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
        PostMessageW(host, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(process, 30000), WAIT_OBJECT_0);
        CloseHandle(process);
        return title;
    }

    test::TempFolder work_;
    std::wstring host_;
};

// Types into an edit of another process; the change notification reaches its dialog.
void Type(HWND dialog, int id, const wchar_t* text) {
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

TEST_F(HostEndToEnd, SetupAddLaunchEachAndDeleteKeepEveryPetsOwnHistory) {
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

    HWND main = app.WaitForWindow(test::IsMainWindow);
    ASSERT_NE(main, nullptr);
    HWND list = GetDlgItem(main, IDC_PET_LIST);
    ASSERT_TRUE(WaitUntil([&] { return test::ListCount(list) == 1; }));
    EXPECT_EQ(test::ListCell(list, 0, 0), L"ハナ");
    EXPECT_EQ(ReadFileBytes(work_.Path() + kStore + L"初期設定バックアップ" + kLive), "Hana first\r\n");

    for (const wchar_t* name : {L"ポチ", L"Tama"}) {
        PressButton(main, IDC_ADD_PET);
        HWND add = app.WaitForWindowWithText(L"追加したいペットの名前を入力して下さい。");
        ASSERT_NE(add, nullptr);
        Type(add, IDC_NEW_PET_NAME, name);
        PressButton(add, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(add); }));
    }
    ASSERT_TRUE(WaitUntil([&] { return test::ListCount(list) == 3; }));
    EXPECT_EQ(test::ListCell(list, 2, 0), L"Tama");

    test::SelectListRow(list, 0);
    PressButton(main, IDC_LAUNCH);
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"NimbrelStandIn", nullptr) != nullptr; }));
    // While the hidden host runs, launching is refused even with no row selected.
    test::SelectListRow(list, -1);
    PressButton(main, IDC_LAUNCH);
    EXPECT_TRUE(test::Answer(app, L"すでにNimbrelが起動中です！"));
    EXPECT_EQ(CloseHost(), L"Nimbrel - Hana first");

    // Each pet starts with its own file: none yet for a new pet, then what its last session left.
    const std::pair<int, const wchar_t*> launches[] = {
        {1, L"(no settings file)"}, {2, L"(no settings file)"}, {0, L"Hana first"}, {2, L"session 1"}};
    for (const auto& [row, file] : launches) {
        test::SelectListRow(list, row);
        PressButton(main, IDC_LAUNCH);
        EXPECT_EQ(CloseHost(), std::wstring(L"Nimbrel - ") + file);
    }
    EXPECT_EQ(ReadFileBytes(work_.Path() + kStore + L"ハナ" + kLive),
              "Hana first\r\nsession 1\r\nsession 2\r\n");
    EXPECT_EQ(ReadFileBytes(work_.Path() + kStore + L"ポチ" + kLive), "session 1\r\n");
    EXPECT_EQ(ReadFileBytes(host_ + kLive), "session 1\r\nsession 2\r\n");

    // Deleting the active pet clears it in the file too.
    test::SelectListRow(list, 2);
    PressButton(main, IDC_DELETE_PET);
    EXPECT_TRUE(test::Answer(app, L"それでも本当に削除しますか？"));
    ASSERT_TRUE(WaitUntil([&] { return test::ListCount(list) == 2; }));
    PressButton(main, IDOK);
    ASSERT_TRUE(app.WaitForExit());
    const std::string settings = ReadFileBytes(work_.Path() + L"\\setting.ini");
    EXPECT_NE(settings.find("\r\n2\r\n\r\n\r\n\r\n"), std::string::npos) << settings;
    EXPECT_EQ(GetFileAttributesW((work_.Path() + kStore + L"Tama").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Torvin.exe started with a command line in the working folder. Ending on its own also shows
// that no main window ran: only the user ends that.
bool EndsOnItsOwn(const std::wstring& arguments, const std::wstring& folder,
                  const std::wstring& exe = test::TorvinExe()) {
    return test::RemoteApp(exe, folder, arguments).WaitForExit(15000);
}

// The text of the exe's string table entry, with %1 filled in.
std::wstring ExeText(UINT id, const std::wstring& value = L"") {
    HMODULE exe = LoadLibraryExW(test::TorvinExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::wstring text = LoadResourceText(exe, id);
    FreeLibrary(exe);
    if (const auto at = text.find(L"%1"); at != std::wstring::npos) {
        text.replace(at, 2, value);
    }
    return text;
}

// The desktop moved to a folder of the test, as a user may move it, and back to the default.
struct DesktopRedirect {
    explicit DesktopRedirect(const std::wstring& folder) { Set(folder.c_str()); }
    ~DesktopRedirect() { Set(L"%USERPROFILE%\\Desktop"); }
    static void Set(const wchar_t* folder) {
        RegSetKeyValueW(
            HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
            L"Desktop", REG_EXPAND_SZ, folder, static_cast<DWORD>((wcslen(folder) + 1) * sizeof(wchar_t)));
    }
};

// Pets ハナ (active, visited by a mail check on a server of the test that never answers), ポチ
// (with a stored file) and "Tama chan".
class LaunchCommandEndToEnd : public HostEndToEnd {
  protected:
    void SetUp() override {
        HostEndToEnd::SetUp();
        SHCreateDirectoryExW(nullptr, (work_.Path() + kStore + L"ポチ").c_str(), nullptr);
        test::WriteFileBytes(work_.Path() + kStore + L"ポチ" + kLive, "Pochi\r\n");
        settings_.versionText = cp932::kVersionText;
        settings_.hostDir = *NarrowCp932(host_);
        settings_.petCount = 3;
        settings_.pets[0] = {
            *NarrowCp932(L"ハナ"), "", "localhost:" + std::to_string(silent_.Port()), "u", "p", 0};
        settings_.pets[1] = {*NarrowCp932(L"ポチ"), "", "", "", "", 1};
        settings_.pets[2] = {"Tama chan", "", "", "", "", 1};
        test::WriteFileBytes(L"setting.ini", SettingsWithActive(0));
    }

    std::string SettingsWithActive(int row) {
        settings_.activePet = settings_.pets[static_cast<std::size_t>(row)].name;
        return FormatSettings(settings_);
    }
    // Everything a launch changes, to show that a refusal changed nothing.
    std::string Files() const { return ReadFileBytes(L"setting.ini") + ReadFileBytes(host_ + kLive); }

    test::ScriptedPopServer silent_{{std::vector<test::ServerStep>{}}};
    AppSettings settings_;
};

TEST_F(LaunchCommandEndToEnd, AShortcutOfTheMenuLaunchesItsPetWithoutTheMainWindow) {
    const std::wstring desktop = work_.Path() + L"\\Desktop";
    CreateDirectoryW(desktop.c_str(), nullptr);
    DesktopRedirect redirect(desktop);
    test::WriteFileBytes(desktop + L"\\ポチ.lnk", "the user's own file");
    EXPECT_TRUE(test::Answer(test::RemoteApp(test::TorvinExe(), work_.Path(), L"/launch ゴン"),
                             ExeText(IDS_COMMAND_UNKNOWN_PET, L"ゴン")));

    test::RemoteApp app(test::TorvinExe(), work_.Path());
    HWND main = app.WaitForWindow(test::IsMainWindow);
    test::SelectListRow(GetDlgItem(main, IDC_PET_LIST), 1);
    // The second time, the shortcut made the first time is replaced.
    for (int made = 0; made < 2; ++made) {
        PostMessageW(main, WM_SYSCOMMAND, ID_SHORTCUT_COMMAND, 0);
        EXPECT_TRUE(test::Answer(app, ExeText(IDS_SHORTCUT_CREATED, L"ポチ (2).lnk")));
    }
    app.Kill();
    EXPECT_EQ(ReadFileBytes(desktop + L"\\ポチ.lnk"), "the user's own file");
    EXPECT_EQ(GetFileAttributesW((desktop + L"\\ポチ (3).lnk").c_str()), INVALID_FILE_ATTRIBUTES);
    const auto link = LoadShellLink(desktop + L"\\ポチ (2).lnk").value_or(ShellLinkFields{});
    EXPECT_EQ(_wcsicmp(link.target.c_str(), test::TorvinExe().c_str()), 0) << link.target;
    EXPECT_EQ(link.arguments + L"|" + link.workingFolder, L"/launch \"ポチ\"|" + work_.Path());
    EXPECT_EQ(link.iconFile + L"," + std::to_wstring(link.iconIndex), link.target + L",0");

    EXPECT_TRUE(EndsOnItsOwn(link.arguments, link.workingFolder, link.target));
    EXPECT_EQ(ReadFileBytes(L"setting.ini"), SettingsWithActive(1));
    EXPECT_EQ(CloseHost(), L"Nimbrel - Pochi");
}

TEST_F(LaunchCommandEndToEnd, TheRunningCopyLaunchesTheRequestUnlessAMailCheckRuns) {
    test::RemoteApp app(test::TorvinExe(), work_.Path());
    HWND main = app.WaitForWindow(test::IsMainWindow);
    EXPECT_TRUE(EndsOnItsOwn(L"/launch \"Tama chan\"", work_.Path()));
    EXPECT_EQ(CloseHost(), L"Nimbrel - (no settings file)");
    EXPECT_EQ(SendMessageW(GetDlgItem(main, IDC_PET_LIST), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 2);
    EXPECT_EQ(ReadFileBytes(L"setting.ini"), SettingsWithActive(2));
    EXPECT_TRUE(EndsOnItsOwn(L"/launch ゴン", work_.Path()));
    EXPECT_TRUE(test::Answer(app, ExeText(IDS_COMMAND_UNKNOWN_PET, L"ゴン")));

    PressButton(main, IDC_MAIL_START);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(main, IDC_MAIL_STOP)) != FALSE; }));
    const std::string before = Files();
    EXPECT_TRUE(EndsOnItsOwn(L"/launch ポチ", work_.Path()));
    EXPECT_TRUE(test::Answer(app, ExeText(IDS_LAUNCH_DURING_MAIL_CHECK)));
    EXPECT_EQ(Files(), before);
}

}  // namespace
}  // namespace torvin
