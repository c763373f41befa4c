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

// The whole layout. Everything is checked and copied before anything is recorded, so no
// record, in memory or on disk, ever names a pet whose setup failed: a name that is not a
// valid folder name or a host folder that does not fit is refused with "00 09"; a first pet's
// file already in its folder is kept and refused with "00 09", unless it holds the very bytes
// of the host's file (the copy of an earlier try that was cut off). Copies never overwrite: a
// backup from an earlier installation is kept as it is and counts as done. With no host file
// yet there is nothing to back up, and the first pet starts without a stored file. Last, the
// first pet is recorded and setting.ini written; the caller tells the user if that failed.
PetError LayOutFirstPet(FileSystem& fs, AppSettings& settings, const std::string& petName,
                        const std::string& hostDir);

}  // namespace torvin
