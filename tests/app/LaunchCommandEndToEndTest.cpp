// "Torvin.exe /launch <pet>" and the desktop shortcut, on the real exe with the stand-in host:
// alone, handed to a running copy, and refused.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include "framework/CodePage.h"
#include "framework/ResourceText.h"
#include "framework/ShellLink.h"
#include "framework/UniqueHandle.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::WaitUntil;

// Torvin.exe started with a command line in a folder; ended when the object goes.
class Started {
  public:
    Started(const std::wstring& arguments, const std::wstring& folder,
            const std::wstring& exe = test::TorvinExe()) {
        std::wstring line = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &info)) {
            CloseHandle(info.hThread);
            process_.Reset(info.hProcess);
            id_ = info.dwProcessId;
        }
    }
    ~Started() {
        if (process_) {
            TerminateProcess(process_.Get(), 9);
        }
    }
    bool Ended() const { return WaitForSingleObject(process_.Get(), 15000) == WAIT_OBJECT_0; }
    DWORD Id() const { return id_; }

  private:
    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

struct NoticeSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindNotice(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<NoticeSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) && !test::IsMainWindow(window)) {
        search.found = window;
    }
    return search.found == nullptr;
}

// The static texts of the process's notice (a window other than its main window), which is
// then closed with OK.
std::wstring NoticeOf(DWORD processId) {
    NoticeSearch search{processId, nullptr};
    if (!WaitUntil([&] {
            EnumWindows(FindNotice, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        })) {
        return L"<no notice>";
    }
    std::wstring text;
    for (HWND child = GetWindow(search.found, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        text += _wcsicmp(name, L"Static") == 0 ? test::WindowText(child) : L"";
    }
    PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindowVisible(search.found); });
    return text;
}

