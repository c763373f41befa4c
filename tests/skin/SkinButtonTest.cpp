#include "skin/SkinButton.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/skin/Canvas.h"
#include "tests/skin/SkinTestDialog.h"

namespace torvin {
namespace {

using test::Canvas;

// SkinTest.rc's icons are single colours: OK hot red, normal green; cancel hot blue, normal yellow.
constexpr COLORREF kOkHotIcon = RGB(255, 0, 0), kOkIcon = RGB(0, 160, 0), kCancelHotIcon = RGB(0, 0, 255),
                   kCancelIcon = RGB(255, 255, 0);
constexpr COLORREF kNormalText = 0xA9A9A9, kHotText = 0x0F1928, kBackdrop = RGB(1, 2, 3);

class SkinButtonTest : public testing::Test {
  protected:
    void SetUp() override {
        SkinDialog::SetOpeningBackground({});
        ASSERT_NE(dialog_.CreateModeless(), nullptr);
        ShowWindow(dialog_.Window(), SW_SHOW);
    }
    void TearDown() override { ReleaseCapture(); }

    HWND Window(int id) const { return dialog_.Item(id); }
    bool Hot(int id) { return dialog_.Button(id)->Hovered(); }
    void Move(int id, WPARAM keys, int at) {
        SendMessageW(Window(id), WM_MOUSEMOVE, keys, MAKELPARAM(at, at));
    }

    // Draws the button through the dialog's WM_DRAWITEM into a canvas of the button's size.
    std::unique_ptr<Canvas> Render(int id, UINT state) {
        RECT item{};
        GetClientRect(Window(id), &item);
        auto canvas = std::make_unique<Canvas>(item.right, item.bottom, kBackdrop);
        DRAWITEMSTRUCT draw{
            ODT_BUTTON, 0, static_cast<UINT>(id), ODA_DRAWENTIRE, state, Window(id), canvas->Dc(), item, 0};
        SendMessageW(dialog_.Window(), WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&draw));
        return canvas;
    }

    test::SkinTestDialog dialog_;
};

TEST_F(SkinButtonTest, EachStateShowsItsIconTextAndFrame) {
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    const struct {
        int id;
        bool hover;
        UINT state;
        COLORREF icon, text, topLeftEdge;
        int shift;
    } cases[] = {
        {IDOK, false, 0, kOkIcon, kNormalText, kBackdrop, 0},
        {IDOK, true, 0, kOkHotIcon, kHotText, light, 0},
        {IDOK, true, ODS_SELECTED | ODS_FOCUS, kOkHotIcon, kHotText, shadow, 1},
        {IDCANCEL, false, ODS_SELECTED, kCancelHotIcon, kHotText, shadow, 1},
        {test::kIconOnly, false, 0, kOkHotIcon, kBackdrop, kBackdrop, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " " << c.hover << " " << c.state);
        if (c.hover) {
            Move(c.id, 0, 5);
        }
        const auto render = Render(c.id, c.state);
        const Canvas& canvas = *render;
        RECT size{};
        GetClientRect(Window(c.id), &size);
        const RECT icon = canvas.Find(c.icon);
        // A button with text puts its icon 3 pixels from the left; an icon alone is centred.
        const int left = c.id == test::kIconOnly ? (size.right - 32) / 2 : 3 + c.shift;
        const RECT expected = {left, (size.bottom - 32) / 2 + c.shift, left + 32,
                               (size.bottom + 32) / 2 + c.shift};
        EXPECT_TRUE(EqualRect(&icon, &expected));
        for (const COLORREF other : {kOkHotIcon, kOkIcon, kCancelHotIcon, kCancelIcon}) {
            EXPECT_TRUE(other == c.icon || canvas.Find(other).right == 0);
        }
        EXPECT_EQ(canvas.Find(c.text).left >= 35 + c.shift, c.text != kBackdrop);
        EXPECT_EQ(canvas.Find(c.text == kHotText ? kNormalText : kHotText).right, 0);
        if (c.topLeftEdge != kBackdrop) {
            EXPECT_EQ(canvas.Pixel(0, size.bottom / 2), c.topLeftEdge);
            EXPECT_EQ(canvas.Pixel(size.right - 1, size.bottom / 2), c.topLeftEdge == light ? shadow : light);
        } else {
            EXPECT_EQ(canvas.Find(shadow).right, 0) << "no frame";
        }
        Move(c.id, 0, -8);
    }
    EnableWindow(Window(IDOK), FALSE);
    const auto disabled = Render(IDOK, ODS_DISABLED);
    EXPECT_EQ(disabled->Find(kOkIcon).right + disabled->Find(kNormalText).right, 0) << "embossed instead";
}

TEST_F(SkinButtonTest, ThePointerAndTheCaptureDecideTheHotLook) {
    Move(IDOK, 0, 5);
    EXPECT_TRUE(Hot(IDOK));
    EXPECT_EQ(GetCapture(), Window(IDOK));
    Move(IDOK, 0, -8);
    EXPECT_FALSE(Hot(IDOK));
    EXPECT_EQ(GetCapture(), nullptr) << "leaving releases the capture";

    Move(IDOK, 0, 5);
    Move(IDOK, MK_LBUTTON, -8);
    EXPECT_FALSE(Hot(IDOK));
    EXPECT_EQ(GetCapture(), Window(IDOK)) << "dragging off with the button down keeps it";
    Move(IDOK, MK_LBUTTON, 5);
    EXPECT_FALSE(Hot(IDOK)) << "and moving back with the button down changes nothing";
    ReleaseCapture();

    Move(IDOK, 0, 5);
    SetCapture(dialog_.Window());
    EXPECT_TRUE(Hot(IDOK)) << "another window taking the capture leaves it hot";
    SetFocus(Window(IDOK));
    SetFocus(Window(test::kEdit));
    EXPECT_FALSE(Hot(IDOK)) << "losing the focus clears it";

    const LPARAM inside = MAKELPARAM(5, 5);
    for (const UINT down : {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONDBLCLK}}) {
        SendMessageW(Window(test::kTextOnly), down, MK_LBUTTON, inside);
        SendMessageW(Window(test::kTextOnly), WM_LBUTTONUP, 0, inside);
    }
    EXPECT_EQ(dialog_.textOnlyClicks, 2) << "a double click counts as two clicks";
}

}  // namespace
}  // namespace torvin
