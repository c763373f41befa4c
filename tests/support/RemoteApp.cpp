#include "tests/support/RemoteApp.h"

#include <commctrl.h>

#include <vector>

namespace torvin::test {

std::wstring WindowsPathOf(const char* buildPath) {
    std::wstring path = L"Z:";
    for (const char* c = buildPath; *c != '\0'; ++c) {
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    return path;
}

RemoteApp::RemoteApp(const std::wstring& exe, const std::wstring& workingFolder) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingFolder.c_str(),
                       &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
    }
}

RemoteApp::~RemoteApp() {
    if (process_ != nullptr) {
        Kill();
        CloseHandle(process_);
    }
}

void RemoteApp::Kill() {
    if (process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 9);
        WaitForSingleObject(process_, 5000);
    }
}

bool RemoteApp::WaitForExit(DWORD timeoutMs) const {
    return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

namespace {

struct Search {
    DWORD processId;
    const std::function<bool(HWND)>* accept;
    HWND found;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) && (*search.accept)(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct TextSearch {
    const std::wstring* text;
    bool found;
};

BOOL CALLBACK VisitChild(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<TextSearch*>(data);
    if (WindowText(child) == *search.text) {
        search.found = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND RemoteApp::WaitForWindow(const std::function<bool(HWND)>& accept, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            Search search{processId_, &accept, nullptr};
            EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
            found = search.found;
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND RemoteApp::WaitForWindowWithText(const std::wstring& text, DWORD timeoutMs) const {
    return WaitForWindow([&](HWND window) { return HasChildWithText(window, text); }, timeoutMs);
}

bool HasChildWithText(HWND window, const std::wstring& text) {
    TextSearch search{&text, false};
    EnumChildWindows(window, VisitChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildOfClass(HWND window, const std::wstring& className) {
    struct Find {
        const std::wstring* name;
        HWND found;
    } find{&className, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& f = *reinterpret_cast<Find*>(data);
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (*f.name == name) {
                f.found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

bool HasChildOfClass(HWND window, const std::wstring& className) {
    return FindChildOfClass(window, className) != nullptr;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    // WM_GETTEXT is carried across processes by the system.
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return buffer;
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int ListCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

namespace {

// Memory in the list's process for a request record and its text buffer.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_ != nullptr) {
            memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        }
    }
    ~RemoteBuffer() {
        if (memory_ != nullptr) {
            VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* At(SIZE_T offset) const { return static_cast<char*>(memory_) + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        return WriteProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        return ReadProcessMemory(process_, At(offset), data, size, nullptr) != FALSE;
    }
    bool Valid() const { return memory_ != nullptr; }

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

}  // namespace

LRESULT SendWithRemoteText(HWND window, UINT message, WPARAM wParam, const std::wstring& text) {
    const SIZE_T size = (text.size() + 1) * sizeof(wchar_t);
    RemoteBuffer remote(window, size);
    remote.Write(0, text.c_str(), size);
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(remote.At(0)));
}

std::wstring ListCell(HWND list, int row, int column) {
    constexpr SIZE_T kChars = 512;
    RemoteBuffer remote(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.Valid()) {
        return L"<no access>";
    }
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<LPWSTR>(remote.At(sizeof(LVITEMW)));
    remote.Write(0, &item, sizeof item);
    const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(remote.At(0)));
    std::vector<wchar_t> text(kChars, L'\0');
    remote.Read(sizeof(LVITEMW), text.data(), kChars * sizeof(wchar_t));
    return std::wstring(text.data(), static_cast<std::size_t>(length));
}

void SelectListRow(HWND list, int row) {
    RemoteBuffer remote(list, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Write(0, &item, sizeof item);
    // Row -1 addresses every row: clear them all first.
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote.At(0)));
    if (row < 0) {
        return;
    }
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Write(0, &item, sizeof item);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.At(0)));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
}

}  // namespace torvin::test
