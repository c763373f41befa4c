#include "pets/HostLaunch.h"

#include "pets/PetPaths.h"
#include "pets/PetSwap.h"

namespace torvin {

bool HostRunning(DesktopWindows& windows, const std::string& hostDir) {
    if (!hostDir.empty() && windows.RunsImage(HostExePath(hostDir))) {
        return true;
    }
    for (const auto& window : windows.TopWindowsInZOrder()) {
        // "Nimbrel" is ASCII, so its 7 CP932 bytes are exactly these 7 UTF-16 units.
        if (window.visible && window.title.starts_with(L"Nimbrel")) {
            return true;
        }
    }
    return false;
}

namespace {

LaunchResult StartHost(FileSystem& fs, const std::string& hostDir, HostStarter& starter) {
    const std::string exe = HostExePath(hostDir);
    if (!fs.PathExists(exe)) {
        return {LaunchOutcome::kHostNotFound, PetError::kNone};
    }
    if (!starter.Start(exe)) {
        return {LaunchOutcome::kFailed, PetError::kStartHost};
    }
    return {LaunchOutcome::kStarted, PetError::kNone};
}

}  // namespace

LaunchResult LaunchHostWithPet(FileSystem& fs, AppSettings& settings,
                               const std::optional<std::string>& petName, DesktopWindows& windows,
                               HostStarter& starter) {
    if (HostRunning(windows, settings.hostDir)) {
        return {LaunchOutcome::kHostRunning, PetError::kNone};
    }
    if (!petName) {
        return {LaunchOutcome::kNoPet, PetError::kNone};
    }
    if (!HostFolderUsable(fs, settings.hostDir)) {
        return {LaunchOutcome::kNoHostFolder, PetError::kNone};
    }
    const std::string savedPet = settings.activePet;
    if (const auto error = SwapInPet(fs, settings, *petName); error != PetError::kNone) {
        return {LaunchOutcome::kFailed, error};
    }
    const LaunchResult result = StartHost(fs, settings.hostDir, starter);
    DropRetiredGeneration(fs, savedPet);
    return result;
}

}  // namespace torvin
