#pragma once
// The main window's pet commands: launch, add, delete, and the first-run setup it runs when
// no settings could be read. Each acts on the lowest selected row of the pet list.

#include <windows.h>

#include "framework/ListView.h"
#include "pets/HostLaunch.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

void LaunchPet(const ListView& petList, FileSystem& fs, AppSettings& settings, DesktopWindows& windows,
               HostStarter& starter);
// The same launch for the pet in this row, with the same notices; a row outside the roster
// counts as no selection.
void LaunchPetInRow(int row, FileSystem& fs, AppSettings& settings, DesktopWindows& windows,
                    HostStarter& starter);
void AddPet(HWND owner, const ListView& petList, FileSystem& fs, AppSettings& settings);
void DeletePet(const ListView& petList, FileSystem& fs, AppSettings& settings);
// Shows the setup dialog; afterwards the list gets its one row showing activePet, whatever
// way the dialog ended.
void RunFirstSetup(const ListView& petList, FileSystem& fs, AppSettings& settings);

}  // namespace torvin
