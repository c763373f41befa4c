#pragma once
// "Torvin.exe /launch <pet>": reading the command line, handing the request to the copy of
// Torvin that already runs, and the launch without the main window when none runs.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "pets/HostLaunch.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

struct StartRequest {
    enum class Kind : std::uint8_t {
        kMainWindow,  // no arguments
        kLaunch,      // launch petName (code page 932 bytes)
        kRefused,     // a wrong command line; the user has been told what was wrong
    };
    Kind kind = Kind::kMainWindow;
    std::string petName;
};

// Reads this process's command line; a wrong one is answered with a notice at once.
StartRequest ReadStartRequest();

// Hands the launch to the main window of the copy that runs; tells the user when it cannot.
void HandOffLaunch(const std::string& petName);

// The launch of the "起動" button for the named pet, over setting.ini in the working folder,
// with the same notices; and a notice when the settings cannot be read or no pet has the name.
void LaunchWithoutWindow(const std::string& petName, FileSystem& fs, AppSettings& settings,
                         DesktopWindows& windows, HostStarter& starter);

// The main window takes launch requests while it carries this mark.
void MarkLaunchTarget(HWND window);
void UnmarkLaunchTarget(HWND window);

// A notice from the string table, with %1 replaced by the value.
void ShowTextNotice(HWND owner, UINT textId, std::wstring_view value = {});

}  // namespace torvin
