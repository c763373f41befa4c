#include "pets/PetCommands.h"

#include "framework/CodePage.h"
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

void LaunchPet(const ListView& petList, FileSystem& fs, AppSettings& settings, DesktopWindows& windows,
               HostStarter& starter) {
    LaunchPetInRow(petList.FirstSelected(), fs, settings, windows, starter);
}

void LaunchPetInRow(int row, FileSystem& fs, AppSettings& settings, DesktopWindows& windows,
                    HostStarter& starter) {
    // The running host is refused before the selection is even looked at.
    if (!HostNotRunning(windows, settings.hostDir)) {
        ShowHostRunning();
        return;
    }
    if (row < 0 || row >= settings.petCount) {
        ShowNoPetSelected();
        return;
    }
    const LaunchResult result =
        LaunchHostWithPet(fs, settings, settings.pets[static_cast<std::size_t>(row)].name, windows, starter);
    switch (result.outcome) {
        case LaunchOutcome::kStarted:
            break;
        case LaunchOutcome::kHostRunning:
            ShowHostRunning();
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

void AddPet(HWND owner, const ListView& petList, FileSystem& fs, AppSettings& settings) {
    AddPetDialog dialog(owner);
    if (dialog.RunModal() != IDOK || !dialog.edited) {
        return;
    }
    settings.newPetName = dialog.name;
    if (const PetNameProblem problem = AddPetToRoster(fs, settings, settings.newPetName);
        problem != PetNameProblem::kNone) {
        ShowNameRefused(owner, problem);
        return;
    }
    petList.InsertItem(settings.petCount - 1, WidenCp932(settings.newPetName));
}

void DeletePet(const ListView& petList, FileSystem& fs, AppSettings& settings) {
    const int row = petList.FirstSelected();
    if (row < 0) {
        ShowNoPetSelected();
        return;
    }
    if (row == 0) {
        ShowFirstPet();
        return;
    }
    if (!ConfirmDeletePet()) {
        return;
    }
    switch (DeletePetFromRoster(fs, settings, row)) {
        case DeleteOutcome::kDeleted:
            petList.DeleteItem(row);
            break;
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
}

void RunFirstSetup(const ListView& petList, FileSystem& fs, AppSettings& settings) {
    SetupDialog setup(fs, settings);
    setup.RunModal();
    // Escaped, the setup recorded no pet, and the list shows none: row i is always pet i.
    for (int i = 0; i < settings.petCount; ++i) {
        petList.InsertItem(i, WidenCp932(settings.pets[static_cast<std::size_t>(i)].name));
    }
}

}  // namespace torvin
