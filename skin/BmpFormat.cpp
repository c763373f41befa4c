#include "skin/BmpFormat.h"

#include <algorithm>

namespace torvin {

namespace {

constexpr std::uint16_t kBmpType = 0x4D42;  // "BM"
constexpr std::uint32_t kUncompressed = 0;

std::uint16_t Get16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t Get32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
}

bool KnownBitCount(std::uint16_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Why the info header cannot describe a readable image, or null when it can.
const char* RefuseInfo(const BmpInfo& info) {
    if (info.width <= 0 || info.height <= 0) {
        return "Error:width and height must be above 0\n";
    }
    if (info.planes != 1 || !KnownBitCount(info.bitCount)) {
        return "Error:unsupported planes or bit count\n";
    }
    if (info.compression != kUncompressed) {
        return "Error:compressed BMP not supported\n";
    }
    if (info.clrUsed > 256 || (info.bitCount <= 8 && info.clrUsed > (1U << info.bitCount))) {
        return "Error:colour count does not fit the bit count\n";
    }
    return nullptr;
}

}  // namespace

BmpInfo ReadBmpInfo(std::span<const std::uint8_t> headerBlock) {
    BmpInfo info;
    info.width = static_cast<std::int32_t>(Get32(headerBlock, 4));
    info.height = static_cast<std::int32_t>(Get32(headerBlock, 8));
    info.planes = Get16(headerBlock, 12);
    info.bitCount = Get16(headerBlock, 14);
    info.compression = Get32(headerBlock, 16);
    info.clrUsed = Get32(headerBlock, 32);
    return info;
}

std::uint64_t BmpRowStride(std::int32_t width, std::uint16_t bitCount) {
    if (width <= 0) {
        return 0;
    }
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

std::size_t BmpColourTableLength(std::uint16_t bitCount) {
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

std::uint32_t BmpColourCount(const BmpInfo& info) {
    if (info.clrUsed != 0) {
        return info.clrUsed;
    }
    return info.bitCount <= 8 ? 1U << info.bitCount : 0;
}

std::optional<std::uint32_t> BmpDeclaredFileSize(std::span<const std::uint8_t> bytes, std::string& error) {
    if (bytes.size() < 2 || Get16(bytes, 0) != kBmpType) {
        error = "Error:Unexpected file type, not a DIB\n";
        return std::nullopt;
    }
    if (bytes.size() < kBmpFileHeaderSize) {
        error = "Error:file header cut short\n";
        return std::nullopt;
    }
    return Get32(bytes, 2);
}

std::optional<BmpImage> ParseBmp(std::span<const std::uint8_t> bytes, std::string& error) {
    const auto declared = BmpDeclaredFileSize(bytes, error);
    if (!declared) {
        return std::nullopt;
    }
    constexpr std::size_t kHeadersSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    if (bytes.size() < kHeadersSize) {
        error = "Error:info header cut short\n";
        return std::nullopt;
    }
    const auto infoHeader = bytes.subspan(kBmpFileHeaderSize);
    if (Get32(infoHeader, 0) != kBmpInfoHeaderSize) {
        error = "Error:OS2 PM BMP Format not supported\n";
        return std::nullopt;
    }
    const BmpInfo info = ReadBmpInfo(infoHeader);
    if (const char* refusal = RefuseInfo(info)) {
        error = refusal;
        return std::nullopt;
    }
    const std::uint32_t fileSize = *declared;
    const std::uint32_t offset = Get32(bytes, 10);
    if (offset < kHeadersSize || offset > fileSize || fileSize > bytes.size()) {
        error = "Error:pixel offset or file size does not fit the file\n";
        return std::nullopt;
    }
    const std::uint64_t pixelSize = fileSize - offset;
    const std::uint64_t stride = BmpRowStride(info.width, info.bitCount);
    if (pixelSize / stride < static_cast<std::uint64_t>(info.height)) {
        error = "Error:pixel data shorter than the image\n";
        return std::nullopt;
    }

    BmpImage image;
    image.headerBlock.assign(kBmpReadHeaderBlockSize, 0);
    const std::size_t following =
        std::min(bytes.size() - kHeadersSize, kBmpReadHeaderBlockSize - kBmpInfoHeaderSize);
    std::copy_n(infoHeader.begin(), kBmpInfoHeaderSize + following, image.headerBlock.begin());
    const auto pixels = bytes.subspan(offset, static_cast<std::size_t>(pixelSize));
    image.bits.assign(pixels.begin(), pixels.end());
    return image;
}

std::vector<std::uint8_t> FormatBmp(std::vector<std::uint8_t>& headerBlock,
                                    std::span<const std::uint8_t> bits) {
    if (headerBlock.size() < kBmpInfoHeaderSize) {
        return {};
    }
    const BmpInfo info = ReadBmpInfo(headerBlock);
    const std::size_t tableBytes = 4 * BmpColourTableLength(info.bitCount);
    const std::uint64_t stride = BmpRowStride(info.width, info.bitCount);
    if (info.height <= 0 || stride == 0 || headerBlock.size() < kBmpInfoHeaderSize + tableBytes ||
        bits.size() / stride < static_cast<std::uint64_t>(info.height)) {
        return {};
    }
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(info.height);
    const std::uint64_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + tableBytes;
    if (offset + pixelBytes > 0xFFFFFFFFU) {
        return {};
    }
    std::fill_n(headerBlock.begin() + 20, 4, std::uint8_t{0});  // biSizeImage

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(offset + pixelBytes));
    Put16(out, kBmpType);
    Put32(out, static_cast<std::uint32_t>(offset + pixelBytes));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));
    out.insert(out.end(), headerBlock.begin(),
               headerBlock.begin() + static_cast<std::ptrdiff_t>(kBmpInfoHeaderSize + tableBytes));
    out.insert(out.end(), bits.begin(), bits.begin() + static_cast<std::ptrdiff_t>(pixelBytes));
    return out;
}

}  // namespace torvin
