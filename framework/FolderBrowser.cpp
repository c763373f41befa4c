#include "framework/FolderBrowser.h"

#include <shlobj.h>

#include <utility>

namespace torvin {

namespace {

FolderBrowserHook& Hook() {
    static FolderBrowserHook hook;
    return hook;
}

}  // namespace

std::optional<std::wstring> BrowseForFolder(HWND owner, std::wstring_view title) {
    if (Hook()) {
        return Hook()(title);
    }
    std::wstring titleText(title);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = titleText.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    if (item == nullptr) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH] = {};
    const bool hasPath = SHGetPathFromIDListW(item, path) != FALSE;
    CoTaskMemFree(item);
    if (!hasPath || path[0] == L'\0') {
        return std::nullopt;
    }
    return std::wstring(path);
}

FolderBrowserHook SetFolderBrowserHook(FolderBrowserHook hook) { return std::exchange(Hook(), std::move(hook)); }

}  // namespace torvin
