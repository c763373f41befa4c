// Fuzz target: the setting.ini reader must accept any bytes without crashing, and whatever it
// reads completely must write back and read again to the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/SettingsFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    torvin::AppSettings first;
    const auto lines = torvin::SplitLines(bytes);
    const auto outcome = torvin::ParseSettings(lines, first);
    if (outcome == torvin::ParseOutcome::kOlderLayout) {
        torvin::ParseOlderLayout(lines, first);
        return 0;
    }
    if (outcome != torvin::ParseOutcome::kComplete) {
        return 0;
    }
    // Values holding a line break cannot come from a file, so every complete read round-trips.
    const std::string written = torvin::FormatSettings(first);
    torvin::AppSettings second;
    if (torvin::ParseSettings(torvin::SplitLines(written), second) != torvin::ParseOutcome::kComplete ||
        torvin::FormatSettings(second) != written) {
        std::abort();
    }
    return 0;
}
