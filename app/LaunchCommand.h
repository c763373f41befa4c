#pragma once
// The command line "Torvin.exe /launch <pet>", the request one copy of Torvin hands to the copy
// that already runs, and the file name of a pet's desktop shortcut. No window code here, so all
// of it builds and is tested anywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AppSettings.h"

namespace torvin {

enum class LaunchCommandKind : std::uint8_t {
    kNone,            // no arguments: the normal start with the main window
    kLaunch,          // launch petName
    kUnknownOption,   // culprit is the first argument
    kMissingName,     // "/launch" alone, or with an empty name
    kExtraArguments,  // culprit is the first argument after the name (an unquoted blank, mostly)
};

struct LaunchCommand {
    LaunchCommandKind kind = LaunchCommandKind::kNone;
    std::wstring petName;
    std::wstring culprit;
};

// The arguments after the program's own path, as the system splits them.
LaunchCommand ParseLaunchCommand(const std::vector<std::wstring>& arguments);

// The argument so quoted that the system's splitting gives back exactly the text, also when it
// holds blanks, quotes or trailing backslashes.
std::wstring QuoteArgument(std::wstring_view text);

// dwData of the WM_COPYDATA that carries a launch request; anything else is not one.
inline constexpr std::uintptr_t kLaunchRequestTag = 0x54564C31;

// The pet name (code page 932 bytes) of a launch request, or nothing when the tag, the size or
// the bytes show that it is not one: empty, longer than any path the program builds, or with a
// NUL inside.
std::optional<std::string> ReadLaunchRequest(std::uintptr_t tag, const void* data, std::size_t size);

// The row of the first pet whose name has exactly these bytes; -1 when there is none.
int FindPetRow(const AppSettings& settings, const std::string& name);

// A file name (without ".lnk") for the pet's shortcut: the name itself when it is a valid pet
// name; otherwise (names from older files) the name with every character a file name cannot
// hold replaced by '_', shortened to fit and kept clear of device names.
std::string ShortcutFileStem(const std::string& name);

}  // namespace torvin
