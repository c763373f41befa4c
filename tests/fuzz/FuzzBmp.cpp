// Fuzz target: the BMP reader must refuse or accept any bytes without reading out of bounds or
// allocating beyond them, and whatever it accepts must write and read back to the same image.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "skin/BmpFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    auto first = torvin::ParseBmp(std::span<const std::uint8_t>(data, size), error);
    if (!first) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    if (first->bits.size() > size || first->headerBlock.size() != torvin::kBmpReadHeaderBlockSize) {
        std::abort();
    }
    const auto written = torvin::FormatBmp(first->headerBlock, first->bits);
    auto second = torvin::ParseBmp(written, error);
    if (!second) {
        std::abort();
    }
    const torvin::BmpInfo info = torvin::ReadBmpInfo(second->headerBlock);
    const std::size_t table = 4 * torvin::BmpColourTableLength(info.bitCount);
    const std::size_t pixels = static_cast<std::size_t>(torvin::BmpRowStride(info.width, info.bitCount)) *
                               static_cast<std::size_t>(info.height);
    if (!std::equal(first->headerBlock.begin(),
                    first->headerBlock.begin() + 40 + static_cast<std::ptrdiff_t>(table),
                    second->headerBlock.begin()) ||
        second->bits.size() != pixels ||
        !std::equal(second->bits.begin(), second->bits.end(), first->bits.begin())) {
        std::abort();
    }
    return 0;
}
