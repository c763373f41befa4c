#include "pets/PetCommands.h"

#include "framework/MessageNotice.h"
#include "framework/ResourceText.h"
#include "pets/AddPetDialog.h"
#include "pets/HostFolderChoice.h"
#include "pets/NameNotice.h"
#include "pets/Notices.h"
#include "pets/PetRoster.h"
#include "pets/SetupDialog.h"
#include "resources/resource.h"
#include "settings/SettingsStore.h"

namespace torvin {

void LaunchPet(std::optional<int> row, FileSystem& fs, AppSettings& settings, DesktopWindows& windows,
               HostStarter& starter) {
    std::optional<std::string> name;
    if (row) {
        name = settings.pets[static_cast<std::size_t>(*row)].name;
    }
    const LaunchResult result = LaunchHostWithPet(fs, settings, name, windows, starter);
    switch (result.outcome) {
        case LaunchOutcome::kStarted:
            break;
        case LaunchOutcome::kHostRunning:
            ShowHostRunning();
            break;
        case LaunchOutcome::kNoPet:
            ShowNoPetSelected();
            break;
        case LaunchOutcome::kHostNotFound:
            ShowHostNotFound();
            break;
        case LaunchOutcome::kNoHostFolder:
            OfferHostFolder(fs, settings);
            break;
        case LaunchOutcome::kFailed:
            ShowErrorCode(settings, ErrorCodeText(result.error));
            break;
    }
}

void OfferHostFolder(FileSystem& fs, AppSettings& settings) {
    ShowMessageNotice(nullptr, LoadResourceText(GetModuleHandleW(nullptr), IDS_NO_HOST_FOLDER));
    if (const auto folder = ChooseHostFolder(nullptr, fs)) {
        settings.hostDir = *folder;
        WriteSettings(fs, settings);
    }
}

bool AddPet(HWND owner, FileSystem& fs, AppSettings& settings) {
    AddPetDialog dialog(owner);
    if (dialog.RunModal() != IDOK || !dialog.edited) {
        return false;
    }
    settings.newPetName = dialog.name;
    if (const PetNameProblem problem = AddPetToRoster(fs, settings, settings.newPetName);
        problem != PetNameProblem::kNone) {
        ShowNameRefused(owner, problem);
        return false;
    }
    return true;
}

bool DeletePet(int row, FileSystem& fs, AppSettings& settings) {
    if (row == 0) {
        ShowFirstPet();
        return false;
    }
    if (!ConfirmDeletePet()) {
        return false;
    }
    switch (DeletePetFromRoster(fs, settings, row)) {
        case DeleteOutcome::kDeleted:
            return true;
        case DeleteOutcome::kFirstPet:
            ShowFirstPet();
            break;
        case DeleteOutcome::kNoSuchPet:
            ShowNoPetSelected();
            break;
        case DeleteOutcome::kNotWritten:
            // Nothing was removed, so the row stays and list, record and file agree.
            ShowErrorCode(settings, ErrorCodeText(PetError::kWriteWithoutPet));
            break;
    }
    return false;
}

void RunFirstSetup(FileSystem& fs, AppSettings& settings) {
    SetupDialog setup(fs, settings);
    setup.RunModal();
}

}  // namespace torvin
