#pragma once
// The main window's pet commands: launch, add, delete, and the first-run setup it runs when
// no settings could be read. The window resolves which pet a command is for (the row of its
// list, which is also the pet's place in the record) and edits its list by what a command
// returns; no command touches the list.

#include <windows.h>

#include <optional>

#include "pets/HostLaunch.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

// Launches the pet in this row, or says why not. No row means none is selected; that is said
// only after a running host has been refused, as the running host comes first.
void LaunchPet(std::optional<int> row, FileSystem& fs, AppSettings& settings, DesktopWindows& windows,
               HostStarter& starter);
// Says that no usable host folder is recorded and offers the host-folder part of the setup.
void OfferHostFolder(FileSystem& fs, AppSettings& settings);
// True when a pet was added: it is then the record's last pet.
bool AddPet(HWND owner, FileSystem& fs, AppSettings& settings);
// True when the pet in this row was deleted: the rows after it then move up by one.
bool DeletePet(int row, FileSystem& fs, AppSettings& settings);
// Shows the setup dialog; afterwards the record holds the pets it recorded (none when escaped).
void RunFirstSetup(FileSystem& fs, AppSettings& settings);

}  // namespace torvin
