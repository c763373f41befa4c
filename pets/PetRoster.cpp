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
    if (CheckFolderName(name) == PetNameProblem::kNone) {
        fs.RemoveFile(PetSettingsPath(name));
        fs.RemoveFolder(PetFolderPath(name));
    }
    return DeleteOutcome::kDeleted;
}

}  // namespace torvin
