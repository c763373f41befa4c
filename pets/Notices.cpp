#include "pets/Notices.h"

#include "pets/ErrorCodeDialog.h"
#include "pets/NoticeDialog.h"
#include "resources/resource.h"

namespace torvin {

namespace {

INT_PTR Show(int templateId, NoticeDialog::Options options = {}) {
    NoticeDialog notice(templateId, options);
    return notice.RunModal();
}

}  // namespace

BOOL NoticeDialog::OnInit() {
    Dialog::OnInit();
    EnableDragByBody();
    if (options_.hasCancel) {
        AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}, {IDCANCEL, kCancelHotIcon, kCancelNormalIcon}});
    } else {
        AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}});
    }
    LoadSkinBackground();
    if (options_.removeCaption) {
        RemoveCaption();
    }
    return TRUE;
}

BOOL ErrorCodeDialog::OnInit() {
    Dialog::OnInit();
    EnableDragByBody();
    AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}});
    LoadSkinBackground();
    return TRUE;
}

void ShowHostNotFound() {
    Show(IDD_HOST_NOT_FOUND, {.hasCancel = false, .removeCaption = true});
}
void ShowHostRunning() {
    Show(IDD_HOST_RUNNING);
}
void ShowNoPetSelected() {
    Show(IDD_NO_PET_SELECTED);
}
void ShowDuplicatePet() {
    Show(IDD_DUPLICATE_PET);
}
void ShowFirstPet() {
    Show(IDD_FIRST_PET);
}
bool ConfirmDeletePet() {
    return Show(IDD_DELETE_PET, {.hasCancel = true, .removeCaption = false}) == IDOK;
}

void ShowErrorCode(AppSettings& settings, std::string_view code) {
    settings.errorCodeText = code;
    ErrorCodeDialog dialog(settings.errorCodeText);
    dialog.RunModal();
}

}  // namespace torvin
