#pragma once
// Shows the error code last reported in a read-only field, so that it can be selected and copied.

#include <string>

#include "resources/resource.h"
#include "skin/SkinDialog.h"

namespace torvin {

class ErrorCodeDialog : public SkinDialog {
  public:
    explicit ErrorCodeDialog(std::string code)
        : SkinDialog(IDD_ERROR_CODE, nullptr), code_(std::move(code)) {}

  protected:
    BOOL OnInit() override;
    void WriteControls() override { SetItemTextCp932(IDC_ERROR_CODE, code_); }

  private:
    std::string code_;
};

}  // namespace torvin
