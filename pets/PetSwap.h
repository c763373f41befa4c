#pragma once
// Swapping the host's live settings file for a chosen pet's stored copy: the file steps of a
// launch, from the save-back of the active pet to recording the chosen pet in setting.ini.
//
// Whatever step fails or is cut off, no pet loses its data. In order:
//   1. save-back: the active pet's stored copy becomes its backup generation (.bak), then the
//      live file is moved over the stored copy (across volumes: copied, flushed, renamed)
//                                                                                ("00 02")
//      The generation before is renamed .old and removed after the host has started.
//      A live file that no pet owns is moved into the recovery folder, never deleted.
//   2. setting.ini records that no pet is active                                 ("00 04")
//   3. a live file still there (after a copy across volumes) is deleted          ("00 04")
//   4. the chosen pet's stored copy, when it has one, is copied to a temporary, flushed and
//      renamed over the live file                                                ("00 05")
//   5. the chosen pet becomes activePet and setting.ini records it               ("00 07")
// After "00 04" and "00 07" setting.ini is rewritten once more to name the pet whose file is
// in the host folder; activePet in memory always names that pet, or none.

#include <string>

#include "pets/PetError.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

// False when the host folder is empty, too long or missing: no file step may then run, or it
// would act on the root of a drive.
bool HostFolderUsable(FileSystem& fs, const std::string& hostDir);

PetError SwapInPet(FileSystem& fs, AppSettings& settings, const std::string& chosenName);

// Removes the generation a save-back of this pet retired, if any: left to after the host's
// start so that freeing a large file's blocks does not delay it.
void DropRetiredGeneration(FileSystem& fs, const std::string& petName);

}  // namespace torvin
