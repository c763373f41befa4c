#pragma once
// How a POP3 reply line is judged: only "negative or not" and the count of a STAT reply matter.

#include <cstdint>
#include <optional>
#include <string_view>

namespace torvin {

// True when the line begins with "-ERR" in any letter case. Anything else counts as positive.
bool IsNegativeReply(std::string_view line);

// The message count of a positive STAT reply: at the first blank or tab, blanks and tabs are
// skipped, then an optional sign and decimal digits are read. A reply without digits there, a
// negative count or one beyond 32 bits has no count.
std::optional<std::int32_t> ParseStatCount(std::string_view line);

}  // namespace torvin
