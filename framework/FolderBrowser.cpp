#include "framework/FolderBrowser.h"

#include "framework/ShellLibraries.h"

#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace torvin {

namespace {

FolderBrowserHook& FolderBrowserHookSlot() {
    static FolderBrowserHook hook;
    return hook;
}

// OLE for the browser's own controls, on this thread for as long as the browser runs.
class OleScope {
  public:
    explicit OleScope(const ShellLibraries& shell)
        : shell_(shell), started_(SUCCEEDED(shell.oleInitialize(nullptr))) {}
    ~OleScope() {
        if (started_) {
            shell_.oleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    const ShellLibraries& shell_;
    bool started_;
};

}  // namespace

std::optional<std::wstring> BrowseForFolder(HWND owner, std::wstring_view title) {
    if (FolderBrowserHookSlot()) {
        return FolderBrowserHookSlot()(title);
    }
    const ShellLibraries& shell = Shell();
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
    return std::exchange(FolderBrowserHookSlot(), std::move(hook));
}

}  // namespace torvin
