#pragma once
// The main window's "背景選択" command.

#include <windows.h>

#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

// Runs the chooser. True when a choice was confirmed: the settings are written and the user
// was told that the program ends; the caller then ends the main window without its own save.
bool ChooseBackground(HWND owner, FileSystem& fs, AppSettings& settings);

}  // namespace torvin
