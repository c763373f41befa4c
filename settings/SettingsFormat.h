#pragma once
// The setting.ini format: lines ending in CR LF, one value per line, a "------" line after
// each pet. Pure byte handling, no file access.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AppSettings.h"

namespace torvin {

// Splits file bytes into lines. A line ends at LF, and a CR right before that LF is dropped
// too; a last line without a line break still counts. Lines of any length stay whole.
std::vector<std::string> SplitLines(std::string_view bytes);

// The C library's decimal conversion (leading white space, optional sign, digits up to the
// first other byte, no digits gives 0), keeping only the low 8 bits read as a signed value.
std::int8_t ParseSmallNumber(std::string_view line);

enum class ParseOutcome {
    kComplete,      // every announced line was there
    kOlderLayout,   // the first line does not start with 'v': convert with ParseOlderLayout
    kEndedEarly,    // the lines ran out; the fields read so far hold their new values
};

// Reads the current layout into the record. Fields are assigned as they are read, so a file
// that ends early leaves the values before the gap in the record.
ParseOutcome ParseSettings(const std::vector<std::string>& lines, AppSettings& settings);

// Reads the older layout (host directory, count, active pet, one name per pet) and fills the
// record as the conversion does. False when a line is missing; fields read so far stay.
bool ParseOlderLayout(const std::vector<std::string>& lines, AppSettings& settings);

// The whole file in the current layout, with CR LF line ends.
std::string FormatSettings(const AppSettings& settings);

}  // namespace torvin
