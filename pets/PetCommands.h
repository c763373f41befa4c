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
// Says that no usable host folder is recorded and offers the host-folder part of the setup.
void OfferHostFolder(FileSystem& fs, AppSettings& settings);
void AddPet(HWND owner, const ListView& petList, FileSystem& fs, AppSettings& settings);
void DeletePet(const ListView& petList, FileSystem& fs, AppSettings& settings);
// Shows the setup dialog; afterwards the list shows the pets it recorded (none when escaped).
void RunFirstSetup(const ListView& petList, FileSystem& fs, AppSettings& settings);

}  // namespace torvin
