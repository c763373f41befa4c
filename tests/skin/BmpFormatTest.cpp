#include "skin/BmpFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/skin/BmpTestFiles.h"

namespace torvin {
namespace {

using test::PatternBmp;
using test::Put32At;

std::uint32_t Field32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::string Refusal(const std::vector<std::uint8_t>& bytes) {
    std::string error;
    const auto image = ParseBmp(bytes, error);
    EXPECT_FALSE(image.has_value());
    return error;
}

class BmpRoundTrip : public testing::TestWithParam<std::uint16_t> {};

TEST_P(BmpRoundTrip, WrittenFileReadsBackWithPaddedRowsAndTheFullHeaderBlock) {
    const std::uint16_t bits = GetParam();
    constexpr int kWidth = 13, kHeight = 5;  // 13 pixels never fill whole 4-byte rows
    const auto file = PatternBmp(kWidth, kHeight, bits);
    const std::size_t stride = static_cast<std::size_t>(BmpRowStride(kWidth, bits));
    const std::size_t table = 4 * BmpColourTableLength(bits);
    EXPECT_EQ(stride % 4, 0U);
    EXPECT_EQ(file.size(), 14 + 40 + table + stride * kHeight);
    EXPECT_EQ(Field32(file, 2), file.size());
    EXPECT_EQ(Field32(file, 10), 14 + 40 + table);
    EXPECT_EQ(Field32(file, 14 + 20), 0U) << "biSizeImage is cleared";

    std::string error;
    auto image = ParseBmp(file, error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->headerBlock.size(), kBmpReadHeaderBlockSize);
    EXPECT_TRUE(std::equal(file.begin() + 14, file.begin() + 54 + static_cast<std::ptrdiff_t>(table),
                           image->headerBlock.begin()));
    EXPECT_TRUE(std::equal(file.begin() + 54 + static_cast<std::ptrdiff_t>(table), file.end(),
                           image->bits.begin(), image->bits.end()));
    const BmpInfo info = ReadBmpInfo(image->headerBlock);
    EXPECT_EQ(info.width, kWidth);
    EXPECT_EQ(info.height, kHeight);
    EXPECT_EQ(info.bitCount, bits);

    // Writing the read image gives the same file again.
    EXPECT_EQ(FormatBmp(image->headerBlock, image->bits), file);
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpRoundTrip, testing::Values(1, 4, 8, 24));

TEST(BmpFormat, ColourTableAreaHoldsTheBytesAfterTheInfoHeaderWhateverTheDepth) {
    const auto file = PatternBmp(3, 2, 24);  // 24 pixel bytes, no colour table
    std::string error;
    const auto image = ParseBmp(file, error);
    ASSERT_TRUE(image) << error;
    EXPECT_TRUE(std::equal(file.begin() + 54, file.end(), image->headerBlock.begin() + 40));
    EXPECT_TRUE(std::all_of(image->headerBlock.begin() + 40 + static_cast<std::ptrdiff_t>(file.size() - 54),
                            image->headerBlock.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(BmpColourCount(ReadBmpInfo(image->headerBlock)), 0U);
}

TEST(BmpFormat, ColourCountIsClrUsedWhenSetElseTwoToTheBitCount) {
    std::string error;
    const auto ten = ParseBmp(PatternBmp(4, 4, 8, 10), error);
    ASSERT_TRUE(ten) << error;
    EXPECT_EQ(BmpColourCount(ReadBmpInfo(ten->headerBlock)), 10U);
    const auto full = ParseBmp(PatternBmp(4, 4, 4), error);
    ASSERT_TRUE(full) << error;
    EXPECT_EQ(BmpColourCount(ReadBmpInfo(full->headerBlock)), 16U);
}

TEST(BmpFormat, OnlyBmWithAFortyByteInfoHeaderIsRead) {
    auto file = PatternBmp(4, 4, 8);
    auto not_bm = file;
    not_bm[0] = 'M';
    not_bm[1] = 'B';
    EXPECT_EQ(Refusal(not_bm), "Error:Unexpected file type, not a DIB\n");
    EXPECT_EQ(Refusal({'X'}), "Error:Unexpected file type, not a DIB\n");
    for (std::uint32_t size : {12U, 108U, 124U, 0U}) {
        auto other = file;
        Put32At(other, 14, size);
        EXPECT_EQ(Refusal(other), "Error:OS2 PM BMP Format not supported\n") << size;
    }
}

TEST(BmpFormat, TruncatedFilesAreRefusedAtEveryLength) {
    const auto file = PatternBmp(7, 3, 8);
    for (std::size_t length = 0; length < file.size(); ++length) {
        Refusal(std::vector<std::uint8_t>(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)));
    }
}

TEST(BmpFormat, DeclarationsThatDoNotFitTheBytesAreRefused) {
    const auto file = PatternBmp(7, 3, 8);
    auto expect_refused = [&file](std::size_t at, std::uint32_t value) {
        auto broken = file;
        Put32At(broken, at, value);
        EXPECT_FALSE(Refusal(broken).empty()) << "field at " << at << " = " << value;
    };
    expect_refused(2, static_cast<std::uint32_t>(file.size() + 1));  // file size beyond the bytes
    expect_refused(2, 0xFFFFFFFFU);
    expect_refused(10, static_cast<std::uint32_t>(file.size() + 4));  // offset beyond the file size
    expect_refused(10, 20);                                           // offset inside the headers
    expect_refused(14 + 8, 4);                                        // more rows than the data holds
    expect_refused(14 + 4, 0x7FFFFFFF);                               // huge width, tiny file
    expect_refused(14 + 4, 0);
    expect_refused(14 + 8, 0);
    expect_refused(14 + 8, static_cast<std::uint32_t>(-3));  // top-down rows
    expect_refused(14 + 32, 257);                            // biClrUsed above 256
    expect_refused(14 + 16, 1);                              // run-length compressed

    auto two_colours = PatternBmp(8, 2, 1, 3);  // three colours cannot fit one bit
    EXPECT_FALSE(Refusal(two_colours).empty());
    auto planes = file;
    planes[14 + 12] = 2;
    EXPECT_FALSE(Refusal(planes).empty());
    auto depth = file;
    depth[14 + 14] = 7;
    EXPECT_FALSE(Refusal(depth).empty());
}

TEST(BmpFormat, TrailingBytesAfterTheDeclaredSizeAreIgnored) {
    auto file = PatternBmp(5, 5, 24);
    const std::size_t declared = file.size();
    file.resize(file.size() + 100, 0xEE);
    std::string error;
    const auto image = ParseBmp(file, error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->bits.size(), declared - 54);
}

TEST(BmpFormat, FormattingRefusesAnImageShorterThanItsHeader) {
    const auto file = PatternBmp(5, 5, 8);
    std::string error;
    auto image = ParseBmp(file, error);
    ASSERT_TRUE(image);
    image->bits.resize(image->bits.size() - 1);
    EXPECT_TRUE(FormatBmp(image->headerBlock, image->bits).empty());
}

}  // namespace
}  // namespace torvin
