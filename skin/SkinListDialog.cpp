#include "skin/SkinListDialog.h"

#include <commctrl.h>

#include "framework/CodePage.h"
#include "framework/ResourceText.h"
#include "skin/DirectoryListing.h"

namespace torvin {

BOOL SkinListDialog::OnInit() {
    Dialog::OnInit();
    list_.Attach(Item(IDC_SKIN_LIST));
    EnableDragByBody();
    AttachSkinButtons({{IDCANCEL, kCancelHotIcon, kCancelNormalIcon}, {IDOK, kOkHotIcon, kOkNormalIcon}});
    LoadSkinBackground();
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list_.InsertColumn(0, LoadResourceText(GetModuleHandleW(nullptr), IDS_SKIN_COLUMN), 130);

    DirectoryListing listing;
    listing.folder = ".\\skin";
    listing.pattern = "*.bmp";
    listing.List();
    skinNames_ = std::move(listing.fileNames);
    if (skinNames_.size() > kMaxSkinNames) {
        skinNames_.resize(kMaxSkinNames);
    }
    for (std::size_t i = 0; i < skinNames_.size(); ++i) {
        list_.InsertItem(static_cast<int>(i), WidenCp932(skinNames_[i]));
    }
    return TRUE;
}

bool SkinListDialog::ReadControls() {
    const int row = list_.FirstSelected();
    settings_.skinFile = row >= 0 ? skinNames_[static_cast<std::size_t>(row)] : std::string();
    return true;
}

}  // namespace torvin
