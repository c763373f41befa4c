#include "mail/MailSettingsDialog.h"

#include "framework/MessageNotice.h"
#include "framework/ResourceText.h"
#include "mail/PopServerAddress.h"
#include "settings/SettingsStore.h"

namespace torvin {

namespace {

constexpr auto kChoice = {IDC_MAIL_CHECK_ON, IDC_MAIL_CHECK_OFF};
// A line of setting.ini holds one value, so a typed line break could never be stored.
bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

BOOL MailSettingsDialog::OnInit() {
    Dialog::OnInit();
    EnableDragByBody();
    AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}, {IDCANCEL, kCancelHotIcon, kCancelNormalIcon}});
    LoadSkinBackground();
    return TRUE;
}

void MailSettingsDialog::WriteControls() {
    const PetRecord& pet = Pet();
    SetItemTextCp932(IDC_MAIL_PET_NAME, pet.name);
    SetItemTextCp932(IDC_MAIL_ADDRESS, pet.mailAddress);
    // The field shows name[:port] and the box the scheme; a line that does not parse (from an older
    // file) is shown as it is, so that the user sees what to mend.
    const auto server = ParsePopServer(pet.popServer);
    SetItemTextCp932(IDC_POP_SERVER, server ? FormatHostAndPort(*server) : pet.popServer);
    CheckDlgButton(Window(), IDC_POP_TLS, server && server->tls ? BST_CHECKED : BST_UNCHECKED);
    SetItemTextCp932(IDC_USER_ID, pet.userId);
    SetItemTextCp932(IDC_PASSWORD, pet.password);
    CheckRadio(kChoice, pet.mailCheckChoice);
}

bool MailSettingsDialog::ReadControls() {
    const auto address = ItemTextCp932(IDC_MAIL_ADDRESS);
    const auto server = ItemTextCp932(IDC_POP_SERVER);
    const auto user = ItemTextCp932(IDC_USER_ID);
    const auto password = ItemTextCp932(IDC_PASSWORD);
    if (!address || !server || !user || !password) {
        ShowMessageNotice(Window(), LoadResourceText(GetModuleHandleW(nullptr), IDS_MAIL_NOT_CP932));
        return false;
    }
    if (HoldsLineBreak(*address) || HoldsLineBreak(*server) || HoldsLineBreak(*user) ||
        HoldsLineBreak(*password)) {
        ShowMessageNotice(Window(), LoadResourceText(GetModuleHandleW(nullptr), IDS_MAIL_LINE_BREAK));
        return false;
    }
    const bool tlsTicked = IsDlgButtonChecked(Window(), IDC_POP_TLS) == BST_CHECKED;
    // An empty field is still allowed, as before: the mail check then reports the server missing.
    std::optional<PopServerAddress> parsed;
    if (!server->empty() || tlsTicked) {
        parsed = ParseServerField(*server, tlsTicked);
        if (!parsed) {
            ShowMessageNotice(Window(), LoadResourceText(GetModuleHandleW(nullptr), IDS_MAIL_BAD_SERVER));
            return false;
        }
    }
    PetRecord& pet = Pet();
    pet.mailAddress = *address;
    pet.popServer = parsed ? FormatPopServer(*parsed) : std::string();
    pet.userId = *user;
    pet.password = *password;
    // No choice reads as -1, stored as its low 8 bits: the check then visits the pet.
    pet.mailCheckChoice = static_cast<std::int8_t>(CheckedRadio(kChoice));
    return true;
}

void ShowMailSettings(HWND owner, int row, FileSystem& fs, AppSettings& settings) {
    MailSettingsDialog dialog(owner, settings, row);
    if (dialog.RunModal() != IDCANCEL) {
        WriteSettings(fs, settings);
    }
}

}  // namespace torvin
