#pragma once
// The background chooser: three colour tiles or a skin file of the user's own.

#include <string>

#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"
#include "skin/SkinDialog.h"

namespace torvin {

class BackgroundDialog : public SkinDialog {
  public:
    BackgroundDialog(HWND parent, FileSystem& fs, AppSettings& settings)
        : SkinDialog(IDD_BACKGROUND, parent), fs_(fs), settings_(settings) {}

    // Position of the chosen radio button: 0 pink, 1 blue, 2 green, 3 own skin file; -1 none.
    int kind = -1;
    std::string fileName;

  protected:
    BOOL OnInit() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void WriteControls() override;
    bool ReadControls() override;

  private:
    void ChooseSkinFile();

    FileSystem& fs_;
    AppSettings& settings_;
};

}  // namespace torvin
