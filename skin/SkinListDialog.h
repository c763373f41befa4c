#pragma once
// Lists the .bmp files of the skin folder; OK takes the selected one as the skin file.

#include <string>
#include <vector>

#include "framework/ListView.h"
#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "skin/SkinDialog.h"

namespace torvin {

// The list shows at most this many names; further files are left out.
inline constexpr std::size_t kMaxSkinNames = 1024;

class SkinListDialog : public SkinDialog {
  public:
    SkinListDialog(HWND parent, AppSettings& settings)
        : SkinDialog(IDD_SKIN_LIST, parent), settings_(settings) {}

    const std::vector<std::string>& SkinNames() const { return skinNames_; }

  protected:
    BOOL OnInit() override;
    bool ReadControls() override;

  private:
    AppSettings& settings_;
    ListView list_;
    std::vector<std::string> skinNames_;
};

}  // namespace torvin
