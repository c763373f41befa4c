#pragma once
// The whole launch of the host with a chosen pet, over two small seams to the desktop so that
// tests can fake the host: the walk over the top-level windows and the process start.

#include <cstdint>
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
};

class HostStarter {
  public:
    virtual ~HostStarter() = default;
    // Starts the executable and waits until it is ready for input; false when no process could
    // be created.
    virtual bool Start(const std::string& exePath) = 0;
};

// False when a visible window's title begins with "Nimbrel" (case-sensitive, whatever follows);
// hidden and untitled windows never count.
bool HostNotRunning(DesktopWindows& windows);

enum class LaunchOutcome : std::uint8_t {
    kStarted,
    kHostRunning,   // refused before anything changed
    kHostNotFound,  // swap done and recorded, but no Nimbrel20.exe in the host folder
    kFailed,        // see error
};

struct LaunchResult {
    LaunchOutcome outcome = LaunchOutcome::kStarted;
    PetError error = PetError::kNone;
};

// Refuses while the host runs, swaps the chosen pet's file in (SwapInPet) and starts the host.
LaunchResult LaunchHostWithPet(FileSystem& fs, AppSettings& settings, const std::string& petName,
                               DesktopWindows& windows, HostStarter& starter);

}  // namespace torvin
