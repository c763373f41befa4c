#pragma once
// The whole launch of the host with a chosen pet, over two small seams to the desktop so that
// tests can fake the host: the walk over the top-level windows and the process start.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pets/PetError.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

struct TopWindow {
    std::wstring title;
    bool visible = false;
};

class DesktopWindows {
  public:
    virtual ~DesktopWindows() = default;
    // Every top-level window, topmost first.
    virtual std::vector<TopWindow> TopWindowsInZOrder() = 0;
    // True when a process runs the executable at this full path (compared as the file system
    // compares paths), whether or not it shows a window.
    virtual bool RunsImage(const std::string& exePath) = 0;
};

class HostStarter {
  public:
    virtual ~HostStarter() = default;
    // Starts the executable and waits until it is ready for input; false when no process could
    // be created.
    virtual bool Start(const std::string& exePath) = 0;
};

// True when a visible window's title begins with "Nimbrel" (case-sensitive, whatever follows),
// or when a process runs the host folder's Nimbrel20.exe: a host hidden in the tray or still
// starting counts too. Hidden and untitled windows alone never count.
bool HostRunning(DesktopWindows& windows, const std::string& hostDir);

enum class LaunchOutcome : std::uint8_t {
    kStarted,
    kHostRunning,   // refused before anything changed, whether or not a pet was chosen
    kNoPet,         // no pet chosen: refused before any file step
    kNoHostFolder,  // no usable host folder: refused before any file step
    kHostNotFound,  // swap done and recorded, but no Nimbrel20.exe in the host folder
    kFailed,        // see error
};

struct LaunchResult {
    LaunchOutcome outcome = LaunchOutcome::kStarted;
    PetError error = PetError::kNone;
};

// Refuses while the host runs, swaps the chosen pet's file in (SwapInPet) and starts the host.
LaunchResult LaunchHostWithPet(FileSystem& fs, AppSettings& settings,
                               const std::optional<std::string>& petName, DesktopWindows& windows,
                               HostStarter& starter);

}  // namespace torvin
