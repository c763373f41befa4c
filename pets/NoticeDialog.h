#pragma once
// A fixed notice: centred texts of its template and an OK button (and, for the deletion
// question, a cancel button), skinned and moved by dragging its body.

#include "skin/SkinDialog.h"

namespace torvin {

class NoticeDialog : public SkinDialog {
  public:
    struct Options {
        bool hasCancel = false;
        bool removeCaption = false;
    };
    NoticeDialog(int templateId, Options options) : SkinDialog(templateId, nullptr), options_(options) {}

  protected:
    BOOL OnInit() override;

  private:
    Options options_;
};

}  // namespace torvin
