#pragma once
// An in-memory installation for the pet tests: a host folder with its executable and live
// settings file, and Torvin's working directory with setting.ini and the storage tree.

#include <optional>
#include <string>

#include "pets/PetPaths.h"
#include "settings/AppSettings.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsStore.h"
#include "tests/support/MemoryFileSystem.h"

namespace torvin::test {

inline constexpr char kHostDir[] = "C:\\Host";
inline constexpr char kHana[] = "\x83\x6e\x83\x69";  // "ハナ"

struct PetWorld {
    MemoryFileSystem fs;

    PetWorld() {
        fs.folders.insert("C:");
        fs.folders.insert(kHostDir);
        fs.files[HostExePath(kHostDir)] = "exe";
    }

    std::optional<std::string> Live() { return fs.ReadWhole(HostSettingsPath(kHostDir)); }
    std::optional<std::string> Stored(const std::string& pet) { return fs.ReadWhole(PetSettingsPath(pet)); }
    void SetLive(const std::string& bytes) { fs.files[HostSettingsPath(kHostDir)] = bytes; }

    // What a restart reads from disk.
    AppSettings ReadBack() {
        AppSettings settings;
        settings.versionText = cp932::kVersionText;
        ReadSettings(fs, settings);
        return settings;
    }
};

}  // namespace torvin::test
