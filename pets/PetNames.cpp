#include "pets/PetNames.h"

#include <array>
#include <string_view>

#include "pets/PetPaths.h"
#include "settings/Cp932Texts.h"

namespace torvin {

namespace {

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// One character of a CP932 text: one byte, or a lead byte with its trail byte.
struct Character {
    unsigned char first = 0;
    unsigned char second = 0;
    bool wide = false;
};

// Splits a CP932 text into characters; false when a lead byte has no trail byte.
template <typename Visit>
bool ForEachCharacter(const std::string& text, Visit visit) {
    for (std::size_t at = 0; at < text.size();) {
        Character c;
        c.first = static_cast<unsigned char>(text[at]);
        if (IsLeadByte(c.first)) {
            if (at + 1 >= text.size()) {
                return false;
            }
            c.second = static_cast<unsigned char>(text[at + 1]);
            c.wide = true;
            at += 2;
        } else {
            at += 1;
        }
        visit(c);
    }
    return true;
}

bool IsForbidden(unsigned char byte) {
    constexpr std::string_view kForbidden = "\\/:*?\"<>|";
    return kForbidden.find(static_cast<char>(byte)) != std::string_view::npos;
}

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDeviceName(std::string stem) {
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (char& c : stem) {
        c = UpperAscii(c);
    }
    constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const auto device : kPlain) {
        if (stem == device) {
            return true;
        }
    }
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' &&
           stem[3] <= '9';
}

}  // namespace

PetNameProblem CheckFolderName(const std::string& name) {
    if (name.empty()) {
        return PetNameProblem::kEmpty;
    }
    if (name.size() > kMaxPetTextBytes) {
        return PetNameProblem::kTooLong;
    }
    PetNameProblem found = PetNameProblem::kNone;
    Character last;
    const bool whole = ForEachCharacter(name, [&](const Character& c) {
        last = c;
        if (c.wide || found != PetNameProblem::kNone) {
            return;
        }
        if (c.first < 0x20 || c.first == 0x7F) {
            found = PetNameProblem::kControlCharacter;
        } else if (IsForbidden(c.first)) {
            found = PetNameProblem::kForbiddenCharacter;
        }
    });
    if (!whole) {
        return PetNameProblem::kBrokenText;
    }
    if (found != PetNameProblem::kNone) {
        return found;
    }
    if (name == "." || name == "..") {
        return PetNameProblem::kDotName;
    }
    if (!last.wide && (last.first == '.' || last.first == ' ')) {
        return PetNameProblem::kTrailingDotOrBlank;
    }
    // A lead byte is never '.', so the first '.' byte is the first dot character.
    if (IsDeviceName(name.substr(0, name.find('.'))) || name == cp932::kBackupFolderName ||
        name == cp932::kRecoveryFolderName) {
        return PetNameProblem::kReservedName;
    }
    return PetNameProblem::kNone;
}

bool RosterFull(const AppSettings& settings) {
    return settings.petCount >= kMaxPets;
}

std::optional<std::string> StoredFolderName(const std::string& name) {
    std::size_t at = 0;
    std::size_t keep = 0;
    bool usable = true;
    const bool whole = ForEachCharacter(name, [&](const Character& c) {
        at += c.wide ? 2 : 1;
        if (!c.wide && (c.first < 0x20 || c.first == 0x7F || IsForbidden(c.first))) {
            usable = false;
        }
        if (c.wide || (c.first != '.' && c.first != ' ')) {
            keep = at;
        }
    });
    std::string folder = name.substr(0, keep);
    // The backup and recovery folders hold other pets' data, never this name's own.
    if (!whole || !usable || folder.empty() || folder == cp932::kRecoveryFolderName ||
        folder == cp932::kBackupFolderName) {
        return std::nullopt;
    }
    return folder;
}

bool SameStoredFolder(FileSystem& fs, const std::string& a, const std::string& b) {
    const auto folderA = StoredFolderName(a);
    const auto folderB = StoredFolderName(b);
    return folderA && folderB ? fs.SameEntryName(*folderA, *folderB) : a == b;
}

PetNameProblem CheckNewPetName(const std::string& name, const AppSettings& settings, FileSystem& fs) {
    if (settings.petCount < 0 || RosterFull(settings)) {
        return PetNameProblem::kRosterFull;
    }
    if (const auto problem = CheckFolderName(name); problem != PetNameProblem::kNone) {
        return problem;
    }
    if (!fs.NameConverts(name)) {
        return PetNameProblem::kBrokenText;
    }
    for (int i = 0; i < settings.petCount; ++i) {
        if (settings.pets[static_cast<std::size_t>(i)].name == name) {
            return PetNameProblem::kDuplicate;
        }
    }
    for (int i = 0; i < settings.petCount; ++i) {
        if (SameStoredFolder(fs, settings.pets[static_cast<std::size_t>(i)].name, name)) {
            return PetNameProblem::kSameFolder;
        }
    }
    return PetNameProblem::kNone;
}

bool HostDirFits(const std::string& hostDir) {
    return !hostDir.empty() && HostSettingsPath(hostDir).size() + kTemporarySuffixBytes <= kMaxPathBytes;
}

}  // namespace torvin
