#include "pets/PetError.h"

namespace torvin {

const char* ErrorCodeText(PetError error) {
    switch (error) {
        case PetError::kNone:
            return "";
        case PetError::kSaveBackCopy:
            return "00 02";
        case PetError::kClearHost:
            return "00 04";
        case PetError::kPutInPlace:
            return "00 05";
        case PetError::kStartHost:
            return "00 06";
        case PetError::kRecordActivePet:
            return "00 07";
        case PetError::kBackupCopy:
            return "00 08";
        case PetError::kFirstPetCopy:
            return "00 09";
        case PetError::kWriteWithoutPet:
            return "00 0B";
    }
    return "";
}

}  // namespace torvin
