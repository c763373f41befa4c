#include "app/PetShortcut.h"

#include "app/CommandLineLaunch.h"
#include "app/LaunchCommand.h"
#include "framework/CodePage.h"
#include "framework/ShellLink.h"
#include "resources/resource.h"

namespace torvin {

namespace {

// Numbered names tried after the pet's own, before giving up.
constexpr int kMaxNumberedNames = 99;

std::wstring ThisProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring WorkingFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

// Only a shortcut of this program that launches no other pet may be replaced: any other file
// of the name is the user's, and two pets' names can share one file name.
bool MayReplace(const std::wstring& path, const ShellLinkFields& ours) {
    const auto existing = LoadShellLink(path);
    return existing &&
           CompareStringOrdinal(existing->target.c_str(), -1, ours.target.c_str(), -1, TRUE) == CSTR_EQUAL &&
           (existing->arguments.empty() || existing->arguments == ours.arguments);
}

}  // namespace

void CreatePetShortcut(HWND owner, const std::string& petName) {
    const auto desktop = DesktopFolder();
    const std::wstring exe = ThisProgramPath();
    // An empty name could not be launched by the shortcut.
    if (desktop && !exe.empty() && !petName.empty()) {
        const ShellLinkFields ours{exe, L"/launch " + QuoteArgument(WidenCp932(petName)), WorkingFolder(),
                                   exe, 0};
        const std::wstring stem = WidenCp932(ShortcutFileStem(petName));
        for (int number = 1; number <= kMaxNumberedNames; ++number) {
            const std::wstring name =
                stem + (number == 1 ? L"" : L" (" + std::to_wstring(number) + L")") + L".lnk";
            const std::wstring path = *desktop + L"\\" + name;
            if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !MayReplace(path, ours)) {
                continue;
            }
            if (SaveShellLink(path, ours)) {
                ShowTextNotice(owner, IDS_SHORTCUT_CREATED, name);
                return;
            }
            break;
        }
    }
    ShowTextNotice(owner, IDS_SHORTCUT_FAILED);
}

}  // namespace torvin
