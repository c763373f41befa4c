#pragma once
// The Japanese texts the mail check shows in a pet's cell.

#include <string>

#include "mail/MailCell.h"

namespace torvin {

std::wstring MailCellWideText(const MailCell& cell);

}  // namespace torvin
