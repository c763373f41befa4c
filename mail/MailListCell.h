#pragma once
// Shows a posted mail cell update in the pet list, so the main window only forwards the message.

#include <windows.h>

namespace torvin {

// Adopts the kMailCellMessage payload and writes its text into row = pet, column 1 of the list
// view. False when the list has no such row (the payload is freed all the same).
bool ApplyMailCellMessage(HWND listView, LPARAM lParam);

}  // namespace torvin
