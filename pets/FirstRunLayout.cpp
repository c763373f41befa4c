#include "pets/FirstRunLayout.h"

#include "pets/PetNames.h"
#include "pets/PetPaths.h"
#include "settings/SettingsStore.h"

namespace torvin {

namespace {

// A copy that never replaces an existing target, yet never leaves a half-written one either.
bool CopyIfAbsent(FileSystem& fs, const std::string& from, const std::string& to) {
    return !fs.PathExists(to) && fs.PathExists(from) && CopyReplacing(fs, from, to);
}

// The first pet's copy. One already there with the very same bytes is the copy of an earlier
// try that was cut off before setting.ini was written, so the retry counts it as done.
bool CopyFirstPet(FileSystem& fs, const std::string& live, const std::string& stored) {
    if (!fs.PathExists(stored)) {
        return CopyIfAbsent(fs, live, stored);
    }
    const auto storedBytes = fs.ReadWhole(stored);
    return storedBytes && storedBytes == fs.ReadWhole(live);
}

}  // namespace

void RecordFirstPet(AppSettings& settings, const std::string& petName, const std::string& hostDir) {
    settings.hostDir = hostDir;
    settings.activePet = petName;
    settings.petCount = 1;
    settings.backgroundKind = 0;
    settings.skinPath.clear();
    settings.skinLayout = 0;
    settings.pets[0] = PetRecord{};
    settings.pets[0].name = petName;
    settings.pets[0].mailCheckChoice = 1;
}

PetError LayOutFirstPet(FileSystem& fs, AppSettings& settings, const std::string& petName,
                        const std::string& hostDir) {
    if (CheckFolderName(petName) != PetNameProblem::kNone || !fs.NameConverts(petName) ||
        !HostDirFits(hostDir)) {
        return PetError::kFirstPetCopy;
    }
    const std::string live = HostSettingsPath(hostDir);
    const std::string stored = PetSettingsPath(petName);
    const bool hasLive = fs.PathExists(live);
    if (fs.PathExists(stored) && !(hasLive && CopyFirstPet(fs, live, stored))) {
        return PetError::kFirstPetCopy;
    }
    fs.MakeFolder(StorageRootPath());
    fs.MakeFolder(BackupFolderPath());
    fs.MakeFolder(PetFolderPath(petName));
    if (hasLive && !fs.PathExists(BackupFilePath()) && !CopyIfAbsent(fs, live, BackupFilePath())) {
        return PetError::kBackupCopy;
    }
    if (hasLive && !CopyFirstPet(fs, live, stored)) {
        return PetError::kFirstPetCopy;
    }
    RecordFirstPet(settings, petName, hostDir);
    WriteSettings(fs, settings);
    return PetError::kNone;
}

}  // namespace torvin
