#pragma once
// The shell's folder browser, limited to file-system folders. Tests install a hook that
// answers in place of the browser.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace torvin {

// The chosen folder's path, or nothing when the user cancelled (or the folder has no path).
std::optional<std::wstring> BrowseForFolder(HWND owner, std::wstring_view title);

using FolderBrowserHook = std::function<std::optional<std::wstring>(std::wstring_view title)>;
FolderBrowserHook SetFolderBrowserHook(FolderBrowserHook hook);

}  // namespace torvin
