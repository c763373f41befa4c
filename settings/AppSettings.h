#pragma once
// The one settings record of the program and the texts that live beside it.
// Every text is a byte string in code page 932, exactly as stored in setting.ini.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace torvin {

inline constexpr std::size_t kPetTableSize = 512;
// petCount is a signed 8-bit value, so the roster never holds more than this.
inline constexpr int kMaxPets = 127;
// Longest per-pet text and header text that other readers of setting.ini can hold.
inline constexpr std::size_t kMaxPetTextBytes = 99;
inline constexpr std::size_t kMaxHeaderTextBytes = 254;

struct PetRecord {
    std::string name;
    std::string mailAddress;
    std::string popServer;
    std::string userId;
    std::string password;
    // 0 = the mail check visits this pet; only exactly 1 skips it.
    std::int8_t mailCheckChoice = 0;
};

struct AppSettings {
    std::string versionText;
    std::string hostDir;
    std::int8_t backgroundKind = 0;
    std::string skinFile;
    std::int8_t skinLayout = 0;
    std::int8_t petCount = 0;
    std::string activePet;
    std::array<PetRecord, kPetTableSize> pets{};

    // Process-wide texts declared with the record; never stored in the file.
    std::string skinPath;
    std::string errorCodeText;
    std::string newPetName;
};

// The process-wide record, empty until the main window reads the file.
AppSettings& Settings();

}  // namespace torvin
