#include "tests/skin/BmpTestFiles.h"

#include "skin/BmpFormat.h"

namespace torvin::test {

namespace {

std::vector<std::uint8_t> HeaderBlock(int width, int height, std::uint16_t bitCount, std::uint32_t clrUsed) {
    std::vector<std::uint8_t> block(kBmpInfoHeaderSize + 4 * BmpColourTableLength(bitCount), 0);
    Put32At(block, 0, 40);
    Put32At(block, 4, static_cast<std::uint32_t>(width));
    Put32At(block, 8, static_cast<std::uint32_t>(height));
    block[12] = 1;
    block[14] = static_cast<std::uint8_t>(bitCount);
    Put32At(block, 20, 12345);  // biSizeImage, which writing clears
    Put32At(block, 32, clrUsed);
    for (std::size_t i = 0; i < BmpColourTableLength(bitCount); ++i) {
        const auto level = static_cast<std::uint8_t>(i * 255 / (BmpColourTableLength(bitCount) - 1));
        block[40 + 4 * i] = level;
        block[41 + 4 * i] = static_cast<std::uint8_t>(255 - level);
        block[42 + 4 * i] = static_cast<std::uint8_t>(i);
    }
    return block;
}

}  // namespace

void Put32At(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

std::vector<std::uint8_t> PatternBmp(int width, int height, std::uint16_t bitCount, std::uint32_t clrUsed) {
    auto block = HeaderBlock(width, height, bitCount, clrUsed);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(BmpRowStride(width, bitCount)) *
                                   static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bits[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return FormatBmp(block, bits);
}

std::vector<std::uint8_t> QuadrantBmp(int width, int height, std::uint32_t topLeft, std::uint32_t topRight,
                                      std::uint32_t bottomLeft, std::uint32_t bottomRight) {
    auto block = HeaderBlock(width, height, 24, 0);
    const auto stride = static_cast<std::size_t>(BmpRowStride(width, 24));
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const bool top = y < height / 2;
        const std::size_t row = static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            const std::uint32_t colour =
                top ? (left ? topLeft : topRight) : (left ? bottomLeft : bottomRight);
            std::uint8_t* pixel = &bits[row + 3 * static_cast<std::size_t>(x)];
            pixel[0] = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
            pixel[1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
            pixel[2] = static_cast<std::uint8_t>(colour & 0xFF);
        }
    }
    return FormatBmp(block, bits);
}

}  // namespace torvin::test
