#include "app/PetListDialog.h"

#include <commctrl.h>

#include <utility>

#include "app/AboutDialog.h"
#include "app/CommandLineLaunch.h"
#include "app/LaunchCommand.h"
#include "app/PetShortcut.h"
#include "framework/AppMessages.h"
#include "framework/CodePage.h"
#include "framework/MessageNotice.h"
#include "framework/ResourceText.h"
#include "mail/ForceStopDialog.h"
#include "mail/MailAccount.h"
#include "mail/MailListCell.h"
#include "mail/MailMessages.h"
#include "mail/MailSettingsDialog.h"
#include "pets/Notices.h"
#include "pets/PetCommands.h"
#include "resources/resource.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsStore.h"
#include "skin/BackgroundResolution.h"
#include "skin/ChooseBackground.h"

namespace torvin {

PetListDialog::PetListDialog(FileSystem& fs, AppSettings& settings, DesktopWindows& desktop,
                             HostStarter& hostStarter)
    : SkinDialog(IDD_PET_LIST, nullptr),
      watchedFs_(fs),
      fs_(watchedFs_),
      settings_(settings),
      desktop_(desktop),
      hostStarter_(hostStarter),
      appIcon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP))) {}

PetListDialog::~PetListDialog() {
    Dialog::SetDefaultOwner(nullptr);
}

BOOL PetListDialog::OnInit() {
    Dialog::OnInit();
    Dialog::SetDefaultOwner(Window());
    petList_.Attach(Item(IDC_PET_LIST));
    AddVersionMenuItem();
    AddShortcutMenuItem();
    // The small icon first: a big one set alone gets a scaled copy made for the small slot.
    SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));
    SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    AttachSkinButtons({
        {IDC_LAUNCH, IDI_LAUNCH_HOT, IDI_LAUNCH_NORMAL},
        {IDC_ADD_PET, IDI_ADD_PET_HOT, IDI_ADD_PET_NORMAL},
        {IDC_DELETE_PET, IDI_DELETE_PET_HOT, IDI_DELETE_PET_NORMAL},
        {IDC_MAIL_SETTINGS, IDI_MAIL_SETTINGS_HOT, IDI_MAIL_SETTINGS_NORMAL},
        {IDC_MAIL_START, IDI_MAIL_START_HOT, IDI_MAIL_START_NORMAL},
        {IDC_MAIL_STOP, IDI_MAIL_STOP_HOT, IDI_MAIL_STOP_NORMAL},
        {IDC_SNACK, IDI_SNACK_HOT, IDI_SNACK_NORMAL},
        {IDC_CHOOSE_BACKGROUND, IDI_CHOOSE_BACKGROUND_HOT, IDI_CHOOSE_BACKGROUND_NORMAL},
        {IDOK, IDI_EXIT_HOT, IDI_EXIT_NORMAL},
    });
    SetUpPetList();
    settings_.versionText = cp932::kVersionText;
    const StartReadResult result = ReadSettingsAtStart(fs_, settings_);
    const StartRead read = result.outcome;
    if (read == StartRead::kRepaired) {
        ShowMessageNotice(nullptr, LoadResourceText(GetModuleHandleW(nullptr), IDS_SETTINGS_KEPT) +
                                       WidenCp932(result.keptCopy));
        SayFailedWrite();
    }
    if (read == StartRead::kUnreadable) {
        ShowMessageNotice(nullptr, LoadResourceText(GetModuleHandleW(nullptr), IDS_SETTINGS_UNREADABLE));
        EndWithoutSaving();
        return TRUE;
    }
    SetOpeningBackground(ResolveBackground(settings_, fs_));
    LoadSkinBackground();
    FillPetList(read != StartRead::kMissing);
    EnableItem(IDC_MAIL_STOP, false);
    mailCheck_ = std::make_unique<MailCheckRunner>(Window());
    MarkLaunchTarget(Window());
    return TRUE;
}

void PetListDialog::AddVersionMenuItem() const {
    HMENU menu = GetSystemMenu(Window(), FALSE);
    if (menu == nullptr) {
        return;
    }
    const std::wstring text = LoadResourceText(GetModuleHandleW(nullptr), IDS_ABOUT_MENU);
    if (!text.empty()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, ID_ABOUT_COMMAND, text.c_str());
    }
}