// A text of the exe's string table, with %1 filled in.
std::wstring ExeText(UINT id, const std::wstring& value = L"") {
    HMODULE exe = LoadLibraryExW(test::TorvinExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::wstring text = LoadResourceText(exe, id);
    FreeLibrary(exe);
    const auto at = text.find(L"%1");
    return at == std::wstring::npos ? text : text.replace(at, 2, value);
}

// The shell's desktop folder moved to a folder of the test (the user's own setting), and back.
class DesktopRedirect {
  public:
    explicit DesktopRedirect(const std::wstring& folder) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        DWORD size = sizeof previous_;
        hadPrevious_ = RegQueryValueExW(key_, L"Desktop", nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(previous_), &size) == 0;
        Set(folder.c_str());
    }
    ~DesktopRedirect() {
        hadPrevious_ ? Set(previous_) : void(RegDeleteValueW(key_, L"Desktop"));
        RegCloseKey(key_);
    }

  private:
    static constexpr wchar_t kKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    void Set(const wchar_t* folder) const {
        RegSetValueExW(key_, L"Desktop", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder),
                       static_cast<DWORD>((wcslen(folder) + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    wchar_t previous_[MAX_PATH] = {};
    bool hadPrevious_ = false;
};

const std::wstring kLive = L"\\Nimbrel設定.nbc";

class LaunchCommandEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        host_ = work_.Path() + L"\\host";
        CreateDirectoryW(host_.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileW(test::WindowsPathOf(NIMBREL_EXE).c_str(), (host_ + L"\\Nimbrel20.exe").c_str(), FALSE));
        test::WriteFileBytes(host_ + kLive, "Hana live\r\n");
        CreateDirectoryW(L"設定保存部屋", nullptr);
        CreateDirectoryW(L"設定保存部屋\\ポチ", nullptr);
        test::WriteFileBytes(L"設定保存部屋\\ポチ" + kLive, "Pochi\r\n");
        // Only ハナ is visited by a mail check, on a server of the test that never answers.
        AppSettings s;
        s.versionText = cp932::kVersionText;
        s.hostDir = NarrowCp932(host_).value_or("");
        s.petCount = 3;
        s.pets[0] = {NarrowCp932(L"ハナ").value_or(""), "", "127.0.0.14", "u", "p", 0};
        s.pets[1] = {NarrowCp932(L"ポチ").value_or(""), "", "", "", "", 1};
        s.pets[2] = {"Tama chan", "", "", "", "", 1};
        s.activePet = s.pets[0].name;
        test::WriteFileBytes(L"setting.ini", FormatSettings(s));
    }

    // Everything the launch may change, to show that a refusal changed nothing.
    std::string Files() const {
        return test::ReadFileBytes(L"setting.ini") + test::ReadFileBytes(host_ + kLive) +
               test::ReadFileBytes(L"設定保存部屋\\ハナ" + kLive);
    }

    static std::wstring HostTitle() {
        HWND host = nullptr;
        WaitUntil([&] { return (host = FindWindowW(L"NimbrelStandIn", nullptr)) != nullptr; });
        return host != nullptr ? test::WindowText(host) : L"<no host>";
    }

    static void CloseHost() {
        PostMessageW(FindWindowW(L"NimbrelStandIn", nullptr), WM_CLOSE, 0, 0);
        WaitUntil([] { return FindWindowW(L"NimbrelStandIn", nullptr) == nullptr; });
    }

    std::string ActivePet() const {
        AppSettings s;
        ParseSettings(SplitLines(test::ReadFileBytes(L"setting.ini")), s);
        return s.activePet;
    }

    test::TempFolder work_;
    std::wstring host_;
};

TEST_F(LaunchCommandEndToEnd, TheMenuShortcutLaunchesItsPetWithoutTheMainWindow) {
    const std::wstring desktop = work_.Path() + L"\\desk";
    CreateDirectoryW(desktop.c_str(), nullptr);
    DesktopRedirect redirect(desktop);
    test::WriteFileBytes(desktop + L"\\ポチ.lnk", "the user's own file");
    {
        test::RemoteApp app(test::TorvinExe(), work_.Path());
        HWND main = app.WaitForWindow(test::IsMainWindow);
        ASSERT_NE(main, nullptr);
        test::SelectListRow(GetDlgItem(main, IDC_PET_LIST), 1);
        // The second time, the shortcut made the first time is replaced.
        for (int made = 0; made < 2; ++made) {
            PostMessageW(main, WM_SYSCOMMAND, ID_SHORTCUT_COMMAND, 0);
            EXPECT_EQ(NoticeOf(app.ProcessId()), ExeText(IDS_SHORTCUT_CREATED, L"ポチ (2).lnk"));
        }
    }
    EXPECT_EQ(test::ReadFileBytes(desktop + L"\\ポチ.lnk"), "the user's own file");
    EXPECT_EQ(GetFileAttributesW((desktop + L"\\ポチ (3).lnk").c_str()), INVALID_FILE_ATTRIBUTES);
    ComScope com;
    const auto link = LoadShellLink(desktop + L"\\ポチ (2).lnk");
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(_wcsicmp(link->target.c_str(), test::TorvinExe().c_str()), 0) << link->target;
    EXPECT_EQ(link->arguments, L"/launch \"ポチ\"");
    EXPECT_EQ(link->workingFolder, work_.Path());
    EXPECT_EQ(link->iconFile, link->target);
    EXPECT_EQ(link->iconIndex, 0);

    // Ending on its own shows that no main window ran: only the user ends that.
    EXPECT_TRUE(Started(link->arguments, link->workingFolder, link->target).Ended());
    EXPECT_EQ(HostTitle(), L"Nimbrel - Pochi");
    EXPECT_EQ(test::ReadFileBytes(L"設定保存部屋\\ハナ" + kLive), "Hana live\r\n");
    EXPECT_EQ(ActivePet(), NarrowCp932(L"ポチ"));

    const std::string launched = Files();
    Started whileHostRuns(link->arguments, link->workingFolder, link->target);
    EXPECT_NE(NoticeOf(whileHostRuns.Id()), L"<no notice>");
    EXPECT_TRUE(whileHostRuns.Ended());
    EXPECT_EQ(Files(), launched);
    CloseHost();
}

TEST_F(LaunchCommandEndToEnd, AWrongCommandLineSaysWhatIsWrongAndChangesNothing) {
    const struct {
        const wchar_t* arguments;
        UINT text;
        const wchar_t* value;
    } cases[] = {
        {L"/start ポチ", IDS_COMMAND_UNKNOWN_OPTION, L"/start"},
        {L"/LAUNCH", IDS_COMMAND_MISSING_NAME, L""},
        {L"/launch Tama chan", IDS_COMMAND_EXTRA_ARGUMENTS, L"chan"},
        {L"/launch ゴン", IDS_COMMAND_UNKNOWN_PET, L"ゴン"},
        {L"/launch ポチ\U0001F600", IDS_COMMAND_NOT_CP932, L""},
    };
    const std::string before = Files();
    for (const auto& c : cases) {
        Started torvin(c.arguments, work_.Path());
        EXPECT_EQ(NoticeOf(torvin.Id()), ExeText(c.text, c.value)) << c.arguments;
        EXPECT_TRUE(torvin.Ended()) << c.arguments;
    }
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(FindWindowW(L"NimbrelStandIn", nullptr), nullptr);
}

TEST_F(LaunchCommandEndToEnd, TheRunningCopyLaunchesTheRequestUnlessAMailCheckRuns) {
    test::RemoteApp app(test::TorvinExe(), work_.Path());
    HWND main = app.WaitForWindow(test::IsMainWindow);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(Started(L"/launch \"Tama chan\"", work_.Path()).Ended());
    EXPECT_EQ(HostTitle(), L"Nimbrel - (no settings file)");
    EXPECT_EQ(SendMessageW(GetDlgItem(main, IDC_PET_LIST), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 2);
    EXPECT_EQ(ActivePet(), "Tama chan");
    EXPECT_EQ(test::ReadFileBytes(L"設定保存部屋\\ハナ" + kLive), "Hana live\r\n");
    CloseHost();

    EXPECT_TRUE(Started(L"/launch ゴン", work_.Path()).Ended());
    EXPECT_EQ(NoticeOf(app.ProcessId()), ExeText(IDS_COMMAND_UNKNOWN_PET, L"ゴン"));

    // ハナ's server takes the connection and never answers, so the check stays running.
    WSADATA wsa{};
    WSAStartup(MAKEWORD(2, 2), &wsa);
    UniqueSocket server(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{AF_INET, htons(110), {}, {}};
    address.sin_addr.s_addr = inet_addr("127.0.0.14");
    ASSERT_EQ(bind(server.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(server.Get(), 1), 0);
    test::PressButton(main, IDC_MAIL_START);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(main, IDC_MAIL_STOP)) != FALSE; }));
    const std::string before = Files();
    EXPECT_TRUE(Started(L"/launch ポチ", work_.Path()).Ended());
    EXPECT_EQ(NoticeOf(app.ProcessId()), ExeText(IDS_LAUNCH_DURING_MAIL_CHECK));
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(FindWindowW(L"NimbrelStandIn", nullptr), nullptr);
    WSACleanup();
}

}  // namespace
}  // namespace torvin
