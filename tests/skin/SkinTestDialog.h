#pragma once
// A skinned dialog (template 950 of SkinTest.rc) set up as the program's dialogs set up theirs.

#include <windows.h>

#include "skin/SkinDialog.h"

namespace torvin::test {

inline constexpr int kTextOnly = 1004, kIconOnly = 1005, kLabel = 1010, kTrackbar = 1011, kReadOnly = 1012,
                     kEdit = 1013;

class SkinTestDialog : public SkinDialog {
  public:
    explicit SkinTestDialog(bool firstRun = false) : SkinDialog(950, nullptr), firstRun_(firstRun) {
        EnableDragByBody();
    }
    using SkinDialog::Button;

    int textOnlyClicks = 0;

  protected:
    BOOL OnInit() override {
        Dialog::OnInit();
        AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon},
                           {IDCANCEL, kCancelHotIcon, kCancelNormalIcon},
                           {kTextOnly, 0, 0},
                           {kIconOnly, kOkHotIcon, 0}});
        firstRun_ ? LoadSetupBackground() : LoadSkinBackground();
        return TRUE;
    }
    bool OnCommand(WORD code, WORD id, HWND control) override {
        textOnlyClicks += id == kTextOnly && code == BN_CLICKED;
        return SkinDialog::OnCommand(code, id, control);
    }

  private:
    bool firstRun_;
};

}  // namespace torvin::test
