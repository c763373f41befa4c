#pragma once
// First-run setup: asks for the name of the host's current pet and for the host's folder,
// then records that pet as the first one and lays out the storage tree.

#include <string>

#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"
#include "skin/SkinDialog.h"

namespace torvin {

class SetupDialog : public SkinDialog {
  public:
    SetupDialog(FileSystem& fs, AppSettings& settings)
        : SkinDialog(IDD_SETUP, nullptr), fs_(fs), settings_(settings) {}

  protected:
    BOOL OnInit() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void OnOK() override;

  private:
    void Browse();
    // Two events count once each: the name field changed, and a host folder was chosen. The
    // second of them enables OK for good.
    void CountFilledField();

    FileSystem& fs_;
    AppSettings& settings_;
    int setupFieldsFilled_ = 0;
    bool setupNameEdited_ = false;
    bool folderChosen_ = false;
    std::string hostDir_;
};

}  // namespace torvin
