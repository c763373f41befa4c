#pragma once
// Reading and writing setting.ini in the working directory.

#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

inline constexpr char kSettingsFileName[] = "setting.ini";
inline constexpr char kSkinFolderName[] = "skin";

// True when settings are present (an older file was converted too); false when the file is
// missing or ends early, which leads to the first-run setup. Fields read before a gap keep
// their new values.
bool ReadSettings(FileSystem& fs, AppSettings& settings);

// Converts an older file in place: reads it, writes the current layout and makes the folder
// "skin". False, with nothing written, when a line is missing.
bool MigrateOldSettings(FileSystem& fs, AppSettings& settings);

// Replaces setting.ini atomically with the record. False, with the old file intact, when any
// step of the write fails.
bool WriteSettings(FileSystem& fs, const AppSettings& settings);

// Writes setting.ini without the pet at index and, only once that write succeeded, removes
// the pet from the record (clearing activePet when it named that pet). On failure the record
// and the file are both unchanged, so the two never disagree.
bool WriteSettingsWithoutPet(FileSystem& fs, AppSettings& settings, int index);

// Drops the pet at index from the record: later entries move up, the count drops by one, and
// activePet is cleared when it named that pet.
void RemovePetFromRecord(AppSettings& settings, int index);

}  // namespace torvin
