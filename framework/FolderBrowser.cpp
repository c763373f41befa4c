#include "framework/FolderBrowser.h"

#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace torvin {

namespace {

FolderBrowserHook& Hook() {
    static FolderBrowserHook hook;
    return hook;
}

// The browser is the only user of the shell and of OLE, and most runs never open it: their
// libraries are loaded on first use instead of at start-up, and kept for the process, since
// the shell may leave threads running in them.
struct ShellFunctions {
    decltype(&OleInitialize) oleInitialize = nullptr;
    decltype(&OleUninitialize) oleUninitialize = nullptr;
    decltype(&CoTaskMemFree) coTaskMemFree = nullptr;
    decltype(&SHBrowseForFolderW) browseForFolder = nullptr;
    decltype(&SHGetPathFromIDListW) pathFromIdList = nullptr;

    bool Loaded() const {
        return oleInitialize && oleUninitialize && coTaskMemFree && browseForFolder && pathFromIdList;
    }
};

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
    if (module != nullptr) {
        // Through the generic function type, which every function pointer may be cast to and from.
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }
}

const ShellFunctions& Shell() {
    static const ShellFunctions functions = [] {
        ShellFunctions loaded;
        const HMODULE ole = LoadLibraryW(L"ole32.dll");
        const HMODULE shell = LoadLibraryW(L"shell32.dll");
        Find(ole, "OleInitialize", loaded.oleInitialize);
        Find(ole, "OleUninitialize", loaded.oleUninitialize);
        Find(ole, "CoTaskMemFree", loaded.coTaskMemFree);
        Find(shell, "SHBrowseForFolderW", loaded.browseForFolder);
        Find(shell, "SHGetPathFromIDListW", loaded.pathFromIdList);
        return loaded;
    }();
    return functions;
}

// OLE for the browser's own controls, on this thread for as long as the browser runs.
class OleScope {
  public:
    explicit OleScope(const ShellFunctions& shell)
        : shell_(shell), started_(SUCCEEDED(shell.oleInitialize(nullptr))) {}
    ~OleScope() {
        if (started_) {
            shell_.oleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    const ShellFunctions& shell_;
    bool started_;
};

}  // namespace

std::optional<std::wstring> BrowseForFolder(HWND owner, std::wstring_view title) {
    if (Hook()) {
        return Hook()(title);
    }
    const ShellFunctions& shell = Shell();
    if (!shell.Loaded()) {
        return std::nullopt;
    }
    const OleScope ole(shell);
    std::wstring titleText(title);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = titleText.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE item = shell.browseForFolder(&info);
    if (item == nullptr) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH] = {};
    const bool hasPath = shell.pathFromIdList(item, path) != FALSE;
    shell.coTaskMemFree(item);
    if (!hasPath || path[0] == L'\0') {
        return std::nullopt;
    }
    return std::wstring(path);
}

FolderBrowserHook SetFolderBrowserHook(FolderBrowserHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

}  // namespace torvin
