#include "skin/SkinButton.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/skin/Canvas.h"
#include "tests/skin/SkinTestDialog.h"

namespace torvin {
namespace {

using test::Canvas;
using test::SkinTestDialog;

constexpr COLORREF kHotRed = RGB(255, 0, 0), kNormalGreen = RGB(0, 160, 0), kUntouched = RGB(1, 2, 3);
constexpr COLORREF kNormalText = 0xA9A9A9, kHotText = 0x0F1928;

RECT Offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

bool Same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

class SkinButtonTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(dialog_.CreateModeless(), nullptr);
        ShowWindow(dialog_.Window(), SW_SHOW);
        SetForegroundWindow(dialog_.Window());
        UpdateWindow(dialog_.Window());
        Pump();
    }
    void TearDown() override { ReleaseCapture(); }

    static void Pump() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    HWND ButtonWindow(int id) const { return dialog_.Item(id); }
    SkinButton& Button(int id) { return *dialog_.Button(id); }

    // Draws the button through the dialog's WM_DRAWITEM into a canvas of the button's size.
    std::unique_ptr<Canvas> Render(int id, UINT state) {
        RECT item{};
        GetClientRect(ButtonWindow(id), &item);
        size_ = {item.right, item.bottom};
        auto canvas = std::make_unique<Canvas>(item.right, item.bottom, kUntouched);
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_BUTTON;
        draw.CtlID = static_cast<UINT>(id);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = ButtonWindow(id);
        draw.hDC = canvas->Dc();
        draw.rcItem = item;
        EXPECT_EQ(SendMessageW(dialog_.Window(), WM_DRAWITEM, static_cast<WPARAM>(id),
                               reinterpret_cast<LPARAM>(&draw)),
                  TRUE);
        return canvas;
    }

