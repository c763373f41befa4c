#pragma once
// The fixed notices with which pet commands refuse, and the error-code dialog with which failed
// file and process steps report. One function per notice, so that tests can answer them
// through the dialog layer's modal observer.

#include <windows.h>

#include <string_view>

#include "settings/AppSettings.h"

namespace torvin {

void ShowHostNotFound();
void ShowHostRunning();
void ShowNoPetSelected();
void ShowDuplicatePet();
void ShowFirstPet();
// True when the user confirmed the deletion ("削除！"), false for "やめる" or Escape.
bool ConfirmDeletePet();
// Remembers the code in errorCodeText and shows it.
void ShowErrorCode(AppSettings& settings, std::string_view code);

}  // namespace torvin
