#pragma once
// The messages the mail check worker posts to its window. A cell update carries a released
// MailCellUpdate in LPARAM, which the handler adopts (AdoptMailCellUpdate) and so frees.

#include <windows.h>

#include <memory>

#include "framework/AppMessages.h"
#include "mail/MailCell.h"

namespace torvin {

// LPARAM: a MailCellUpdate* the handler owns.
inline constexpr UINT kMailCellMessage = kMsgMailCell;
// WPARAM: TRUE when the pass went through every pet, FALSE when a failure ended it. Posted after
// every pass, so the window can restore its idle state either way.
inline constexpr UINT kMailPassEndedMessage = kMsgMailPassEnded;

struct MailCellUpdate {
    int pet = 0;
    MailCell cell;
};

inline std::unique_ptr<MailCellUpdate> AdoptMailCellUpdate(LPARAM lParam) {
    return std::unique_ptr<MailCellUpdate>(reinterpret_cast<MailCellUpdate*>(lParam));
}

}  // namespace torvin