void PetListDialog::AddShortcutMenuItem() const {
    HMENU menu = GetSystemMenu(Window(), FALSE);
    const std::wstring text = LoadResourceText(GetModuleHandleW(nullptr), IDS_SHORTCUT_MENU);
    if (menu != nullptr && !text.empty()) {
        AppendMenuW(menu, MF_STRING, ID_SHORTCUT_COMMAND, text.c_str());
    }
}

std::optional<int> PetListDialog::SelectedPet() const {
    // Row i is pet i, so a selected row outside the record is no pet either.
    const int row = petList_.FirstSelected();
    if (row < 0 || row >= settings_.petCount) {
        return std::nullopt;
    }
    return row;
}

std::optional<int> PetListDialog::SelectedPetOrSay() const {
    const std::optional<int> row = SelectedPet();
    if (!row) {
        ShowNoPetSelected();
    }
    return row;
}

void PetListDialog::LaunchSelectedPet() {
    LaunchPet(SelectedPet(), fs_, settings_, desktop_, hostStarter_);
    SayFailedWrite();
}

void PetListDialog::AddPetToList() {
    if (AddPet(Window(), fs_, settings_)) {
        const int row = settings_.petCount - 1;
        petList_.InsertItem(row, WidenCp932(settings_.pets[static_cast<std::size_t>(row)].name));
    }
    SayFailedWrite();
}

void PetListDialog::DeleteSelectedPet() {
    if (const auto row = SelectedPetOrSay(); row && DeletePet(*row, fs_, settings_)) {
        petList_.DeleteItem(*row);
    }
    // A failed write here has been shown as "00 0B" already.
    watchedFs_.TakeFailedWrite();
}

void PetListDialog::ShowMailSettingsOfSelectedPet() {
    if (const auto row = SelectedPetOrSay()) {
        ShowMailSettings(Window(), *row, fs_, settings_);
        SayFailedWrite();
    }
}

void PetListDialog::CreateShortcutOfSelectedPet() const {
    if (const auto row = SelectedPetOrSay()) {
        CreatePetShortcut(Window(), settings_.pets[static_cast<std::size_t>(*row)].name);
    }
}

bool PetListDialog::TakeLaunchRequest(LPARAM copyData) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    auto name = data != nullptr ? ReadLaunchRequest(data->dwData, data->lpData, data->cbData) : std::nullopt;
    // Only a bare wake-up is posted: a stray one finds nothing pending and does nothing.
    if (!name || !PostMessageW(Window(), kMsgLaunchRequest, 0, 0)) {
        return false;
    }
    pendingLaunch_ = std::move(name);
    return true;
}

void PetListDialog::RunPendingLaunch() {
    const std::optional<std::string> name = std::exchange(pendingLaunch_, std::nullopt);
    if (!name) {
        return;
    }
    // A notice owned by a minimised window would stay hidden.
    if (IsIconic(Window())) {
        ShowWindow(Window(), SW_RESTORE);
    }
    SetForegroundWindow(Window());
    if (mailCheck_->Running()) {
        ShowTextNotice(Window(), IDS_LAUNCH_DURING_MAIL_CHECK);
        return;
    }
    // A command's dialog is open (the window is disabled under it): that command has not ended.
    if (!IsWindowEnabled(Window())) {
        ShowTextNotice(Window(), IDS_LAUNCH_WHILE_BUSY);
        return;
    }
    const int row = FindPetRow(settings_, *name);
    if (row < 0) {
        ShowTextNotice(Window(), IDS_COMMAND_UNKNOWN_PET, WidenCp932(*name));
        return;
    }
    petList_.Select(-1, false);
    petList_.Select(row, true);
    LaunchPet(row, fs_, settings_, desktop_, hostStarter_);
}

void PetListDialog::SetUpPetList() {
    petList_.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    petList_.InsertColumn(0, LoadResourceText(module, IDS_PET_NAME_COLUMN), 150);
    petList_.InsertColumn(1, LoadResourceText(module, IDS_MAIL_COUNT_COLUMN), 210);
}

void PetListDialog::FillPetList(bool settingsRead) {
    // Escaped, the setup recorded no pet, and the list shows none: row i is always pet i.
    if (!settingsRead) {
        RunFirstSetup(fs_, settings_);
    }
    for (int i = 0; i < settings_.petCount; ++i) {
        petList_.InsertItem(i, WidenCp932(settings_.pets[static_cast<std::size_t>(i)].name));
    }
}

void PetListDialog::SayFailedWrite() {
    if (watchedFs_.TakeFailedWrite()) {
        ShowMessageNotice(Window(), LoadResourceText(GetModuleHandleW(nullptr), IDS_SETTINGS_NOT_WRITTEN));
    }
}

