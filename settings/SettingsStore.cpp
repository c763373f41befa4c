#include "settings/SettingsStore.h"

#include <algorithm>
#include <utility>

#include "settings/Cp932Texts.h"
#include "settings/SettingsFormat.h"

namespace torvin {

std::optional<std::string> KeepSettingsCopy(FileSystem& fs) {
    for (int n = 1; n < 1000; ++n) {
        const std::string name = std::string(kSettingsFileName) + ".kept" + std::to_string(n);
        if (!fs.PathExists(name)) {
            return fs.CopyNoOverwrite(kSettingsFileName, name) ? std::optional(name) : std::nullopt;
        }
    }
    return std::nullopt;
}

StartReadResult ReadSettingsAtStart(FileSystem& fs, AppSettings& settings) {
    const auto bytes = fs.ReadWhole(kSettingsFileName);
    if (!bytes) {
        return {fs.PathExists(kSettingsFileName) ? StartRead::kUnreadable : StartRead::kMissing, {}, true};
    }
    const auto lines = SplitLines(*bytes);
    // Parsed into a scratch record first, so an unreadable outcome leaves the record untouched.
    AppSettings read = settings;
    const ParseOutcome outcome = ParseSettings(lines, read);
    if (outcome == ParseOutcome::kComplete) {
        settings = std::move(read);
        return {StartRead::kRead, {}, true};
    }
    if (outcome == ParseOutcome::kOlderLayout) {
        read = settings;
        ParseOlderLayout(lines, read);
    }
    auto kept = KeepSettingsCopy(fs);
    if (!kept) {
        return {StartRead::kUnreadable, {}, true};
    }
    settings = std::move(read);
    // A file cut before its version line would otherwise be written back as the older layout.
    if (!settings.versionText.starts_with('v') && !settings.versionText.starts_with('V')) {
        settings.versionText = cp932::kVersionText;
    }
    if (outcome == ParseOutcome::kOlderLayout) {
        fs.MakeFolder(kSkinFolderName);
    }
    const bool written = WriteSettings(fs, settings);
    return {StartRead::kRepaired, std::move(*kept), written};
}

bool ReadSettings(FileSystem& fs, AppSettings& settings) {
    const StartRead outcome = ReadSettingsAtStart(fs, settings).outcome;
    return outcome == StartRead::kRead || outcome == StartRead::kRepaired;
}

bool WriteSettings(FileSystem& fs, const AppSettings& settings) {
    return ReplaceFileContents(fs, kSettingsFileName, FormatSettings(settings));
}

bool NothingToRecord(FileSystem& fs, const AppSettings& settings) {
    return settings.petCount <= 0 && settings.hostDir.empty() && !fs.PathExists(kSettingsFileName);
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
