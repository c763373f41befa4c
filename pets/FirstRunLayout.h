#pragma once
// What first-run setup does once the user has named the host's current pet and chosen the
// host folder: record that pet as the first and active pet, write setting.ini, lay out the
// storage tree, keep a backup of the host's file and copy it in as the first pet's file.

#include <string>

#include "pets/PetError.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

// Fills the record for the first pet as setup does; versionText and skinFile stay as they are.
void RecordFirstPet(AppSettings& settings, const std::string& petName, const std::string& hostDir);

// The whole layout. The caller has checked the name with CheckFolderName and the folder with
// HostDirFits; a name that fails the check is refused with "00 09" before anything is written.
// Copies never overwrite: a backup from an earlier installation is kept as it is and counts as
// done, so a retry after "00 09" can succeed; a first pet's file already in its folder is kept
// too and refused with "00 09", unless it holds the very bytes of the host's file.
// setting.ini is written before any copy, so from then on a later
// start finds the first pet recorded, whatever happens below; its write result is not examined.
PetError LayOutFirstPet(FileSystem& fs, AppSettings& settings, const std::string& petName,
                        const std::string& hostDir);

}  // namespace torvin
