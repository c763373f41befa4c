#include "skin/BackgroundDialog.h"

#include "settings/SettingsStore.h"
#include "skin/SkinListDialog.h"

namespace torvin {

namespace {
constexpr auto kKinds = {IDC_BG_PINK, IDC_BG_BLUE, IDC_BG_GREEN, IDC_BG_OWN};
}

BOOL BackgroundDialog::OnInit() {
    Dialog::OnInit();
    EnableDragByBody();
    AttachSkinButtons({{IDC_BG_SELECT_SKIN, 0, 0},
                       {IDCANCEL, kCancelHotIcon, kCancelNormalIcon},
                       {IDOK, kOkHotIcon, kOkNormalIcon}});
    EnableItem(IDC_BG_SELECT_SKIN, false);
    EnableItem(IDC_BG_SKIN_NAME, false);
    LoadSkinBackground();
    return TRUE;
}

void BackgroundDialog::WriteControls() {
    CheckRadio(kKinds, kind);
    SetItemTextCp932(IDC_BG_SKIN_NAME, fileName);
}

bool BackgroundDialog::ReadControls() {
    kind = CheckedRadio(kKinds);
    // The field only shows the name; a typed text is never used, so one CP932 cannot hold is dropped.
    fileName = ItemTextCp932(IDC_BG_SKIN_NAME).value_or(std::string());
    return true;
}

bool BackgroundDialog::OnCommand(WORD code, WORD id, HWND control) {
    if (id == IDC_BG_OWN && code == BN_CLICKED) {
        for (int colour : {IDC_BG_PINK, IDC_BG_BLUE, IDC_BG_GREEN}) {
            EnableItem(colour, false);
        }
        EnableItem(IDC_BG_SELECT_SKIN, true);
        EnableItem(IDC_BG_SKIN_NAME, true);
        return true;
    }
    if (id == IDC_BG_SELECT_SKIN && code == BN_CLICKED) {
        ChooseSkinFile();
        return true;
    }
    if (id == IDOK) {
        ReadControls();
        settings_.backgroundKind = static_cast<std::int8_t>(kind);
        WriteSettings(fs_, settings_);
        End(IDOK);
        return true;
    }
    return SkinDialog::OnCommand(code, id, control);
}

void BackgroundDialog::ChooseSkinFile() {
    SkinListDialog list(Window(), settings_);
    if (list.RunModal() != IDOK) {
        return;
    }
    kind = kBackgroundSkinFile;
    settings_.backgroundKind = kBackgroundSkinFile;
    fileName = settings_.skinFile;
    WriteControls();
}

}  // namespace torvin
