#pragma once
// The main window: the list of pets with the last mail-check result of each, and the row of
// command buttons. Its modal run is the whole life of the program.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "framework/ListView.h"
#include "mail/MailCheckRunner.h"
#include "pets/HostLaunch.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"
#include "settings/SettingsWriteWatch.h"
#include "skin/SkinDialog.h"

namespace torvin {

class PetListDialog : public SkinDialog {
  public:
    PetListDialog(FileSystem& fs, AppSettings& settings, DesktopWindows& desktop, HostStarter& hostStarter);
    ~PetListDialog() override;

    const ListView& PetList() const { return petList_; }

  protected:
    BOOL OnInit() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnOK() override;

  private:
    void AddVersionMenuItem() const;
    void AddShortcutMenuItem() const;
    // The pet of the lowest selected row; the OrSay form tells the user when there is none.
    std::optional<int> SelectedPet() const;
    std::optional<int> SelectedPetOrSay() const;
    // The commands on the selected pet; each edits the list by what its command changed.
    void LaunchSelectedPet();
    void AddPetToList();
    void DeleteSelectedPet();
    void ShowMailSettingsOfSelectedPet();
    void CreateShortcutOfSelectedPet() const;
    // A launch request of a second copy: checked and kept by WM_COPYDATA, run once the sender
    // has its answer.
    bool TakeLaunchRequest(LPARAM copyData);
    void RunPendingLaunch();
    void SetUpPetList();
    void FillPetList(bool settingsRead);
    // One notice after any command whose write of setting.ini failed.
    void SayFailedWrite();
    void PaintMinimised() const;
    void StartMailCheck();
    void StopMailCheck();
    // Idle: every command enabled but "中断"; checking: the reverse, "終了" and the list untouched.
    void SetCheckingState(bool checking) const;
    // Ends the window the plain OK way, without the save of "終了".
    void EndWithoutSaving();

    // Every file step goes through the watch, so no failed write of setting.ini goes unsaid.
    SettingsWriteWatch watchedFs_;
    FileSystem& fs_;
    AppSettings& settings_;
    DesktopWindows& desktop_;
    HostStarter& hostStarter_;
    ListView petList_;
    // Made once the window exists; its destructor stops a running pass before the window goes.
    std::unique_ptr<MailCheckRunner> mailCheck_;
    // A shared icon from the module's resources: the system owns it.
    HICON appIcon_ = nullptr;
    std::optional<std::string> pendingLaunch_;
};

}  // namespace torvin
