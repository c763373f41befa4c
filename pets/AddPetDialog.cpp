#include "pets/AddPetDialog.h"

#include "pets/NameNotice.h"

namespace torvin {

BOOL AddPetDialog::OnInit() {
    Dialog::OnInit();
    EnableDragByBody();
    AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}, {IDCANCEL, kCancelHotIcon, kCancelNormalIcon}});
    LoadSkinBackground();
    RemoveCaption();
    return TRUE;
}

bool AddPetDialog::OnCommand(WORD code, WORD id, HWND control) {
    if (id == IDC_NEW_PET_NAME && code == EN_CHANGE) {
        edited = true;
        return true;
    }
    return SkinDialog::OnCommand(code, id, control);
}

bool AddPetDialog::ReadControls() {
    auto text = ItemTextCp932(IDC_NEW_PET_NAME);
    if (!text) {
        ShowNameNotRepresentable(Window());
        return false;
    }
    name = std::move(*text);
    return true;
}

}  // namespace torvin
