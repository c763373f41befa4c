#pragma once
// Swapping the host's live settings file for a chosen pet's stored copy: the file steps of a
// launch, from the save-back of the active pet to recording the chosen pet in setting.ini.
//
// Whatever step fails or is cut off, no pet loses its data: every copy into place goes to a
// temporary name and is renamed over its target, and setting.ini never names a pet as active
// while the host folder may hold another pet's file. In order:
//   1. save-back: the host's live file replaces the active pet's stored copy     ("00 02")
//   2. setting.ini records that no pet is active                                 ("00 04")
//   3. the host's live file is deleted                                           ("00 04")
//   4. the chosen pet's stored copy, when it has one, replaces the live file      ("00 05")
//   5. the chosen pet becomes activePet and setting.ini records it               ("00 07")
// On "00 02", "00 04" and "00 05" activePet in memory keeps the pet that was active; on "00 07"
// it holds the chosen pet while setting.ini still records no active pet.

#include <string>

#include "pets/PetError.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

PetError SwapInPet(FileSystem& fs, AppSettings& settings, const std::string& chosenName);

}  // namespace torvin
