#pragma once
// One pet's mail account: address, POP server, user ID, password and whether the mail check
// visits the pet.

#include <string>

#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"
#include "skin/SkinDialog.h"

namespace torvin {

class MailSettingsDialog : public SkinDialog {
  public:
    MailSettingsDialog(HWND parent, AppSettings& settings, int selectedPetIndex)
        : SkinDialog(IDD_MAIL_SETTINGS, parent), settings_(settings), selectedPetIndex_(selectedPetIndex) {}

  protected:
    BOOL OnInit() override;
    void WriteControls() override;
    bool ReadControls() override;

  private:
    PetRecord& Pet() { return settings_.pets[static_cast<std::size_t>(selectedPetIndex_)]; }

    AppSettings& settings_;
    int selectedPetIndex_;
};

// The main window's "設定" command for the pet in this row; confirmed values are written to
// setting.ini at once.
void ShowMailSettings(HWND owner, int row, FileSystem& fs, AppSettings& settings);

}  // namespace torvin
