#include "pets/PetRoster.h"

#include "pets/PetPaths.h"
#include "settings/SettingsStore.h"

namespace torvin {

PetNameProblem AddPetToRoster(FileSystem& fs, AppSettings& settings, const std::string& name) {
    if (const auto problem = CheckNewPetName(name, settings, fs); problem != PetNameProblem::kNone) {
        return problem;
    }
    PetRecord& pet = settings.pets[static_cast<std::size_t>(settings.petCount)];
    pet = PetRecord{};
    pet.name = name;
    pet.mailCheckChoice = 1;
    settings.petCount = static_cast<std::int8_t>(settings.petCount + 1);
    WriteSettings(fs, settings);
    fs.MakeFolder(PetFolderPath(name));
    return PetNameProblem::kNone;
}

DeleteOutcome DeletePetFromRoster(FileSystem& fs, AppSettings& settings, int index) {
    if (index == 0) {
        return DeleteOutcome::kFirstPet;
    }
    if (index < 0 || index >= settings.petCount) {
        return DeleteOutcome::kNoSuchPet;
    }
    const std::string name = settings.pets[static_cast<std::size_t>(index)].name;
    if (!WriteSettingsWithoutPet(fs, settings, index)) {
        return DeleteOutcome::kNotWritten;
    }
    // Another pet may map to the same folder (an exact duplicate, or a name the file system
    // folds together): then the folder and its files are that pet's and stay.
    const auto folder = StoredFolderName(name);
    if (!folder) {
        return DeleteOutcome::kDeleted;
    }
    for (int i = 0; i < settings.petCount; ++i) {
        if (SameStoredFolder(fs, settings.pets[static_cast<std::size_t>(i)].name, name)) {
            return DeleteOutcome::kDeleted;
        }
    }
    fs.RemoveFile(PetSettingsPath(*folder));
    fs.RemoveFile(PetBackupGenerationPath(*folder));
    fs.RemoveFile(PetRetiredGenerationPath(*folder));
    fs.RemoveFolder(PetFolderPath(*folder));
    return DeleteOutcome::kDeleted;
}

}  // namespace torvin
