#include "settings/SettingsStore.h"

#include <algorithm>
#include <utility>

#include "settings/SettingsFormat.h"

namespace torvin {

bool ReadSettings(FileSystem& fs, AppSettings& settings) {
    const auto bytes = fs.ReadWhole(kSettingsFileName);
    if (!bytes) {
        return false;
    }
    switch (ParseSettings(SplitLines(*bytes), settings)) {
        case ParseOutcome::kComplete:
            return true;
        case ParseOutcome::kOlderLayout:
            MigrateOldSettings(fs, settings);
            return true;
        case ParseOutcome::kEndedEarly:
            break;
    }
    return false;
}

bool MigrateOldSettings(FileSystem& fs, AppSettings& settings) {
    const auto bytes = fs.ReadWhole(kSettingsFileName);
    if (!bytes || !ParseOlderLayout(SplitLines(*bytes), settings)) {
        return false;
    }
    WriteSettings(fs, settings);
    fs.MakeFolder(kSkinFolderName);
    return true;
}

bool WriteSettings(FileSystem& fs, const AppSettings& settings) {
    return ReplaceFileContents(fs, kSettingsFileName, FormatSettings(settings));
}

void RemovePetFromRecord(AppSettings& settings, int index) {
    if (index < 0 || index >= settings.petCount) {
        return;
    }
    auto& pets = settings.pets;
    const auto at = static_cast<std::size_t>(index);
    if (pets[at].name == settings.activePet) {
        settings.activePet.clear();
    }
    std::move(pets.begin() + index + 1, pets.begin() + settings.petCount, pets.begin() + index);
    pets[static_cast<std::size_t>(settings.petCount - 1)] = PetRecord{};
    settings.petCount = static_cast<std::int8_t>(settings.petCount - 1);
}

bool WriteSettingsWithoutPet(FileSystem& fs, AppSettings& settings, int index) {
    AppSettings without = settings;
    RemovePetFromRecord(without, index);
    if (!WriteSettings(fs, without)) {
        return false;
    }
    RemovePetFromRecord(settings, index);
    return true;
}

}  // namespace torvin
