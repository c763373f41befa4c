#pragma once
// Tells the user that the program ends so that a new background shows at the next start.

#include "resources/resource.h"
#include "skin/SkinDialog.h"

namespace torvin {

class ExitNoticeDialog : public SkinDialog {
  public:
    explicit ExitNoticeDialog(HWND parent) : SkinDialog(IDD_EXIT_NOTICE, parent) {}

  protected:
    BOOL OnInit() override {
        Dialog::OnInit();
        EnableDragByBody();
        AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon}});
        LoadSkinBackground();
        return TRUE;
    }
};

}  // namespace torvin
