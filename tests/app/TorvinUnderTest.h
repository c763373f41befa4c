#pragma once
// What the end-to-end tests share about the real Torvin.exe: where it is, how its main window
// is recognised, and the settings files they start it with.

#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsFormat.h"
#include "tests/support/RemoteApp.h"

namespace torvin::test {

inline std::wstring TorvinExe() {
    return WindowsPathOf(TORVIN_EXE);
}

inline bool IsMainWindow(HWND window) {
    return WindowText(window) == L"Torvin" && GetDlgItem(window, IDC_PET_LIST) != nullptr;
}

// A current setting.ini holding these pets, the first one active.
inline std::string SettingsFileWith(const std::vector<PetRecord>& pets, int backgroundKind = 0) {
    AppSettings s;
    s.versionText = cp932::kVersionText;
    s.hostDir = "C:\\Host";
    s.backgroundKind = static_cast<std::int8_t>(backgroundKind);
    s.petCount = static_cast<std::int8_t>(pets.size());
    std::size_t i = 0;
    for (const PetRecord& pet : pets) {
        s.pets[i++] = pet;
    }
    if (!pets.empty()) {
        s.activePet = pets.front().name;
    }
    return FormatSettings(s);
}

// Waits for a window of the process other than its main window, showing the text, and answers it
// with the button; false when none came or it stayed.
inline bool Answer(const RemoteApp& app, const std::wstring& text, int button = IDOK) {
    HWND notice = app.WaitForWindow([&](HWND w) { return !IsMainWindow(w) && HasChildWithText(w, text); });
    PressButton(notice, button);
    return notice != nullptr && WaitUntil([&] { return !IsWindow(notice); });
}

}  // namespace torvin::test
