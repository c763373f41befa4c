#include "app/LaunchCommand.h"

#include <algorithm>
#include <cstring>

#include "pets/PetNames.h"
#include "pets/PetPaths.h"

namespace torvin {

namespace {

// Options are compared as Windows programs compare them: ASCII letters in any case.
bool IsLaunchOption(std::wstring_view argument) {
    constexpr std::wstring_view kOption = L"/launch";
    return argument.size() == kOption.size() &&
           std::equal(argument.begin(), argument.end(), kOption.begin(), [](wchar_t a, wchar_t b) {
               return (a >= L'A' && a <= L'Z' ? static_cast<wchar_t>(a - L'A' + L'a') : a) == b;
           });
}

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool FileNameCanHold(unsigned char byte) {
    return byte >= 0x20 && byte != 0x7F &&
           std::string_view("\\/:*?\"<>|").find(static_cast<char>(byte)) == std::string_view::npos;
}

}  // namespace

LaunchCommand ParseLaunchCommand(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) {
        return {};
    }
    if (!IsLaunchOption(arguments[0])) {
        return {LaunchCommandKind::kUnknownOption, L"", arguments[0]};
    }
    if (arguments.size() < 2 || arguments[1].empty()) {
        return {LaunchCommandKind::kMissingName, L"", L""};
    }
    if (arguments.size() > 2) {
        return {LaunchCommandKind::kExtraArguments, arguments[1], arguments[2]};
    }
    return {LaunchCommandKind::kLaunch, arguments[1], L""};
}

std::wstring QuoteArgument(std::wstring_view text) {
    // Backslashes are literal except in front of a quote, where each pair stands for one.
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::optional<std::string> ReadLaunchRequest(std::uintptr_t tag, const void* data, std::size_t size) {
    if (tag != kLaunchRequestTag || data == nullptr || size == 0 || size > kMaxPathBytes) {
        return std::nullopt;
    }
    std::string name(static_cast<const char*>(data), size);
    if (name.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return name;
}

int FindPetRow(const AppSettings& settings, const std::string& name) {
    const int count = std::clamp(static_cast<int>(settings.petCount), 0, static_cast<int>(kPetTableSize));
    for (int row = 0; row < count; ++row) {
        if (settings.pets[static_cast<std::size_t>(row)].name == name) {
            return row;
        }
    }
    return -1;
}

std::string ShortcutFileStem(const std::string& name) {
    if (CheckFolderName(name) == PetNameProblem::kNone) {
        return name;
    }
    // One byte is kept free for the '_' that moves a device name aside.
    constexpr std::size_t kRoom = kMaxPetTextBytes - 1;
    std::string stem;
    bool lastWide = false;
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        const bool wide = IsLeadByte(byte) && at + 1 < name.size();
        const std::size_t width = wide ? 2 : 1;
        if (stem.size() + width > kRoom) {
            break;
        }
        lastWide = wide;
        if (wide) {
            stem.append(name, at, 2);
        } else {
            // A lead byte without its trail byte is no character either.
            stem += FileNameCanHold(byte) && !IsLeadByte(byte) ? static_cast<char>(byte) : '_';
        }
        at += width;
    }
    // The file system drops a trailing dot or blank, so it would name another file.
    if (!stem.empty() && !lastWide && (stem.back() == '.' || stem.back() == ' ')) {
        stem.back() = '_';
    }
    if (CheckFolderName(stem) != PetNameProblem::kNone) {
        std::string movedAside = "_";
        stem = movedAside.append(stem);
    }
    return stem;
}

}  // namespace torvin
