#pragma once
// BMP files built in memory for the tests.

#include <cstdint>
#include <vector>

namespace torvin::test {

// An uncompressed BMP whose pixel bytes (padding included) run through a pattern, with a full
// colour table for 8 bits or fewer and biClrUsed as given.
std::vector<std::uint8_t> PatternBmp(int width, int height, std::uint16_t bitCount,
                                     std::uint32_t clrUsed = 0);

// A 24-bit picture in four quadrants split at width / 2 and height / 2; colours 0x00BBGGRR.
std::vector<std::uint8_t> QuadrantBmp(int width, int height, std::uint32_t topLeft, std::uint32_t topRight,
                                      std::uint32_t bottomLeft, std::uint32_t bottomRight);

void Put32At(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);

}  // namespace torvin::test
