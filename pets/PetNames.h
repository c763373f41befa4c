#pragma once
// Which pet names and host folders the storage tree can hold. A pet's name is its storage
// folder's name, so only a single valid folder name is accepted: nothing outside the storage
// root can ever be created, copied or deleted through a name.

#include <cstdint>
#include <optional>
#include <string>

#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

enum class PetNameProblem : std::uint8_t {
    kNone,
    kEmpty,
    kTooLong,             // over the 99 bytes setting.ini keeps for a pet text
    kBrokenText,          // not valid CP932: a lead byte without its trail byte, an unassigned code
    kForbiddenCharacter,  // \ / : * ? " < > |
    kControlCharacter,    // below 0x20, or 0x7F
    kDotName,             // "." or ".."
    kTrailingDotOrBlank,  // the file system would drop it, so two names would share a folder
    kReservedName,        // a device name such as CON or LPT1, the backup or recovery folder's name
    kDuplicate,           // the same bytes as a pet in use
    kSameFolder,          // the file system takes it for the folder of a pet in use
    kRosterFull,          // 127 pets are in use
};

// The checks that make a name typed now a single valid folder name of the storage tree.
PetNameProblem CheckFolderName(const std::string& name);

// Everything a new pet's name must pass: a valid folder name that converts strictly, not the
// name or, as the file system compares names, the folder of a pet in use, and room in the
// roster. A folder that already holds a stored file is fine: the pet adopts that file.
PetNameProblem CheckNewPetName(const std::string& name, const AppSettings& settings, FileSystem& fs);

// The storage folder a recorded name uses. Names from older files keep working while their
// path stays inside the storage root: a trailing dot or blank is dropped as Windows drops it
// when it makes the folder. Nothing for a name that would leave the root, hold a wildcard, or
// take the backup or recovery folder.
std::optional<std::string> StoredFolderName(const std::string& name);

// True when the two recorded names use one storage folder as the file system sees it.
bool SameStoredFolder(FileSystem& fs, const std::string& a, const std::string& b);

// True when 127 pets are in use and no other can be added.
bool RosterFull(const AppSettings& settings);

// True when every path built from the host folder, including the temporary name of a copy
// into place, stays within 255 bytes, and the folder is not empty.
bool HostDirFits(const std::string& hostDir);

}  // namespace torvin
