#pragma once
// The skinned test dialog (template 950 of SkinTest.rc) run through the common skin set-up.

#include <windows.h>

#include "skin/SkinDialog.h"

namespace torvin::test {

inline constexpr int kSkinTemplate = 950;
inline constexpr int kTextOnly = 1004, kIconOnly = 1005, kLabel = 1010, kTrackbar = 1011, kReadOnly = 1012,
                     kEdit = 1013;

class SkinTestDialog : public SkinDialog {
  public:
    enum class Setup { kNone, kCommon };
    explicit SkinTestDialog(Setup setup = Setup::kCommon)
        : SkinDialog(kSkinTemplate, nullptr), setup_(setup) {
        EnableDragByBody();
    }
    using SkinDialog::Button;
    using SkinDialog::SetBackgroundFile;

    int textOnlyClicks = 0;

  protected:
    BOOL OnInit() override {
        Dialog::OnInit();
        if (setup_ != Setup::kNone) {
            AttachSkinButtons({{IDOK, kOkHotIcon, kOkNormalIcon},
                               {IDCANCEL, kCancelHotIcon, kCancelNormalIcon},
                               {kTextOnly, 0, 0},
                               {kIconOnly, kOkHotIcon, 0}});
            LoadSkinBackground();
        }
        return TRUE;
    }
    bool OnCommand(WORD code, WORD id, HWND control) override {
        if (id == kTextOnly && code == BN_CLICKED) {
            ++textOnlyClicks;
            return true;
        }
        return SkinDialog::OnCommand(code, id, control);
    }

  private:
    Setup setup_;
};

// Resizes the window so that its client area is exactly width x height.
inline void SetClientSize(HWND window, int width, int height) {
    RECT frame{}, client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, (frame.right - frame.left) - client.right + width,
                 (frame.bottom - frame.top) - client.bottom + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace torvin::test
