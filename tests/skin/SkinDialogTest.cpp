#include "skin/SkinDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/skin/BmpTestFiles.h"
#include "tests/skin/Canvas.h"
#include "tests/skin/SkinTestDialog.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::Canvas;
using test::SkinTestDialog;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kWhite = RGB(255, 255, 255), kUntouched = RGB(1, 2, 3);
constexpr int kBodyWidth = 301, kBodyHeight = 200;

class SkinDialogTest : public testing::Test {
  protected:
    void SetUp() override { SkinDialog::SetOpeningBackground({}); }
    void TearDown() override { SetUp(); }

    static void WriteSkin(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::filesystem::create_directory("skin");
        std::ofstream("skin/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // Opens the dialog with a body of 301 x 200 and erases it into a canvas of that size.
    std::unique_ptr<Canvas> Erase(SkinTestDialog& dialog) {
        auto canvas = std::make_unique<Canvas>(kBodyWidth, kBodyHeight, kUntouched);
        test::SetClientSize(dialog.Window(), kBodyWidth, kBodyHeight);
        erased_ = SendMessageW(dialog.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas->Dc()), 0);
        return canvas;
    }

    test::TempFolder folder_;
    LRESULT erased_ = 0;
};

// The colour of the tile's pixel, read from the held 8-bit image (rows bottom-up).
COLORREF TilePixel(const DibImage& tile, int x, int y) {
    const int stride = (tile.Width() * 8 + 31) / 32 * 4;
    const std::uint8_t index = tile.Bits()[(tile.Height() - 1 - y) * stride + x];
    const std::uint8_t* entry = tile.ColourTable() + 4 * index;
    return RGB(entry[2], entry[1], entry[0]);
}

TEST_F(SkinDialogTest, ThirtyPixelTileCoversTheBodyInElevenColumnsAndSevenRows) {
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    ASSERT_EQ(dialog.Background().Width(), 30);
    EXPECT_EQ(dialog.BackgroundLayout(), kLayoutTile);
    const auto canvas = Erase(dialog);
    EXPECT_NE(erased_, 0);
    int wrong = 0;
    for (int y = 0; y < kBodyHeight; ++y) {
        for (int x = 0; x < kBodyWidth; ++x) {
            wrong += canvas->Pixel(x, y) == TilePixel(dialog.Background(), x % 30, y % 30) ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(canvas->Pixel(300, 199), TilePixel(dialog.Background(), 0, 19)) << "column 11, row 7 clipped";
}

TEST_F(SkinDialogTest, StretchFillsTheBodyWithTheWholePicture) {
    WriteSkin("q.bmp", test::QuadrantBmp(2, 2, kRed, kGreen, kBlue, kWhite));
    SkinDialog::SetOpeningBackground(SkinFileBackground(".\\skin\\q.bmp", kLayoutStretch));
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    EXPECT_EQ(dialog.BackgroundLayout(), kLayoutStretch);
    const auto canvas = Erase(dialog);
    EXPECT_EQ(canvas->Pixel(0, 0), kRed);
    EXPECT_EQ(canvas->Pixel(140, 90), kRed);
    EXPECT_EQ(canvas->Pixel(300, 0), kGreen);
    EXPECT_EQ(canvas->Pixel(0, 199), kBlue);
    EXPECT_EQ(canvas->Pixel(300, 199), kWhite);
    EXPECT_EQ(canvas->Count(kUntouched), 0);
}

TEST_F(SkinDialogTest, CentreKeepsTheMiddleOfALargerPictureAtNegativeOffsets) {
    WriteSkin("big.bmp", test::QuadrantBmp(400, 300, kRed, kGreen, kBlue, kWhite));
    SkinDialog::SetOpeningBackground(SkinFileBackground(".\\skin\\big.bmp", kLayoutCentre));
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    const auto canvas = Erase(dialog);
    // Offsets (301 - 400) / 2 = -49 and (200 - 300) / 2 = -50: the split falls at 151, 100.
    EXPECT_EQ(canvas->Pixel(150, 99), kRed);
    EXPECT_EQ(canvas->Pixel(151, 99), kGreen);
    EXPECT_EQ(canvas->Pixel(150, 100), kBlue);
    EXPECT_EQ(canvas->Pixel(151, 100), kWhite);
}

TEST_F(SkinDialogTest, CentreShowsTheDialogColourAroundASmallerPicture) {
    WriteSkin("small.bmp", test::QuadrantBmp(100, 50, kRed, kGreen, kBlue, kWhite));
    SkinDialog::SetOpeningBackground(SkinFileBackground(".\\skin\\small.bmp", kLayoutCentre));
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    const auto canvas = Erase(dialog);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(canvas->Find(kRed).left, 100);
    EXPECT_EQ(canvas->Find(kRed).top, 75);
    EXPECT_EQ(canvas->Find(kWhite).right, 200);
    EXPECT_EQ(canvas->Find(kWhite).bottom, 125);
    EXPECT_EQ(canvas->Pixel(0, 0), face);
    EXPECT_EQ(canvas->Pixel(99, 75), face);
    EXPECT_EQ(canvas->Pixel(300, 199), face);
}

TEST_F(SkinDialogTest, AnUnknownLayoutTiles) {
    WriteSkin("q.bmp", test::QuadrantBmp(40, 30, kRed, kGreen, kBlue, kWhite));
    SkinDialog::SetOpeningBackground(SkinFileBackground(".\\skin\\q.bmp", 7));
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    const auto canvas = Erase(dialog);
    EXPECT_EQ(canvas->Pixel(41, 31), kRed);
    EXPECT_EQ(canvas->Pixel(300, 199), kWhite);  // 300 % 40 = 20 (right half), 199 % 30 = 19 (bottom)
}

TEST_F(SkinDialogTest, ASkinFileThatIsNoBitmapLeavesThePlainLook) {
    std::vector<std::uint8_t> junk(100, 'x');
    WriteSkin("junk.bmp", junk);
    SkinDialog::SetOpeningBackground(SkinFileBackground(".\\skin\\junk.bmp", kLayoutTile));
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    EXPECT_EQ(dialog.Background().Bits(), nullptr);
    const auto canvas = Erase(dialog);
    EXPECT_EQ(canvas->Count(kUntouched), 0) << "the platform's own erase";
}

TEST_F(SkinDialogTest, StaticsAndButtonsAreTransparentExceptTheTrackbar) {
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    const auto hollow = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    Canvas canvas(4, 4, kUntouched);
    auto ask = [&](UINT message, int id) {
        SetBkMode(canvas.Dc(), OPAQUE);
        return SendMessageW(dialog.Window(), message, reinterpret_cast<WPARAM>(canvas.Dc()),
                            reinterpret_cast<LPARAM>(dialog.Item(id)));
    };
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, test::kLabel), hollow);
    EXPECT_EQ(GetBkMode(canvas.Dc()), TRANSPARENT);
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, test::kReadOnly), hollow);
    EXPECT_EQ(ask(WM_CTLCOLORBTN, IDOK), hollow);
    EXPECT_NE(ask(WM_CTLCOLORSTATIC, test::kTrackbar), hollow);
    EXPECT_NE(ask(WM_CTLCOLOREDIT, test::kEdit), hollow);

    SkinTestDialog plain(SkinTestDialog::Setup::kNone);
    ASSERT_NE(plain.CreateModeless(), nullptr);
    EXPECT_EQ(plain.Background().Bits(), nullptr);
    EXPECT_NE(SendMessageW(plain.Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.Dc()),
                           reinterpret_cast<LPARAM>(plain.Item(test::kLabel))),
              hollow);
    EXPECT_EQ(plain.Button(IDOK), nullptr);
}

TEST_F(SkinDialogTest, PressingTheBodyStartsACaptionDrag) {
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    POINT expected = {7, 9};
    ClientToScreen(dialog.Window(), &expected);
    SendMessageW(dialog.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9));
    MSG message{};
    // Taken off the queue, so the move loop never runs in the test.
    ASSERT_TRUE(PeekMessageW(&message, dialog.Window(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(message.lParam, MAKELPARAM(expected.x, expected.y));
}

}  // namespace
}  // namespace torvin
