#pragma once
// The BMP file layout, read and written without any Windows header so that it also builds
// natively for the sanitizers and the fuzzer.
//
// A file is refused (nothing is kept) unless everything it declares fits what it holds:
// "BM", a 40-byte info header, one plane, 1/4/8/16/24/32 bits uncompressed, width and height
// above 0 (top-down files are refused: the rest of the program counts rows bottom-up),
// biClrUsed at most 256 and at most 2^bits for 8 bits or fewer, the pixel offset inside the
// declared file size, the declared size inside the bytes present, and the pixel data at least
// stride x height bytes. Allocation is thus bounded by the bytes actually present.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace torvin {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
// Read keeps a colour-table area of 256 entries whatever the depth.
inline constexpr std::size_t kBmpReadHeaderBlockSize = kBmpInfoHeaderSize + 256 * 4;

// The info-header fields the program uses, from the start of a header block.
struct BmpInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
};

// The header block must hold at least the 40-byte info header.
BmpInfo ReadBmpInfo(std::span<const std::uint8_t> headerBlock);

// ((width x bitCount + 31) / 32) x 4, or 0 for a width of 0 or less.
std::uint64_t BmpRowStride(std::int32_t width, std::uint16_t bitCount);
// 2, 16, 256 for 1, 4, 8 bits; 0 otherwise.
std::size_t BmpColourTableLength(std::uint16_t bitCount);
// biClrUsed when it is not 0, else 2^bitCount (0 above 8 bits).
std::uint32_t BmpColourCount(const BmpInfo& info);

struct BmpImage {
    std::vector<std::uint8_t> headerBlock;  // info header + colour table
    std::vector<std::uint8_t> bits;         // rows bottom-up, padded to 4 bytes
};

// The file size the 14-byte file header declares; nothing when the bytes do not begin with
// "BM" (error then holds the reason).
std::optional<std::uint32_t> BmpDeclaredFileSize(std::span<const std::uint8_t> bytes, std::string& error);

// Parses a whole BMP file: a header block of kBmpReadHeaderBlockSize bytes holding the info
// header and the 1024 bytes after it (zero where the file ends sooner), and the pixel data from
// the file header's offset up to the declared file size.
std::optional<BmpImage> ParseBmp(std::span<const std::uint8_t> bytes, std::string& error);

// The BMP file of a held image: file header, info header, the colour table by depth and
// stride x height bytes of rows. Sets biSizeImage of the header block to 0 first. Empty when
// the header block or the bits are too short for what the header declares.
std::vector<std::uint8_t> FormatBmp(std::vector<std::uint8_t>& headerBlock,
                                    std::span<const std::uint8_t> bits);

}  // namespace torvin
