#include "skin/SkinDialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>
#include <vector>

#include "framework/WindowDc.h"
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

// Opens the dialog with the settings' background, a body of 301 x 200, and erases it.
std::unique_ptr<Canvas> Erase(SkinTestDialog& dialog) {
    EXPECT_NE(dialog.CreateModeless(), nullptr);
    RECT frame{}, client{};
    GetWindowRect(dialog.Window(), &frame);
    GetClientRect(dialog.Window(), &client);
    SetWindowPos(dialog.Window(), nullptr, 0, 0, frame.right - frame.left - client.right + 301,
                 frame.bottom - frame.top - client.bottom + 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto canvas = std::make_unique<Canvas>(301, 200, kUntouched);
    SendMessageW(dialog.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas->Dc()), 0);
    return canvas;
}

// Writes a skin file (junk bytes when width is negative) and makes it the opening background.
void UseSkin(const std::string& file, int layout, int width, int height = 0) {
    CreateDirectoryW(L"skin", nullptr);
    const auto bytes = width < 0 ? std::vector<std::uint8_t>(100, 'x')
                                 : test::QuadrantBmp(width, height, kRed, kGreen, kBlue, kWhite);
    std::ofstream("skin\\" + file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    SkinDialog::SetOpeningBackground(SkinFileBackground(".\\skin\\" + file, layout));
}

TEST(SkinDialog, EachLayoutPaintsTheBodyFromTheSkinFile) {
    test::TempFolder folder;
    struct Pixel {
        int x, y;
        COLORREF colour;
    };
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const struct {
        int width, height, layout;
        std::vector<Pixel> pixels;
    } cases[] = {
        // clang-format off
        {2, 2, kLayoutStretch, {{0, 0, kRed}, {140, 90, kRed}, {300, 0, kGreen}, {0, 199, kBlue}, {300, 199, kWhite}}},
        // Offsets (301 - 400) / 2 and (200 - 300) / 2: the split falls at 151, 100.
        {400, 300, kLayoutCentre, {{150, 99, kRed}, {151, 99, kGreen}, {150, 100, kBlue}, {151, 100, kWhite}}},
        {100, 50, kLayoutCentre, {{100, 75, kRed}, {199, 124, kWhite}, {99, 75, face}, {200, 125, face}}},
        {40, 30, 7, {{41, 31, kRed}, {300, 199, kWhite}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        UseSkin("q.bmp", c.layout, c.width, c.height);
        SkinTestDialog dialog;
        const auto canvas = Erase(dialog);
        for (const Pixel& p : c.pixels) {
            EXPECT_EQ(canvas->Pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
        }
    }
    SkinDialog::SetOpeningBackground({});
}

TEST(SkinDialog, FirstRunNeverShowsTheSkinFileAndJunkLeavesThePlainLook) {
    test::TempFolder folder;
    DibImage pink;
    ASSERT_TRUE(pink.LoadFromResource(IDB_TILE_PINK));
    UseSkin("q.bmp", kLayoutStretch, 2, 2);
    SkinTestDialog firstRun(true);
    Erase(firstRun);
    const DibImage& held = firstRun.Background();
    EXPECT_TRUE(held.BitsSize() == pink.BitsSize() &&
                std::equal(held.Bits(), held.Bits() + held.BitsSize(), pink.Bits()));
    UseSkin("junk.bmp", kLayoutTile, -1);
    SkinTestDialog junk;
    EXPECT_EQ(Erase(junk)->Find(kUntouched).right, 0) << "the platform's own erase";
    EXPECT_EQ(junk.Background().Bits(), nullptr);
    SkinDialog::SetOpeningBackground({});
}

TEST(SkinDialog, TheBodysPaintDrawsEachButtonAsTheButtonsOwnPaintDoes) {
    test::TempFolder folder;
    // Tiled (the buttons take the body's brush) and stretched (they copy what lies under them).
    for (const int layout : {kLayoutTile, kLayoutStretch}) {
        layout == kLayoutTile ? SkinDialog::SetOpeningBackground({}) : UseSkin("q.bmp", layout, 2, 2);
        SkinTestDialog dialog;
        ASSERT_NE(dialog.CreateModeless(), nullptr);
        EnableWindow(dialog.Item(IDCANCEL), FALSE);
        SetWindowPos(dialog.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        // The body alone: the buttons must not need a paint of their own afterwards.
        RedrawWindow(dialog.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
        for (const int id : {IDOK, IDCANCEL, test::kTextOnly, test::kIconOnly}) {
            SCOPED_TRACE(testing::Message() << layout << " " << id);
            const HWND button = dialog.Item(id);
            EXPECT_FALSE(GetUpdateRect(button, nullptr, FALSE));
            RECT size{};
            GetClientRect(button, &size);
            const auto shown = [&] {
                std::vector<COLORREF> pixels;
                const WindowDc screen(button);
                for (int y = 0; y < size.bottom; ++y) {
                    for (int x = 0; x < size.right; ++x) {
                        pixels.push_back(GetPixel(screen.Get(), x, y));
                    }
                }
                return pixels;
            };
            const auto byBody = shown();
            InvalidateRect(button, nullptr, TRUE);
            UpdateWindow(button);
            EXPECT_TRUE(shown() == byBody);
        }
    }
    SkinDialog::SetOpeningBackground({});
}

TEST(SkinDialog, StaticsAndButtonsShowTheBodyThroughAndPressingTheBodyDragsTheWindow) {
    SkinDialog::SetOpeningBackground({});
    SkinTestDialog dialog;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    const auto hollow = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    Canvas canvas(4, 4, kUntouched);
    // The read-only edit shows the body; the trackbar and a typing edit keep their own colours.
    const std::tuple<UINT, int, bool> controls[] = {{WM_CTLCOLORSTATIC, test::kLabel, true},
                                                    {WM_CTLCOLORSTATIC, test::kReadOnly, true},
                                                    {WM_CTLCOLORBTN, IDOK, true},
                                                    {WM_CTLCOLORSTATIC, test::kTrackbar, false},
                                                    {WM_CTLCOLOREDIT, test::kEdit, false}};
    for (const auto& [message, id, seeThrough] : controls) {
        SetBkMode(canvas.Dc(), OPAQUE);
        EXPECT_EQ(SendMessageW(dialog.Window(), message, reinterpret_cast<WPARAM>(canvas.Dc()),
                               reinterpret_cast<LPARAM>(dialog.Item(id))) == hollow,
                  seeThrough)
            << id;
        EXPECT_EQ(GetBkMode(canvas.Dc()) == TRANSPARENT, seeThrough) << id;
    }
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
