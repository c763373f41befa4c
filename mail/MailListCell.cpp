#include "mail/MailListCell.h"

#include <commctrl.h>

#include <string>

#include "mail/MailCellTexts.h"
#include "mail/MailMessages.h"

namespace torvin {

bool ApplyMailCellMessage(HWND listView, LPARAM lParam) {
    const auto update = AdoptMailCellUpdate(lParam);
    if (!update || update->pet < 0 ||
        update->pet >= static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0))) {
        return false;
    }
    std::wstring text = MailCellWideText(update->cell);
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = text.data();
    return SendMessageW(listView, LVM_SETITEMTEXTW, static_cast<WPARAM>(update->pet),
                        reinterpret_cast<LPARAM>(&item)) != FALSE;
}

}  // namespace torvin
