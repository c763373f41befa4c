#include "mail/MailListCell.h"

#include "mail/MailCellTexts.h"

namespace torvin {

void ShowMailCells(const ListView& petList, const std::vector<MailCellUpdate>& updates) {
    const int rows = petList.Count();
    for (const MailCellUpdate& update : updates) {
        if (update.pet >= 0 && update.pet < rows) {
            petList.SetSubItem(update.pet, 1, MailCellWideText(update.cell));
        }
    }
}

}  // namespace torvin
