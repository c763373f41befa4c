#include "mail/PopReplyJudge.h"

#include <limits>

namespace torvin {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsNegativeReply(std::string_view line) {
    constexpr std::string_view kNegative = "-err";
    if (line.size() < kNegative.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kNegative.size(); ++i) {
        if (LowerAscii(line[i]) != kNegative[i]) {
            return false;
        }
    }
    return true;
}

std::optional<std::int32_t> ParseStatCount(std::string_view line) {
    if (IsNegativeReply(line)) {
        return std::nullopt;
    }
    std::size_t at = 0;
    while (at < line.size() && !IsBlank(line[at])) {
        ++at;
    }
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
    bool negative = false;
    if (at < line.size() && (line[at] == '+' || line[at] == '-')) {
        negative = line[at] == '-';
        ++at;
    }
    if (at >= line.size() || !IsDigit(line[at])) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; at < line.size() && IsDigit(line[at]); ++at) {
        value = value * 10 + (line[at] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    // "-0" is still zero; any other negative count is no count a mailbox can have.
    if (negative && value != 0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace torvin
