#pragma once
// Asks whether to stop the running mail check by force, which also ends the program.

#include "resources/resource.h"
#include "skin/SkinDialog.h"

namespace torvin {

class ForceStopDialog : public SkinDialog {
  public:
    explicit ForceStopDialog(HWND parent) : SkinDialog(IDD_FORCE_STOP, parent) {}

  protected:
    BOOL OnInit() override {
        Dialog::OnInit();
        EnableDragByBody();
        AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}, {IDCANCEL, kCancelHotIcon, kCancelNormalIcon}});
        LoadSkinBackground();
        return TRUE;
    }
};

}  // namespace torvin
