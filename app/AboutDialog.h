#pragma once
// The version box of the system menu. A skinned dialog that runs no skin set-up, so it keeps
// an empty background and looks like a plain dialog.

#include "resources/resource.h"
#include "skin/SkinDialog.h"

namespace torvin {

class AboutDialog : public SkinDialog {
  public:
    explicit AboutDialog(HWND parent) : SkinDialog(IDD_ABOUT, parent) {}
};

}  // namespace torvin
