#pragma once
// Adding a pet to the roster and deleting one, keeping the record, setting.ini and the
// storage tree in step.

#include <cstdint>
#include <string>

#include "pets/PetError.h"
#include "pets/PetNames.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

// Appends a pet after CheckNewPetName accepted its name: empty mail texts, left out of the
// mail check. Then writes setting.ini (on failure the pet stays in memory and the next
// successful write records it; the caller tells the user) and makes the pet's folder (the
// first save-back into it makes it again). A stored file already in that folder becomes the
// pet's. A refused name changes nothing.
PetNameProblem AddPetToRoster(FileSystem& fs, AppSettings& settings, const std::string& name);

enum class DeleteOutcome : std::uint8_t {
    kDeleted,
    kFirstPet,    // pet 0, recorded at setup, is never deleted
    kNoSuchPet,   // the index is outside the pets in use
    kNotWritten,  // setting.ini could not be written; nothing changed. Shown as
                  // ErrorCodeText(PetError::kWriteWithoutPet), "00 0B"
};

// Writes setting.ini without the pet first; only once that succeeded does the pet leave the
// record and lose its stored file, backup generation and (when then empty) its folder. A
// folder that a remaining pet maps to, or a name that maps to no folder, is left untouched.
DeleteOutcome DeletePetFromRoster(FileSystem& fs, AppSettings& settings, int index);

}  // namespace torvin
