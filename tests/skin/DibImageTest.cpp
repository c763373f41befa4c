#include "skin/DibImage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/GdiSelection.h"
#include "tests/skin/BmpTestFiles.h"
#include "tests/skin/Canvas.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::Canvas;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kWhite = RGB(255, 255, 255), kUntouched = RGB(1, 2, 3);

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int PaletteSize(HPALETTE palette) {
    WORD entries = 0;
    GetObjectW(palette, sizeof entries, &entries);
    return entries;
}

TEST(DibImage, ReadHoldsTheWholeHeaderBlockAndSaveWritesTheSameFile) {
    test::TempFolder folder;
    const auto file = test::PatternBmp(13, 6, 8, 10);
    WriteFile("in.bmp", file);

    DibImage image;
    ASSERT_TRUE(image.Load("in.bmp"));
    EXPECT_EQ(image.HeaderBlockSize(), 1064U);
    EXPECT_EQ(image.FromFile(), 1);
    EXPECT_EQ(image.Width(), 13);
    EXPECT_EQ(image.Height(), 6);
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.ColourCount(), 10);
    EXPECT_EQ(image.ColourTableLength(), 256);
    ASSERT_NE(image.Palette(), nullptr);
    EXPECT_EQ(PaletteSize(image.Palette()), 10);

    ASSERT_TRUE(image.Save("out.bmp"));
    EXPECT_EQ(ReadFile("out.bmp"), file);
}

TEST(DibImage, RefusedOrMissingFilesLeaveTheObjectEmpty) {
    test::TempFolder folder;
    WriteFile("good.bmp", test::PatternBmp(4, 4, 24));
    auto broken = test::PatternBmp(4, 4, 24);
    broken.resize(broken.size() - 1);
    WriteFile("short.bmp", broken);

    DibImage image;
    ASSERT_TRUE(image.Load("good.bmp"));
    EXPECT_EQ(image.Palette(), nullptr) << "24 bits have no palette";
    EXPECT_FALSE(image.Load("short.bmp"));
    EXPECT_FALSE(image.Held());
    EXPECT_EQ(image.HeaderBlock(), nullptr);
    EXPECT_EQ(image.ColourTable(), nullptr);
    EXPECT_FALSE(image.Load("missing.bmp"));
    EXPECT_FALSE(image.Save("no-such-folder\\x.bmp"));
}

TEST(DibImage, CaptureKeepsLowDepthsWithTheirTableAndTurnsDeepBitmapsInto24Bits) {
    const HDC screen = GetDC(nullptr);
    DibImage image;

    const UniqueBitmap mono(CreateBitmap(9, 4, 1, 1, nullptr));
    ASSERT_TRUE(image.CaptureBitmap(screen, mono.Get()));
    EXPECT_EQ(image.BitCount(), 1);
    EXPECT_EQ(image.HeaderBlockSize(), 40U + 4 * 2);
    EXPECT_EQ(PaletteSize(image.Palette()), 2);
    EXPECT_EQ(image.FromFile(), 0);

    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 5, 3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap deep(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(image.CaptureBitmap(screen, deep.Get()));
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.HeaderBlockSize(), 40U);
    EXPECT_EQ(image.Palette(), nullptr);
    EXPECT_EQ(image.BitsSize(), 16U * 3) << "5 pixels of 3 bytes pad to 16";

    EXPECT_FALSE(image.CaptureBitmap(screen, nullptr));
    EXPECT_FALSE(image.Held());
    ReleaseDC(nullptr, screen);
}

TEST(DibImage, ResourceAndFileLoadsThatFailKeepTheHeldImage) {
    test::TempFolder folder;
    DibImage image;
    ASSERT_TRUE(image.LoadFromResource(151));
    EXPECT_EQ(image.Width(), 30);
    EXPECT_EQ(image.Height(), 30);
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_NE(image.Palette(), nullptr);

    EXPECT_FALSE(image.LoadFromResource(9999));
    EXPECT_FALSE(image.LoadFromFile("missing.bmp"));
    EXPECT_EQ(image.Width(), 30);

    WriteFile("q.bmp", test::QuadrantBmp(6, 4, kRed, kGreen, kBlue, kWhite));
    ASSERT_TRUE(image.LoadFromFile("q.bmp"));
    EXPECT_EQ(image.Width(), 6);
    EXPECT_EQ(image.Height(), 4);
    EXPECT_EQ(image.Palette(), nullptr) << "the screen is deeper than 8 bits";
}

TEST(DibImage, PaintCopiesFromTheSourceRectangleCountedFromTheTop) {
    test::TempFolder folder;
    WriteFile("q.bmp", test::QuadrantBmp(4, 4, kRed, kGreen, kBlue, kWhite));
    DibImage image;
    ASSERT_TRUE(image.Load("q.bmp"));
    Canvas canvas(10, 10, kUntouched);
    EXPECT_GT(image.Paint(canvas.Dc(), RECT{5, 5, 7, 7}, RECT{1, 1, 3, 3}), 0);
    EXPECT_EQ(canvas.Pixel(5, 5), kRed);
    EXPECT_EQ(canvas.Pixel(6, 5), kGreen);
    EXPECT_EQ(canvas.Pixel(5, 6), kBlue);
    EXPECT_EQ(canvas.Pixel(6, 6), kWhite);
    EXPECT_EQ(canvas.Pixel(4, 4), kUntouched);
    EXPECT_EQ(canvas.Pixel(7, 7), kUntouched);
}

TEST(DibImage, AnEmptyImageDrawsNothingAndLeavesThePaletteSelected) {
    DibImage image;
    Canvas canvas(8, 8, kUntouched);
    const HGDIOBJ palette_before = GetCurrentObject(canvas.Dc(), OBJ_PAL);
    EXPECT_EQ(image.Paint(canvas.Dc(), RECT{0, 0, 8, 8}, RECT{0, 0, 8, 8}), 0);
    image.Stretch(canvas.Dc(), 0, 0, 8, 8);
    image.Draw(canvas.Dc(), 0, 0);
    EXPECT_EQ(canvas.Count(kUntouched), 64);

    ASSERT_TRUE(image.LoadFromResource(151));
    image.Draw(canvas.Dc(), 0, 0);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PAL), palette_before) << "the previous palette is put back";
    EXPECT_NE(canvas.Pixel(0, 0), kUntouched);
}

}  // namespace
}  // namespace torvin
