#include "tests/skin/BmpTestFiles.h"

#include "skin/BmpFormat.h"

namespace torvin::test {

void Put32At(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::vector<std::uint8_t> PatternBmp(int width, int height, std::uint16_t bitCount, std::uint32_t clrUsed) {
    const std::size_t colours = BmpColourTableLength(bitCount);
    std::vector<std::uint8_t> block(kBmpInfoHeaderSize + 4 * colours, 0);
    for (const auto& [at, value] : {std::pair<std::size_t, std::uint32_t>{0, 40},
                                    {4, static_cast<std::uint32_t>(width)},
                                    {8, static_cast<std::uint32_t>(height)},
                                    {12, 1u | static_cast<std::uint32_t>(bitCount) << 16},
                                    {20, 12345},
                                    {32, clrUsed}}) {
        Put32At(block, at, value);
    }
    for (std::size_t i = 0; i < 4 * colours; ++i) {
        block[40 + i] = static_cast<std::uint8_t>(i * 5);
    }
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(BmpRowStride(width, bitCount)) *
                                   static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bits[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return FormatBmp(block, bits);
}

std::vector<std::uint8_t> QuadrantBmp(int width, int height, std::uint32_t topLeft, std::uint32_t topRight,
                                      std::uint32_t bottomLeft, std::uint32_t bottomRight) {
    auto file = PatternBmp(width, height, 24);
    const auto stride = static_cast<std::size_t>(BmpRowStride(width, 24));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = y < height / 2 ? (x < width / 2 ? topLeft : topRight)
                                                        : (x < width / 2 ? bottomLeft : bottomRight);
            // Rows are stored bottom-up, each pixel blue, green, red.
            const std::size_t at =
                54 + static_cast<std::size_t>(height - 1 - y) * stride + 3 * static_cast<std::size_t>(x);
            file[at] = static_cast<std::uint8_t>(colour >> 16);
            file[at + 1] = static_cast<std::uint8_t>(colour >> 8);
            file[at + 2] = static_cast<std::uint8_t>(colour);
        }
    }
    return file;
}

}  // namespace torvin::test