void PetListDialog::OnOK() {
    // After an escaped first-run setup there is nothing to record, and writing an empty file
    // would keep the next start from offering the setup again.
    if (!NothingToRecord(fs_, settings_) && !WriteSettings(fs_, settings_)) {
        SayFailedWrite();
        return;
    }
    SkinDialog::OnOK();
}

bool PetListDialog::OnCommand(WORD code, WORD id, HWND control) {
    if (code != BN_CLICKED) {
        return SkinDialog::OnCommand(code, id, control);
    }
    switch (id) {
        case IDC_LAUNCH:
            LaunchSelectedPet();
            return true;
        case IDC_ADD_PET:
            AddPetToList();
            return true;
        case IDC_DELETE_PET:
            DeleteSelectedPet();
            return true;
        case IDC_MAIL_SETTINGS:
            ShowMailSettingsOfSelectedPet();
            return true;
        case IDC_MAIL_START:
            StartMailCheck();
            return true;
        case IDC_MAIL_STOP:
            StopMailCheck();
            return true;
        case IDC_CHOOSE_BACKGROUND:
            if (ChooseBackground(Window(), fs_, settings_)) {
                SayFailedWrite();
                EndWithoutSaving();
            }
            return true;
        default:
            return SkinDialog::OnCommand(code, id, control);
    }
}

void PetListDialog::EndWithoutSaving() {
    SkinDialog::OnOK();
}

void PetListDialog::SetCheckingState(bool checking) const {
    for (int id : {IDC_LAUNCH, IDC_ADD_PET, IDC_DELETE_PET, IDC_MAIL_SETTINGS, IDC_MAIL_START, IDC_SNACK,
                   IDC_CHOOSE_BACKGROUND}) {
        EnableItem(id, !checking);
    }
    EnableItem(IDC_MAIL_STOP, checking);
}

void PetListDialog::StartMailCheck() {
    SetCheckingState(true);
    // A pass that cannot start (no socket, no thread) leaves nothing running: back to idle.
    if (!mailCheck_->Start(SnapshotMailAccounts(settings_))) {
        SetCheckingState(false);
    }
}

void PetListDialog::StopMailCheck() {
    ForceStopDialog confirm(Window());
    if (confirm.RunModal() != IDOK) {
        return;
    }
    mailCheck_->ForceStop();
    SetCheckingState(false);
    EndWithoutSaving();
}

bool PetListDialog::OnNotify(int id, NMHDR& header, LRESULT& result) {
    if (id == IDC_PET_LIST && (header.code == LVN_ITEMCHANGED || header.code == LVN_COLUMNCLICK)) {
        result = 0;
        return true;
    }
    return SkinDialog::OnNotify(id, header, result);
}

bool PetListDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == ID_ABOUT_COMMAND) {
                AboutDialog(Window()).RunModal();
                result = TRUE;
                return true;
            }
            if ((wParam & 0xFFF0) == ID_SHORTCUT_COMMAND) {
                CreateShortcutOfSelectedPet();
                result = TRUE;
                return true;
            }
            return false;
        case WM_COPYDATA:
            SetMessageResult(TakeLaunchRequest(lParam) ? TRUE : FALSE);
            result = TRUE;
            return true;
        case kMsgLaunchRequest:
            RunPendingLaunch();
            result = TRUE;
            return true;
        case WM_DESTROY:
            UnmarkLaunchTarget(Window());
            break;
        case WM_PAINT:
            if (IsIconic(Window())) {
                PaintMinimised();
                result = TRUE;
                return true;
            }
            break;
        case kMailCellsWaitingMessage:
        case kMailPassEndedMessage:
            // Updates whose wake-up was lost wait until the pass ends. Only the runner says whether
            // the pass has ended (also when a failure ended it): then every command is back. A
            // window that closed in its setup has no runner, and a forged wake-up finds nothing.
            if (mailCheck_) {
                ShowMailCells(petList_, mailCheck_->TakeCellUpdates());
                if (message == kMailPassEndedMessage && !mailCheck_->Running()) {
                    SetCheckingState(false);
                }
            }
            result = TRUE;
            return true;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<INT_PTR>(appIcon_);
            return true;
        default:
            break;
    }
    return SkinDialog::OnMessage(message, wParam, lParam, result);
}

void PetListDialog::PaintMinimised() const {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Window(), &paint);
    SendMessageW(Window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(Window(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, appIcon_);
    EndPaint(Window(), &paint);
}

}  // namespace torvin
