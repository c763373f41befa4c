#pragma once
// Shows the mail check's cell updates in the pet list, so the main window only forwards them.

#include <vector>

#include "framework/ListView.h"
#include "mail/MailCheckRunner.h"

namespace torvin {

// Writes each update's text into row = pet, column 1; an update for a row the list no longer has
// is dropped.
void ShowMailCells(const ListView& petList, const std::vector<MailCellUpdate>& updates);

}  // namespace torvin
