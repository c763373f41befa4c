#pragma once
// Conversions between the program's CP932 byte strings and the UTF-16 of the Windows API.
// Always code page 932, never the system's ANSI code page, so the program behaves the same on
// any Windows locale.

#include <optional>
#include <string>
#include <string_view>

namespace torvin {

// CP932 bytes to UTF-16. Invalid byte sequences become U+30FB-style replacements chosen by
// the system; the text is for display and paths built from stored bytes.
std::wstring WidenCp932(std::string_view bytes);

// UTF-16 to CP932 bytes, or nothing when any character has no CP932 form (an emoji, say):
// such text is refused rather than stored as '?'.
std::optional<std::string> NarrowCp932(std::wstring_view text);

}  // namespace torvin
