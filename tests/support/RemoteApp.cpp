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

RemoteApp::RemoteApp(const std::wstring& exe, const std::wstring& workingFolder,
                     const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.c_str(), &startup, &info)) {
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
        WaitForSingleObject(process_, 30000);
    }
}

bool RemoteApp::WaitForExit(DWORD timeoutMs) const {
    return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

namespace {

// One window walk: the first window the predicate accepts.
struct Walk {
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

// A callback must be CALLBACK: a captureless lambda is not __stdcall on i686.
BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto& walk = *reinterpret_cast<Walk*>(data);
    if (!walk.accept(window)) {
        return TRUE;
    }
    walk.found = window;
    return FALSE;
}

HWND FindChild(HWND window, std::function<bool(HWND)> accept) {
    Walk walk{std::move(accept)};
    EnumChildWindows(window, Visit, reinterpret_cast<LPARAM>(&walk));
    return walk.found;
}

}  // namespace

HWND RemoteApp::WaitForWindow(const std::function<bool(HWND)>& accept, DWORD timeoutMs) const {
    Walk walk{[&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == processId_ && IsWindowVisible(window) && accept(window);
    }};
    WaitUntil([&] { return EnumWindows(Visit, reinterpret_cast<LPARAM>(&walk)), walk.found != nullptr; },
              timeoutMs);
    return walk.found;
}

HWND RemoteApp::WaitForWindowWithText(const std::wstring& text, DWORD timeoutMs) const {
    return WaitForWindow([&](HWND window) { return HasChildWithText(window, text); }, timeoutMs);
}

bool HasChildWithText(HWND window, const std::wstring& text) {
    return FindChild(window, [&](HWND child) {
               return WindowText(child).find(text) != std::wstring::npos;
           }) != nullptr;
}

HWND FindChildOfClass(HWND window, const std::wstring& className) {
    return FindChild(window, [&](HWND child) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        return className == name;
    });
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    // WM_GETTEXT is carried across processes by the system.
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 10000,
                        nullptr);
    return buffer;
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int ListCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

namespace {

// Memory in a window's process for a request record and its text. The records we place there
// have our pointer size, so a process of the other size is refused rather than misread.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, SIZE_T size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                        FALSE, processId);
        BOOL ours = FALSE, theirs = TRUE;
        if (process_ != nullptr && IsWow64Process(GetCurrentProcess(), &ours) &&
            IsWow64Process(process_, &theirs) && ours == theirs) {
            memory_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
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

    char* At(SIZE_T offset) const { return memory_ + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        return memory_ != nullptr && WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        return memory_ != nullptr && ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
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
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<LPWSTR>(remote.At(sizeof(LVITEMW)));
    if (!remote.Write(0, &item, sizeof item)) {
        return L"<no access>";
    }
    const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(remote.At(0)));
    std::vector<wchar_t> text(kChars, L'\0');
    remote.Read(sizeof(LVITEMW), text.data(), kChars * sizeof(wchar_t));
    return std::wstring(text.data(), static_cast<std::size_t>(length));
}

std::wstring TreeSelectionText(HWND tree) {
    constexpr int kChars = 260;
    RemoteBuffer remote(tree, sizeof(TVITEMW) + kChars * sizeof(wchar_t));
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = reinterpret_cast<LPWSTR>(remote.At(sizeof(TVITEMW)));
    item.cchTextMax = kChars;
    std::wstring text(kChars, L'\0');
    if (item.hItem == nullptr || !remote.Write(0, &item, sizeof item) ||
        !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.At(0))) ||
        !remote.Read(sizeof(TVITEMW), text.data(), kChars * sizeof(wchar_t))) {
        return L"<no selection>";
    }
    return text.c_str();
}

void SelectListRow(HWND list, int row) {
    RemoteBuffer remote(list, sizeof(LVITEMW));
    const auto set = [&](int target, UINT state) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = state;
        remote.Write(0, &item, sizeof item);
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(target),
                     reinterpret_cast<LPARAM>(remote.At(0)));
    };
    // Row -1 addresses every row: clear them all first.
    set(-1, 0);
    if (row >= 0) {
        set(row, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

}  // namespace torvin::test
