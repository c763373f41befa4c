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
    kComplete,     // every announced line was there
    kOlderLayout,  // the older layout: convert with ParseOlderLayout
    kDamaged,      // cut short, or a pet count outside 0-127: the record holds what could be read
};

// Reads the current layout into the record. A UTF-8 byte-order mark before the first line is
// dropped, and a version line that starts with 'V' still counts as the current layout when
// its empty second line says so. A damaged file keeps every header line that was
// there and every complete pet block, and petCount then counts those blocks.
ParseOutcome ParseSettings(const std::vector<std::string>& lines, AppSettings& settings);

// Reads the older layout (host directory, count, active pet, one name per pet) and fills the
// record as the conversion does. False when a line is missing; petCount then counts the names
// that were there.
bool ParseOlderLayout(const std::vector<std::string>& lines, AppSettings& settings);

// The whole file in the current layout, with CR LF line ends.
std::string FormatSettings(const AppSettings& settings);

}  // namespace torvin
