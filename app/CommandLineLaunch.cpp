#include "app/CommandLineLaunch.h"

#include <shellapi.h>

#include <memory>
#include <string_view>
#include <vector>

#include "app/LaunchCommand.h"
#include "framework/CodePage.h"
#include "framework/LibraryFunction.h"
#include "framework/MessageNotice.h"
#include "framework/ResourceText.h"
#include "pets/PetCommands.h"
#include "resources/resource.h"
#include "settings/SettingsStore.h"

namespace torvin {

namespace {

constexpr wchar_t kLaunchTargetMark[] = L"TorvinLaunchTarget";
// A first copy that is still starting gets this long to show its main window.
constexpr ULONGLONG kFindWindowMs = 5000;
// The running window answers at once; it only fails to while it waits for a host to get ready.
constexpr UINT kHandOffMs = 10000;

// True when nothing but blanks follows the program's own path, which the system reads as the
// first argument: up to the closing quote when it starts with one, else up to the first blank.
bool OnlyProgramPath(std::wstring_view line) {
    std::size_t end = 0;
    if (!line.empty() && line.front() == L'"') {
        end = line.find(L'"', 1);
        end = end == std::wstring_view::npos ? line.size() : end + 1;
    } else {
        end = line.find_first_of(L" \t");
        end = end == std::wstring_view::npos ? line.size() : end;
    }
    return line.find_first_not_of(L" \t", end) == std::wstring_view::npos;
}

std::vector<std::wstring> CommandLineArguments() {
    const wchar_t* const line = GetCommandLineW();
    // shell32 does the splitting, and only a command line with arguments needs it: a plain start
    // goes without loading it.
    if (OnlyProgramPath(line)) {
        return {};
    }
    decltype(&CommandLineToArgvW) split = nullptr;
    FindFunction(LoadLibraryW(L"shell32.dll"), "CommandLineToArgvW", split);
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(split != nullptr ? split(line, &count) : nullptr,
                                                             &LocalFree);
    std::vector<std::wstring> arguments;
    // The first is the program's own path.
    for (int i = 1; argv != nullptr && i < count; ++i) {
        arguments.emplace_back(argv.get()[i]);
    }
    return arguments;
}

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) {
    if (GetPropW(window, kLaunchTargetMark) != nullptr) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND RunningMainWindow() {
    const ULONGLONG deadline = GetTickCount64() + kFindWindowMs;
    for (;;) {
        HWND found = nullptr;
        EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
        if (found != nullptr || GetTickCount64() >= deadline) {
            return found;
        }
        Sleep(50);
    }
}

}  // namespace

void ShowTextNotice(HWND owner, UINT textId, std::wstring_view value) {
    ShowMessageNotice(owner, LoadResourceText(GetModuleHandleW(nullptr), textId, value));
}

StartRequest ReadStartRequest() {
    const LaunchCommand command = ParseLaunchCommand(CommandLineArguments());
    switch (command.kind) {
        case LaunchCommandKind::kNone:
            return {};
        case LaunchCommandKind::kUnknownOption:
            ShowTextNotice(nullptr, IDS_COMMAND_UNKNOWN_OPTION, command.culprit);
            break;
        case LaunchCommandKind::kMissingName:
            ShowTextNotice(nullptr, IDS_COMMAND_MISSING_NAME);
            break;
        case LaunchCommandKind::kExtraArguments:
            ShowTextNotice(nullptr, IDS_COMMAND_EXTRA_ARGUMENTS, command.culprit);
            break;
        case LaunchCommandKind::kLaunch:
            // Pet names are code page 932 bytes; a name without that form names no pet.
            if (auto name = NarrowCp932(command.petName)) {
                return {StartRequest::Kind::kLaunch, std::move(*name)};
            }
            ShowTextNotice(nullptr, IDS_COMMAND_NOT_CP932);
            break;
    }
    return {StartRequest::Kind::kRefused, {}};
}

void HandOffLaunch(const std::string& petName) {
    HWND target = RunningMainWindow();
    DWORD_PTR accepted = FALSE;
    if (target != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(target, &processId);
        // Its notices and the selected row may then come to the front.
        AllowSetForegroundWindow(processId);
        COPYDATASTRUCT request{kLaunchRequestTag, static_cast<DWORD>(petName.size()),
                               const_cast<char*>(petName.data())};
        if (SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&request),
                                SMTO_ABORTIFHUNG | SMTO_BLOCK, kHandOffMs, &accepted) == 0) {
            accepted = FALSE;
        }
    }
    if (accepted != TRUE) {
        ShowTextNotice(nullptr, IDS_HAND_OFF_FAILED);
    }
}

void LaunchWithoutWindow(const std::string& petName, FileSystem& fs, AppSettings& settings,
                         DesktopWindows& windows, HostStarter& starter) {
    if (!ReadSettings(fs, settings)) {
        ShowTextNotice(nullptr, IDS_COMMAND_NO_SETTINGS);
        return;
    }
    const int row = FindPetRow(settings, petName);
    if (row < 0) {
        ShowTextNotice(nullptr, IDS_COMMAND_UNKNOWN_PET, WidenCp932(petName));
        return;
    }
    LaunchPet(row, fs, settings, windows, starter);
}

void MarkLaunchTarget(HWND window) {
    SetPropW(window, kLaunchTargetMark, window);
}

void UnmarkLaunchTarget(HWND window) {
    RemovePropW(window, kLaunchTargetMark);
}

}  // namespace torvin
