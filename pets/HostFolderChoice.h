#pragma once
// The host-folder part of the setup: the folder browser, and the checks a chosen folder must
// pass before it can become hostDir.

#include <windows.h>

#include <optional>
#include <string>

#include "settings/FileSystem.h"

namespace torvin {

// The chosen folder as CP932, or nothing when the user cancelled or the folder was refused
// (the refusal has been shown: a path that does not fit, or no Nimbrel20.exe in it).
std::optional<std::string> ChooseHostFolder(HWND owner, FileSystem& fs);

}  // namespace torvin
