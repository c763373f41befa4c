#pragma once
// The texts the mail check shows in a pet's cell, from the string table.

#include <windows.h>

#include <array>
#include <string>

#include "mail/MailCell.h"
#include "resources/resource.h"

namespace torvin {

// The string-table id of each cell text, in MailCellText's order. kMailCount's text holds %1
// for the count.
inline constexpr std::array<UINT, 14> kMailCellTextIds = {
    IDS_MAIL_CELL_STARTING,         IDS_MAIL_CELL_NO_USER_ID,
    IDS_MAIL_CELL_NO_PASSWORD,      IDS_MAIL_CELL_NO_SERVER,
    IDS_MAIL_CELL_CONNECT_FAILED,   IDS_MAIL_CELL_WRONG_SERVER,
    IDS_MAIL_CELL_TLS_FAILED,       IDS_MAIL_CELL_CERTIFICATE_REJECTED,
    IDS_MAIL_CELL_SENDING_USER_ID,  IDS_MAIL_CELL_WRONG_USER_ID,
    IDS_MAIL_CELL_SENDING_PASSWORD, IDS_MAIL_CELL_WRONG_PASSWORD,
    IDS_MAIL_CELL_COUNTING,         IDS_MAIL_CELL_COUNT,
};
static_assert(kMailCellTextIds.size() == static_cast<std::size_t>(MailCellText::kMailCount) + 1,
              "one id for each cell text");

std::wstring MailCellWideText(const MailCell& cell);

}  // namespace torvin
