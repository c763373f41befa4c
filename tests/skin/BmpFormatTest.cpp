#include "skin/BmpFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/skin/BmpTestFiles.h"

namespace torvin {
namespace {

// Whatever the reader accepts writes and reads back the same: the fuzz target checks that over
// its corpus of every depth. Here: what it must refuse.
TEST(BmpFormat, FilesThatDeclareMoreOrOtherThanTheyHoldAreRefused) {
    const auto file = test::PatternBmp(7, 3, 8);
    std::vector<std::vector<std::uint8_t>> broken;
    for (std::size_t length = 0; length < file.size(); ++length) {
        broken.emplace_back(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    }
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {2, std::uint32_t(file.size() + 1)},
        {2, 0xFFFFFFFF},
        {10, std::uint32_t(file.size() + 4)},
        {10, 20},
        {14, 12},
        {14, 124},
        {18, 0x7FFFFFFF},
        {18, 0},
        {22, 4},
        {22, 0},
        {22, std::uint32_t(-3)},
        {26, 2 | 8 << 16},
        {26, 1 | 7 << 16},
        {30, 1},
        {46, 257},
    };
    for (const auto& [at, value] : fields) {
        broken.push_back(file);
        test::Put32At(broken.back(), at, value);
    }
    broken.push_back(file);
    broken.back()[0] = 'M';
    broken.push_back(test::PatternBmp(8, 2, 1, 3));  // three colours cannot fit one bit
    for (const auto& bytes : broken) {
        std::string error;
        EXPECT_FALSE(ParseBmp(bytes, error)) << testing::PrintToString(bytes);
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace torvin
