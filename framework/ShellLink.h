#pragma once
// Shortcut (.lnk) files through the shell's IShellLinkW and IPersistFile, and the user's
// desktop folder. Each call starts COM on its thread for its own length.

#include <optional>
#include <string>

namespace torvin {

struct ShellLinkFields {
    std::wstring target;
    std::wstring arguments;
    std::wstring workingFolder;
    std::wstring iconFile;
    int iconIndex = 0;
};

// Writes the shortcut, replacing any file of that path; false when the shell refuses.
bool SaveShellLink(const std::wstring& path, const ShellLinkFields& fields);
// The fields of a shortcut file, or nothing when the file is not one the shell can load.
std::optional<ShellLinkFields> LoadShellLink(const std::wstring& path);
// The folder the user's desktop shows, or nothing when the shell does not know one.
std::optional<std::wstring> DesktopFolder();

}  // namespace torvin
