#pragma once
// Reading and writing setting.ini in the working directory.

#include <cstdint>
#include <optional>
#include <string>

#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

inline constexpr char kSettingsFileName[] = "setting.ini";
inline constexpr char kSkinFolderName[] = "skin";

enum class StartRead : std::uint8_t {
    kRead,        // a current file, read whole
    kMissing,     // no setting.ini: the first-run setup runs
    kRepaired,    // damaged or older: the original is kept beside it, what could be read is used
    kUnreadable,  // it exists but cannot be read, or its original could not be kept: leave it
};

struct StartReadResult {
    StartRead outcome = StartRead::kMissing;
    // The kept original, for the one notice that names it.
    std::string keptCopy;
    // False when the repaired record could not be written back.
    bool written = true;
};

// Reads setting.ini at start-up. Unreadable is not absent: only a missing file leads to the
// first-run setup. Before a damaged or older file is rewritten from what could be read, its
// bytes are kept beside it under a name of their own.
StartReadResult ReadSettingsAtStart(FileSystem& fs, AppSettings& settings);

// True when settings are present, read whole or repaired.
bool ReadSettings(FileSystem& fs, AppSettings& settings);

// Copies setting.ini to a new name beside it, never over an earlier kept copy. The name, or
// nothing when no copy could be made.
std::optional<std::string> KeepSettingsCopy(FileSystem& fs);

// Replaces setting.ini atomically with the record. False, with the old file intact, when any
// step of the write fails.
bool WriteSettings(FileSystem& fs, const AppSettings& settings);

// True when no setting.ini exists and the record holds nothing a start needs (no pets, no
// host folder): writing it then would only keep the next start from offering the setup.
bool NothingToRecord(FileSystem& fs, const AppSettings& settings);

// Writes setting.ini without the pet at index and, only once that write succeeded, removes
// the pet from the record (clearing activePet when it named that pet). On failure the record
// and the file are both unchanged, so the two never disagree.
bool WriteSettingsWithoutPet(FileSystem& fs, AppSettings& settings, int index);

// Drops the pet at index from the record: later entries move up, the count drops by one, and
// activePet is cleared when it named that pet.
void RemovePetFromRecord(AppSettings& settings, int index);

}  // namespace torvin
