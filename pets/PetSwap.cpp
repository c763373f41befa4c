#include "pets/PetSwap.h"

#include "pets/PetNames.h"
#include "pets/PetPaths.h"
#include "settings/SettingsStore.h"

namespace torvin {

namespace {

// Saves the host's live file as the active pet's stored copy. With no live file there is
// nothing newer to save, and the stored copy, then the pet's only data, stays as it is.
bool SaveActivePet(FileSystem& fs, const AppSettings& settings, const std::string& live) {
    if (settings.activePet.empty() || !fs.PathExists(live)) {
        return true;
    }
    // Heals a tree left unfinished by a cut-off setup or a folder that could not be made when
    // the pet was added; existing folders are fine.
    fs.MakeFolder(StorageRootPath());
    fs.MakeFolder(PetFolderPath(settings.activePet));
    return CopyReplacing(fs, live, PetSettingsPath(settings.activePet));
}

bool RecordNoActivePet(FileSystem& fs, const AppSettings& settings) {
    if (settings.activePet.empty()) {
        return true;
    }
    AppSettings withoutActive = settings;
    withoutActive.activePet.clear();
    return WriteSettings(fs, withoutActive);
}

bool ClearHostSettings(FileSystem& fs, const std::string& live) {
    return !fs.PathExists(live) || fs.RemoveFile(live);
}

}  // namespace

PetError SwapInPet(FileSystem& fs, AppSettings& settings, const std::string& chosenName) {
    // Names from a hand-edited setting.ini are checked too: no path may leave the storage root.
    if (!settings.activePet.empty() && CheckFolderName(settings.activePet) != PetNameProblem::kNone) {
        return PetError::kSaveBackCopy;
    }
    if (CheckFolderName(chosenName) != PetNameProblem::kNone) {
        return PetError::kPutInPlace;
    }
    const std::string live = HostSettingsPath(settings.hostDir);
    if (!SaveActivePet(fs, settings, live)) {
        return PetError::kSaveBackCopy;
    }
    if (!RecordNoActivePet(fs, settings) || !ClearHostSettings(fs, live)) {
        return PetError::kClearHost;
    }
    const std::string stored = PetSettingsPath(chosenName);
    if (fs.PathExists(stored) && !CopyReplacing(fs, stored, live)) {
        return PetError::kPutInPlace;
    }
    settings.activePet = chosenName;
    if (!WriteSettings(fs, settings)) {
        return PetError::kRecordActivePet;
    }
    return PetError::kNone;
}

}  // namespace torvin
