#pragma once
// The failures of the pet operations that the user sees as an error code in ErrorCodeDialog.

#include <cstdint>

namespace torvin {

enum class PetError : std::uint8_t {
    kNone,
    kSaveBackCopy,     // "00 02": the host's live file could not be saved into the active pet's folder
    kClearHost,        // "00 04": the host's live file could not be taken out of the way
    kPutInPlace,       // "00 05": the chosen pet's file could not be copied into the host folder
    kStartHost,        // "00 06": the host process could not be created
    kRecordActivePet,  // "00 07": setting.ini could not record the chosen pet as active
    kBackupCopy,       // "00 08": first-run backup of the host's file
    kFirstPetCopy,     // "00 09": first-run copy of the host's file as the first pet's file
    kWriteWithoutPet,  // "00 0B": setting.ini could not be written without a deleted pet
};

// The code as ErrorCodeDialog shows it, such as "00 05"; empty for kNone.
const char* ErrorCodeText(PetError error);

}  // namespace torvin
