#pragma once
// The window messages of the program's own that more than one module knows. A module whose worker
// posts to a window defines those messages itself (WM_APP + 2 and + 3 are kept for them).

#include <windows.h>

namespace torvin {

// Posted by a modal dialog to itself once its modal loop runs; lets tests answer dialogs.
inline constexpr UINT kMsgModalReady = WM_APP + 1;
// Posted by the main window to itself: a launch request handed over by a second copy waits.
inline constexpr UINT kMsgLaunchRequest = WM_APP + 4;

}  // namespace torvin
