#include "pets/PetSwap.h"

#include <optional>

#include "pets/PetNames.h"
#include "pets/PetPaths.h"
#include "settings/SettingsStore.h"

namespace torvin {

namespace {

// A same-volume rename when it can; across volumes a copy that is flushed before it is renamed
// into place, after which the source goes.
bool MoveDurably(FileSystem& fs, const std::string& from, const std::string& to) {
    return fs.MoveReplacing(from, to) || (CopyReplacing(fs, from, to) && fs.RemoveFile(from));
}

// Keeps the previous stored copy as one backup generation, then moves the live file over it.
// Replacing the old generation would free its blocks while the user waits for the host, so it
// is renamed aside and removed once the host has been started (DropRetiredGeneration).
// Heals a folder that a cut-off setup or a failed add left unmade.
bool SaveBack(FileSystem& fs, const std::string& folder, const std::string& live) {
    const std::string stored = PetSettingsPath(folder);
    if (fs.PathExists(stored)) {
        const std::string backup = PetBackupGenerationPath(folder);
        // Fails, changing nothing, while the pet has no backup yet.
        fs.MoveReplacing(backup, PetRetiredGenerationPath(folder));
        if (!fs.MoveReplacing(stored, backup)) {
            return false;
        }
    } else {
        fs.MakeFolder(StorageRootPath());
        fs.MakeFolder(PetFolderPath(folder));
    }
    return fs.MoveReplacing(live, stored) || CopyReplacing(fs, live, stored);
}

bool MoveToRecovery(FileSystem& fs, const std::string& live) {
    fs.MakeFolder(StorageRootPath());
    fs.MakeFolder(RecoveryFolderPath());
    int n = 1;
    while (fs.PathExists(RecoveryFilePath(n))) {
        ++n;
    }
    return MoveDurably(fs, live, RecoveryFilePath(n));
}

bool RecordActivePet(FileSystem& fs, const AppSettings& settings, const std::string& active) {
    AppSettings recorded = settings;
    recorded.activePet = active;
    return WriteSettings(fs, recorded);
}

}  // namespace

void DropRetiredGeneration(FileSystem& fs, const std::string& petName) {
    if (const auto folder = petName.empty() ? std::nullopt : StoredFolderName(petName)) {
        fs.RemoveFile(PetRetiredGenerationPath(*folder));
    }
}

bool HostFolderUsable(FileSystem& fs, const std::string& hostDir) {
    return HostDirFits(hostDir) && hostDir.find_first_of("*?") == std::string::npos &&
           (fs.PathExists(hostDir) || fs.PathExists(HostExePath(hostDir)));
}

PetError SwapInPet(FileSystem& fs, AppSettings& settings, const std::string& chosenName) {
    const std::optional<std::string> chosen = StoredFolderName(chosenName);
    if (!chosen || !HostFolderUsable(fs, settings.hostDir)) {
        return PetError::kPutInPlace;
    }
    const std::string live = HostSettingsPath(settings.hostDir);
    const std::optional<std::string> active =
        settings.activePet.empty() ? std::nullopt : StoredFolderName(settings.activePet);
    if (fs.PathExists(live)) {
        const bool saved = active ? SaveBack(fs, *active, live) : MoveToRecovery(fs, live);
        if (!saved) {
            return active ? PetError::kSaveBackCopy : PetError::kClearHost;
        }
    }
    // Relaunching the active pet puts its own file back, so the record may keep naming it.
    const bool samePet = active && fs.SameEntryName(*active, *chosen);
    if (!samePet && !settings.activePet.empty() && !RecordActivePet(fs, settings, "")) {
        return PetError::kClearHost;
    }
    if (fs.PathExists(live) && !fs.RemoveFile(live)) {
        // The live file is saved and still the active pet's own: the record names it again.
        RecordActivePet(fs, settings, settings.activePet);
        return PetError::kClearHost;
    }
    if (!samePet) {
        settings.activePet.clear();
    }
    const std::string stored = PetSettingsPath(*chosen);
    if (fs.PathExists(stored) && !CopyReplacing(fs, stored, live)) {
        return PetError::kPutInPlace;
    }
    settings.activePet = chosenName;
    if (!WriteSettings(fs, settings)) {
        WriteSettings(fs, settings);
        return PetError::kRecordActivePet;
    }
    return PetError::kNone;
}

}  // namespace torvin
