// "Torvin.exe /launch <pet>" and the desktop shortcut on the real exe, with the stand-in host.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "framework/CodePage.h"
#include "framework/ResourceText.h"
#include "framework/ShellLink.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::ReadFileBytes;
using test::WaitUntil;

// Torvin.exe started with a command line in the working folder. Ending on its own also shows
// that no main window ran: only the user ends that.
bool EndsOnItsOwn(const std::wstring& arguments, const std::wstring& folder,
                  const std::wstring& exe = test::TorvinExe()) {
    return test::RemoteApp(exe, folder, arguments).WaitForExit(15000);
}

// Waits for a notice of the process (any window but its main window) showing the text of the
// exe's string table, and closes it with OK.
bool Noticed(const test::RemoteApp& app, UINT id, const std::wstring& value = L"") {
    HMODULE exe = LoadLibraryExW(test::TorvinExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::wstring text = LoadResourceText(exe, id);
    FreeLibrary(exe);
    if (const auto at = text.find(L"%1"); at != std::wstring::npos) {
        text.replace(at, 2, value);
    }
    HWND notice = app.WaitForWindow(
        [&](HWND window) { return !test::IsMainWindow(window) && test::HasChildWithText(window, text); });
    PostMessageW(notice, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(notice); });
    return notice != nullptr;
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

const std::wstring kLive = L"\\Nimbrel設定.nbc";

class LaunchCommandEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryW(L"host", nullptr);
        SHCreateDirectoryExW(nullptr, (work_.Path() + L"\\設定保存部屋\\ポチ").c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(test::WindowsPathOf(NIMBREL_EXE).c_str(), L"host\\Nimbrel20.exe", FALSE));
        test::WriteFileBytes(L"host" + kLive, "Hana live\r\n");
        test::WriteFileBytes(L"設定保存部屋\\ポチ" + kLive, "Pochi\r\n");
        // Only ハナ is visited by a mail check, on a server of the test that never answers.
        settings_.versionText = cp932::kVersionText;
        settings_.hostDir = *NarrowCp932(work_.Path() + L"\\host");
        settings_.petCount = 3;
        settings_.pets[0] = {*NarrowCp932(L"ハナ"), "", "127.0.0.14", "u", "p", 0};
        settings_.pets[1] = {*NarrowCp932(L"ポチ"), "", "", "", "", 1};
        settings_.pets[2] = {"Tama chan", "", "", "", "", 1};
        test::WriteFileBytes(L"setting.ini", SettingsWithActive(0));
    }

    std::string SettingsWithActive(int row) {
        settings_.activePet = settings_.pets[static_cast<std::size_t>(row)].name;
        return FormatSettings(settings_);
    }
    // Everything a launch changes, to show that a refusal changed nothing.
    static std::string Files() { return ReadFileBytes(L"setting.ini") + ReadFileBytes(L"host" + kLive); }
    // Waits for the stand-in host, returns its title and closes it.
    static std::wstring HostTitle() {
        HWND host = nullptr;
        WaitUntil([&] { return (host = FindWindowW(L"NimbrelStandIn", nullptr)) != nullptr; });
        const std::wstring title = test::WindowText(host);
        PostMessageW(host, WM_CLOSE, 0, 0);
        WaitUntil([] { return FindWindowW(L"NimbrelStandIn", nullptr) == nullptr; });
        return title;
    }

    test::TempFolder work_;
    AppSettings settings_;
};

TEST_F(LaunchCommandEndToEnd, AShortcutOfTheMenuLaunchesItsPetWithoutTheMainWindow) {
    const std::wstring desktop = work_.Path() + L"\\Desktop";
    CreateDirectoryW(desktop.c_str(), nullptr);
    DesktopRedirect redirect(desktop);
    test::WriteFileBytes(desktop + L"\\ポチ.lnk", "the user's own file");
    EXPECT_TRUE(Noticed(test::RemoteApp(test::TorvinExe(), work_.Path(), L"/launch ゴン"),
                        IDS_COMMAND_UNKNOWN_PET, L"ゴン"));

    test::RemoteApp app(test::TorvinExe(), work_.Path());
    HWND main = app.WaitForWindow(test::IsMainWindow);
    test::SelectListRow(GetDlgItem(main, IDC_PET_LIST), 1);
    // The second time, the shortcut made the first time is replaced.
    for (int made = 0; made < 2; ++made) {
        PostMessageW(main, WM_SYSCOMMAND, ID_SHORTCUT_COMMAND, 0);
        EXPECT_TRUE(Noticed(app, IDS_SHORTCUT_CREATED, L"ポチ (2).lnk"));
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
    EXPECT_EQ(HostTitle(), L"Nimbrel - Pochi");
}

TEST_F(LaunchCommandEndToEnd, TheRunningCopyLaunchesTheRequestUnlessAMailCheckRuns) {
    test::RemoteApp app(test::TorvinExe(), work_.Path());
    HWND main = app.WaitForWindow(test::IsMainWindow);
    EXPECT_TRUE(EndsOnItsOwn(L"/launch \"Tama chan\"", work_.Path()));
    EXPECT_EQ(HostTitle(), L"Nimbrel - (no settings file)");
    EXPECT_EQ(SendMessageW(GetDlgItem(main, IDC_PET_LIST), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 2);
    EXPECT_EQ(ReadFileBytes(L"setting.ini"), SettingsWithActive(2));
    EXPECT_TRUE(EndsOnItsOwn(L"/launch ゴン", work_.Path()));
    EXPECT_TRUE(Noticed(app, IDS_COMMAND_UNKNOWN_PET, L"ゴン"));

    WSADATA wsa{};
    WSAStartup(MAKEWORD(2, 2), &wsa);
    const SOCKET server = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    // A run just before may leave the port's last connection waiting to close.
    const BOOL reuse = TRUE;
    setsockopt(server, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in address{AF_INET, htons(110), {}, {}};
    address.sin_addr.s_addr = inet_addr("127.0.0.14");
    EXPECT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) | listen(server, 1), 0);
    test::PressButton(main, IDC_MAIL_START);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(main, IDC_MAIL_STOP)) != FALSE; }));
    const std::string before = Files();
    EXPECT_TRUE(EndsOnItsOwn(L"/launch ポチ", work_.Path()));
    EXPECT_TRUE(Noticed(app, IDS_LAUNCH_DURING_MAIL_CHECK));
    EXPECT_EQ(Files(), before);
    closesocket(server);
    WSACleanup();
}

}  // namespace
}  // namespace torvin
