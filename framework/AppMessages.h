#pragma once
// Every window message of the program's own, in one place so that no two collide.

#include <windows.h>

namespace torvin {

// Posted by a modal dialog to itself once its modal loop runs; lets tests answer dialogs.
inline constexpr UINT kMsgModalReady = WM_APP + 1;
// Posted by the mail check worker to the main window.
inline constexpr UINT kMsgMailCell = WM_APP + 2;
inline constexpr UINT kMsgMailPassEnded = WM_APP + 3;
// Posted by the main window to itself: a launch request handed over by a second copy waits.
inline constexpr UINT kMsgLaunchRequest = WM_APP + 4;

}  // namespace torvin
