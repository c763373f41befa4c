#pragma once
// The bare wake-ups the mail check worker posts to its window. Neither carries anything the window
// trusts: the cell updates wait in the runner's queue, and the window asks the runner whether a pass
// still runs. So a stray or forged message does nothing harmful, and a failed post loses nothing.

#include <windows.h>

namespace torvin {

// Cell updates wait in MailCheckRunner::TakeCellUpdates.
inline constexpr UINT kMailCellsWaitingMessage = WM_APP + 2;
// Posted after every pass, also one that a failure ended, so the window can return to its idle state.
inline constexpr UINT kMailPassEndedMessage = WM_APP + 3;

}  // namespace torvin
