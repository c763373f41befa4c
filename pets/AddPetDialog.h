#pragma once
// Asks for the name of a new pet.

#include <string>

#include "resources/resource.h"
#include "skin/SkinDialog.h"

namespace torvin {

class AddPetDialog : public SkinDialog {
  public:
    explicit AddPetDialog(HWND parent) : SkinDialog(IDD_ADD_PET, parent) {}

    // The typed name, valid after OK; `edited` tells whether the field was ever changed.
    std::string name;
    bool edited = false;

  protected:
    BOOL OnInit() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool ReadControls() override;
};

}  // namespace torvin
