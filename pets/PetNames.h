#pragma once
// Which pet names and host folders the storage tree can hold. A pet's name is its storage
// folder's name, so only a single valid folder name is accepted: nothing outside the storage
// root can ever be created, copied or deleted through a name.

#include <cstdint>
#include <string>

#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

enum class PetNameProblem : std::uint8_t {
    kNone,
    kEmpty,
    kTooLong,             // over the 99 bytes setting.ini keeps for a pet text
    kBrokenText,          // a lead byte without its trail byte
    kForbiddenCharacter,  // \ / : * ? " < > |
    kControlCharacter,    // below 0x20, or 0x7F
    kDotName,             // "." or ".."
    kTrailingDotOrBlank,  // the file system would drop it, so two names would share a folder
    kReservedName,        // a device name such as CON or LPT1, or the backup folder's name
    kDuplicate,           // the same bytes as a pet in use
    kSameFolder,          // differs from a pet in use only in letter case, or its folder
                          // already holds another pet's settings file
    kRosterFull,          // 127 pets are in use
};

// The checks that make a name a single valid folder name of the storage tree.
PetNameProblem CheckFolderName(const std::string& name);

// Everything a new pet's name must pass: a valid folder name, not taken by a pet in use (by
// exact bytes, or by letter case, which the file system ignores), no stored settings file
// already in its folder, and room in the roster.
PetNameProblem CheckNewPetName(const std::string& name, const AppSettings& settings, FileSystem& fs);

// True when 127 pets are in use and no other can be added.
bool RosterFull(const AppSettings& settings);

// True when every path built from the host folder, including the temporary name of a copy
// into place, stays within 255 bytes, and the folder is not empty.
bool HostDirFits(const std::string& hostDir);

// True when the two names would name the same folder on a file system that ignores letter case
// (ASCII and full-width Latin letters).
bool SameFolderName(const std::string& a, const std::string& b);

}  // namespace torvin
