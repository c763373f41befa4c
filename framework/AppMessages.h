#pragma once
// Every window message of the program's own, in one place so that no two collide.

#include <windows.h>

namespace torvin {

// Posted by a modal dialog to itself once its modal loop runs; lets tests answer dialogs.
inline constexpr UINT kMsgModalReady = WM_APP + 1;

}  // namespace torvin
