// The three background tiles as the program loads them: 30 x 30 DIB sections of 8 bits with a
// 256-entry colour table, every pixel in the colour the diamond pattern gives it.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <ostream>
#include <string>

#include "framework/UniqueHandle.h"
#include "resources/resource.h"

namespace torvin::test {
namespace {

constexpr int kSize = 30;

struct TileSpec {
    int id;
    COLORREF base;
    COLORREF dark;
    COLORREF light;
    COLORREF cornerLight;  // the light pixels in the bottom-left corner
};

void PrintTo(const TileSpec& spec, std::ostream* out) {
    *out << "bitmap " << spec.id;
}

enum class Shade { Base, Dark, Light, CornerLight };

int WrappedDistance(int a, int b) {
    const int d = std::abs(a - b) % kSize;
    return std::min(d, kSize - d);
}

bool Near(int x, int y, int cx, int cy) {
    return WrappedDistance(x, cx) + WrappedDistance(y, cy) <= 7;
}

// The light diamond around (29, 0) wraps into the corners; its bottom-left part is x <= 6, y >= 23.
Shade ShadeAt(int x, int y) {
    if (Near(x, y, 14, 15) || Near(x, y, 29, 0)) {
        return x <= 6 && y >= 23 ? Shade::CornerLight : Shade::Light;
    }
    if (Near(x, y, 14, 0) || Near(x, y, 29, 15)) {
        return Shade::Dark;
    }
    return Shade::Base;
}

class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

class Tile : public testing::TestWithParam<TileSpec> {};

TEST_P(Tile, IsAnEightBitDiamondPatternInItsColours) {
    const TileSpec& spec = GetParam();
    UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(spec.id),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(bitmap);

    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap.Get(), sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBmih.biWidth, kSize);
    EXPECT_EQ(std::abs(dib.dsBmih.biHeight), kSize);
    EXPECT_EQ(dib.dsBmih.biBitCount, 8);
    EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
    ASSERT_NE(dib.dsBm.bmBits, nullptr);

    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    std::array<RGBQUAD, 256> table{};
    {
        SelectedObject selected(dc.Get(), bitmap.Get());
        ASSERT_EQ(GetDIBColorTable(dc.Get(), 0, 256, table.data()), 256u);
    }

    const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    std::array<int, 4> counts{};
    for (int y = 0; y < kSize; ++y) {
        const int row = bottomUp ? kSize - 1 - y : y;
        for (int x = 0; x < kSize; ++x) {
            const RGBQUAD& c = table[bits[row * dib.dsBm.bmWidthBytes + x]];
            const COLORREF actual = RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
            const Shade shade = ShadeAt(x, y);
            ++counts[static_cast<size_t>(shade)];
            const COLORREF expected = shade == Shade::Base    ? spec.base
                                      : shade == Shade::Dark  ? spec.dark
                                      : shade == Shade::Light ? spec.light
                                                              : spec.cornerLight;
            ASSERT_EQ(actual, expected) << "pixel " << x << ", " << y;
        }
    }
    EXPECT_EQ(counts[0], 448);
    EXPECT_EQ(counts[1], 226);
    EXPECT_EQ(counts[2] + counts[3], 226);
    EXPECT_EQ(counts[3], 21);
}

std::string TileName(const testing::TestParamInfo<TileSpec>& info) {
    return "bitmap_" + std::to_string(info.param.id);
}

INSTANTIATE_TEST_SUITE_P(AllTiles, Tile,
                         testing::Values(TileSpec{IDB_TILE_PINK, RGB(252, 228, 236), RGB(252, 204, 220),
                                                  RGB(255, 255, 255), RGB(255, 255, 255)},
                                         TileSpec{IDB_TILE_BLUE, RGB(212, 227, 255), RGB(142, 171, 255),
                                                  RGB(242, 242, 242), RGB(242, 242, 242)},
                                         TileSpec{IDB_TILE_GREEN, RGB(212, 255, 212), RGB(177, 255, 177),
                                                  RGB(255, 251, 240), RGB(255, 255, 255)}),
                         TileName);

}  // namespace
}  // namespace torvin::test
