#include "pets/SetupDialog.h"

#include "framework/CodePage.h"
#include "framework/FolderBrowser.h"
#include "framework/MessageNotice.h"
#include "pets/FirstRunLayout.h"
#include "pets/NameNotice.h"
#include "pets/Notices.h"
#include "pets/PetError.h"
#include "pets/PetNames.h"
#include "pets/PetPaths.h"

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
    const auto chosen = BrowseForFolder(nullptr, L"Nimbrel20.exeのあるディレクトリ指定してください");
    if (!chosen) {
        return;
    }
    const auto path = NarrowCp932(*chosen);
    if (!path || !HostDirFits(*path)) {
        ShowMessageNotice(Window(), L"このフォルダは使えません。\n"
                                    L"パスが長すぎるか、使えない文字が含まれています。");
        return;
    }
    if (!fs_.PathExists(HostExePath(*path))) {
        ShowHostNotFound();
        return;
    }
    settings_.hostDir = *path;
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
    if (const PetError error = LayOutFirstPet(fs_, settings_, *name, settings_.hostDir); error != PetError::kNone) {
        ShowErrorCode(settings_, ErrorCodeText(error));
        return;
    }
    End(IDOK);
}

}  // namespace torvin
