#include "pets/SetupDialog.h"

#include "framework/CodePage.h"
#include "pets/FirstRunLayout.h"
#include "pets/HostFolderChoice.h"
#include "pets/NameNotice.h"
#include "pets/Notices.h"
#include "pets/PetError.h"
#include "pets/PetNames.h"

namespace torvin {

BOOL SetupDialog::OnInit() {
    Dialog::OnInit();
    EnableDragByBody();
    AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}, {IDC_SETUP_BROWSE, kOkHotIcon, kOkNormalIcon}});
    LoadSetupBackground();
    RemoveCaption();
    setupFieldsFilled_ = 0;
    setupNameEdited_ = false;
    EnableItem(IDOK, false);
    return TRUE;
}

bool SetupDialog::OnCommand(WORD code, WORD id, HWND control) {
    if (id == IDC_SETUP_NAME && code == EN_CHANGE) {
        if (!setupNameEdited_) {
            setupNameEdited_ = true;
            CountFilledField();
        }
        return true;
    }
    if (id == IDC_SETUP_BROWSE && code == BN_CLICKED) {
        Browse();
        return true;
    }
    return SkinDialog::OnCommand(code, id, control);
}

void SetupDialog::CountFilledField() {
    if (setupFieldsFilled_ == 0) {
        setupFieldsFilled_ = 1;
    } else {
        EnableItem(IDOK, true);
    }
}

void SetupDialog::Browse() {
    const auto path = ChooseHostFolder(Window(), fs_);
    if (!path) {
        return;
    }
    // Held here until OK: the record gets the folder only together with the first pet.
    hostDir_ = *path;
    SetItemTextCp932(IDC_SETUP_FOLDER, *path);
    if (!folderChosen_) {
        folderChosen_ = true;
        CountFilledField();
    }
}

void SetupDialog::OnOK() {
    const auto name = ItemTextCp932(IDC_SETUP_NAME);
    if (!name) {
        ShowNameNotRepresentable(Window());
        return;
    }
    if (const PetNameProblem problem = CheckFolderName(*name); problem != PetNameProblem::kNone) {
        ShowNameRefused(Window(), problem);
        return;
    }
    if (const PetError error = LayOutFirstPet(fs_, settings_, *name, hostDir_); error != PetError::kNone) {
        ShowErrorCode(settings_, ErrorCodeText(error));
        return;
    }
    End(IDOK);
}

}  // namespace torvin