    void Hover(int id) {
        SendMessageW(ButtonWindow(id), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ASSERT_TRUE(Button(id).Hovered());
    }

    void MoveOutside(int id, WPARAM keys) {
        SendMessageW(ButtonWindow(id), WM_MOUSEMOVE, keys, MAKELPARAM(-8, -8));
    }

    SkinTestDialog dialog_;
    SIZE size_{};
};

TEST_F(SkinButtonTest, AttachedButtonsAreOwnerDrawnWithTheSkinColoursAndIconSize) {
    for (int id : {IDOK, IDCANCEL, test::kTextOnly, test::kIconOnly}) {
        ASSERT_NE(dialog_.Button(id), nullptr) << id;
        EXPECT_EQ(GetWindowLongPtrW(ButtonWindow(id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_EQ(Button(id).NormalTextColour(), kNormalText);
        EXPECT_EQ(Button(id).HotTextColour(), kHotText);
    }
    EXPECT_EQ(Button(IDOK).IconWidth(), 32);
    EXPECT_EQ(Button(IDOK).IconHeight(), 32);
    EXPECT_EQ(Button(test::kTextOnly).IconWidth(), 0);
    EXPECT_EQ(dialog_.Button(test::kLabel), nullptr);
}

TEST_F(SkinButtonTest, NormalLookHasNoFrameTheNormalIconAndTheNormalTextColour) {
    const auto canvas = Render(IDOK, 0);
    const RECT icon = canvas->Find(kNormalGreen);
    EXPECT_TRUE(Same(icon, RECT{3, (size_.cy - 32) / 2, 35, (size_.cy - 32) / 2 + 32}));
    EXPECT_EQ(canvas->Count(kHotRed), 0);
    EXPECT_GT(canvas->Count(kNormalText), 0);
    EXPECT_EQ(canvas->Count(kHotText), 0);
    EXPECT_EQ(canvas->Count(GetSysColor(COLOR_BTNSHADOW)), 0) << "no frame";
    EXPECT_EQ(canvas->Count(kUntouched), 0) << "the face shows the saved background";
    EXPECT_GE(canvas->Find(kNormalText).left, 35) << "text right of the icon";
}

TEST_F(SkinButtonTest, FaceShowsTheParentBackgroundUnderTheButton) {
    RECT frame{};
    GetWindowRect(ButtonWindow(test::kTextOnly), &frame);
    POINT origin = {frame.left, frame.top};
    ScreenToClient(dialog_.Window(), &origin);
    RECT client{};
    GetClientRect(dialog_.Window(), &client);
    Canvas body(client.right, client.bottom, kUntouched);
    SendMessageW(dialog_.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(body.Dc()), 0);

    const auto canvas = Render(test::kTextOnly, 0);
    for (POINT p : {POINT{1, 1}, POINT{size_.cx - 2, size_.cy - 2}, POINT{2, size_.cy - 3}}) {
        EXPECT_EQ(canvas->Pixel(p.x, p.y), body.Pixel(origin.x + p.x, origin.y + p.y)) << p.x << "," << p.y;
    }
}

TEST_F(SkinButtonTest, HoverShowsARaisedFrameTheHotIconAndTheHotTextColour) {
    Hover(IDOK);
    const auto canvas = Render(IDOK, 0);
    const COLORREF highlight = GetSysColor(COLOR_3DHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(canvas->Pixel(0, size_.cy / 2), highlight);
    EXPECT_EQ(canvas->Pixel(size_.cx / 2, 0), highlight);
    EXPECT_EQ(canvas->Pixel(size_.cx - 1, size_.cy / 2), shadow);
    EXPECT_EQ(canvas->Pixel(size_.cx / 2, size_.cy - 1), shadow);
    EXPECT_EQ(canvas->Count(kNormalGreen), 0);
    EXPECT_EQ(canvas->Find(kHotRed).left, 3);
    EXPECT_GT(canvas->Count(kHotText), 0);
    EXPECT_EQ(canvas->Count(kNormalText), 0);
}

TEST_F(SkinButtonTest, PressingSinksTheFrameAndMovesIconAndTextByOnePixel) {
    Hover(IDOK);
    const auto hovered = Render(IDOK, 0);
    const auto pressed = Render(IDOK, ODS_SELECTED | ODS_FOCUS);
    const COLORREF highlight = GetSysColor(COLOR_3DHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(pressed->Pixel(0, size_.cy / 2), shadow);
    EXPECT_EQ(pressed->Pixel(size_.cx / 2, 0), shadow);
    EXPECT_EQ(pressed->Pixel(size_.cx - 1, size_.cy / 2), highlight);
    EXPECT_EQ(pressed->Pixel(size_.cx / 2, size_.cy - 1), highlight);
    EXPECT_TRUE(Same(pressed->Find(kHotRed), Offset(hovered->Find(kHotRed), 1, 1)));
    EXPECT_TRUE(Same(pressed->Find(kHotText), Offset(hovered->Find(kHotText), 1, 1)));
}

TEST_F(SkinButtonTest, PressedIsHotEvenWithoutThePointer) {
    const auto canvas = Render(IDCANCEL, ODS_SELECTED);
    EXPECT_GT(canvas->Count(RGB(0, 0, 255)), 0) << "cancel's hot icon";
    EXPECT_EQ(canvas->Count(RGB(255, 255, 0)), 0);
    EXPECT_GT(canvas->Count(kHotText), 0);
}

TEST_F(SkinButtonTest, IconOnlyAndTextOnlyButtonsAreCentred) {
    const auto icon_only = Render(test::kIconOnly, 0);
    EXPECT_TRUE(Same(icon_only->Find(kHotRed), RECT{(size_.cx - 32) / 2, (size_.cy - 32) / 2,
                                                    (size_.cx - 32) / 2 + 32, (size_.cy - 32) / 2 + 32}))
        << "the hot icon serves as the normal icon too";

    const auto text_only = Render(test::kTextOnly, 0);
    const RECT text = text_only->Find(kNormalText);
    ASSERT_GT(text.right, text.left);
    EXPECT_LE(std::abs(text.left - (size_.cx - text.right)), 3);
    EXPECT_LE(std::abs(text.top - (size_.cy - text.bottom)), 4);
    EXPECT_EQ(text_only->Count(kHotRed) + text_only->Count(kNormalGreen), 0);
}

TEST_F(SkinButtonTest, DisabledButtonsEmbossIconAndText) {
    EnableWindow(ButtonWindow(IDOK), FALSE);
    const auto canvas = Render(IDOK, ODS_DISABLED);
    EXPECT_EQ(canvas->Count(kNormalGreen), 0);
    EXPECT_EQ(canvas->Count(kNormalText), 0);
    const RECT icon_box = {3, (size_.cy - 32) / 2, 35, (size_.cy - 32) / 2 + 32};
    const auto enabled_look = Render(test::kIconOnly, 0);  // only to compare with the face
    int embossed = 0;
    for (int y = icon_box.top; y < icon_box.bottom; ++y) {
        for (int x = icon_box.left; x < icon_box.right; ++x) {
            const COLORREF c = canvas->Pixel(x, y);
            embossed += (c == GetSysColor(COLOR_3DSHADOW) || c == GetSysColor(COLOR_3DHIGHLIGHT)) ? 1 : 0;
        }
    }
    EXPECT_GT(embossed, 100);
    EXPECT_GT(canvas->Count(GetSysColor(COLOR_3DSHADOW)) - enabled_look->Count(GetSysColor(COLOR_3DSHADOW)),
              0);
}

TEST_F(SkinButtonTest, DoubleClickCountsAsTwoClicks) {
    const HWND button = ButtonWindow(test::kTextOnly);
    const LPARAM inside = MAKELPARAM(5, 5);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(dialog_.textOnlyClicks, 2);
}

TEST_F(SkinButtonTest, LeavingClearsTheHotLookAndReleasesTheCapture) {
    Hover(IDOK);
    EXPECT_EQ(GetCapture(), ButtonWindow(IDOK));
    MoveOutside(IDOK, 0);
    EXPECT_FALSE(Button(IDOK).Hovered());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SkinButtonTest, DraggingOffWithTheButtonDownKeepsTheCapture) {
    Hover(IDOK);
    MoveOutside(IDOK, MK_LBUTTON);
    EXPECT_FALSE(Button(IDOK).Hovered());
    EXPECT_EQ(GetCapture(), ButtonWindow(IDOK));
    // With the button down and not hovered, moves back over it change nothing.
    SendMessageW(ButtonWindow(IDOK), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(Button(IDOK).Hovered());
}

TEST_F(SkinButtonTest, AnotherWindowTakingTheCaptureLeavesTheButtonHot) {
    Hover(IDOK);
    SetCapture(dialog_.Window());
    EXPECT_TRUE(Button(IDOK).Hovered());
    EXPECT_EQ(GetCapture(), dialog_.Window()) << "the new owner keeps its capture";
}

TEST_F(SkinButtonTest, LosingTheFocusClearsTheHotLook) {
    SetFocus(ButtonWindow(IDOK));
    Hover(IDOK);
    SetFocus(dialog_.Item(test::kEdit));
    EXPECT_FALSE(Button(IDOK).Hovered());
}

}  // namespace
}  // namespace torvin
