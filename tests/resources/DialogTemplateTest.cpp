// Opens every dialog template modelessly and compares it with the table of the design: caption,
// size, font, and each control's id, class, text, styles and rectangle in template order.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/resources/TemplateTable.h"

namespace torvin::test {
namespace {

// Returns FALSE from WM_INITDIALOG so that no focus change moves the default-button style.
INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

class OpenDialog {
  public:
    explicit OpenDialog(int id)
        : hwnd_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, InertDialogProc,
                                   0)) {}
    ~OpenDialog() {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        }
    }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;

    HWND Get() const { return hwnd_; }

  private:
    HWND hwnd_;
};

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

// Maps x, y, width and height each on its own, as the dialog manager does when it creates the
// controls (mapping right and bottom instead could round differently).
RECT ToPixels(HWND dialog, DialogRect r) {
    RECT pixels{r.x, r.y, r.width, r.height};
    MapDialogRect(dialog, &pixels);
    return pixels;
}

RECT ControlRectInDialog(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenInTemplateOrder(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

bool HasBorder(HWND control) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
    return (style & WS_BORDER) != 0 || (exStyle & WS_EX_CLIENTEDGE) != 0;
}

class DialogTemplate : public testing::TestWithParam<DialogSpec> {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
    }
};

TEST_P(DialogTemplate, FrameCaptionSizeAndFont) {
    const DialogSpec& spec = GetParam();
    OpenDialog dialog(spec.id);
    ASSERT_NE(dialog.Get(), nullptr) << "template " << spec.id;

    EXPECT_EQ(WindowText(dialog.Get()), spec.caption);
    const DWORD frameBits = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(dialog.Get(), GWL_STYLE)) & frameBits, spec.style);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(dialog.Get(), GWL_EXSTYLE)) & WS_EX_APPWINDOW,
              spec.exStyle);

    RECT client{};
    GetClientRect(dialog.Get(), &client);
    const RECT size = ToPixels(dialog.Get(), {0, 0, spec.width, spec.height});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog.Get(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof(logFont), &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, L"ＭＳ Ｐゴシック");
    HDC screen = GetDC(nullptr);
    const int ninePoints = MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(std::abs(logFont.lfHeight), ninePoints);
}

TEST_P(DialogTemplate, ControlsInTemplateOrder) {
    const DialogSpec& spec = GetParam();
    OpenDialog dialog(spec.id);
    ASSERT_NE(dialog.Get(), nullptr) << "template " << spec.id;

    const std::vector<HWND> children = ChildrenInTemplateOrder(dialog.Get());
    ASSERT_EQ(children.size(), spec.controls.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const ControlSpec& want = spec.controls[i];
        HWND control = children[i];
        SCOPED_TRACE(testing::Message()
                     << "template " << spec.id << ", control " << i << " (id " << want.id << ")");

        EXPECT_EQ(GetDlgCtrlID(control), want.id);
        EXPECT_EQ(ClassName(control), want.windowClass);
        if (want.checkText) {
            EXPECT_EQ(WindowText(control), want.text);
        }
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        EXPECT_EQ(style & want.styleMask, want.style) << std::hex << "style " << style;
        if (want.border != Border::Unchecked) {
            EXPECT_EQ(HasBorder(control), want.border == Border::Present);
        }

        const RECT expected = ToPixels(dialog.Get(), want.rect);
        const RECT actual = ControlRectInDialog(dialog.Get(), control);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        if (want.checkSize) {
            EXPECT_EQ(actual.right - actual.left, expected.right);
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
        }
    }
}

std::string TemplateName(const testing::TestParamInfo<DialogSpec>& info) {
    return "template_" + std::to_string(info.param.id);
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, DialogTemplate, testing::ValuesIn(AllDialogSpecs()), TemplateName);

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<int>*>(ids)->push_back(
            static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

TEST(DialogTemplates, EveryTemplateInTheProgramIsTabled) {
    std::vector<int> ids;
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_DIALOG, CollectId, reinterpret_cast<LONG_PTR>(&ids));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{100, 102, 129, 130, 139, 141, 144, 145, 146, 147, 148, 149, 150, 185,
                                     186, 187}));
    std::vector<int> tabled;
    for (const DialogSpec& spec : AllDialogSpecs()) {
        tabled.push_back(spec.id);
    }
    std::sort(tabled.begin(), tabled.end());
    EXPECT_EQ(tabled, ids);
}

TEST(DialogTemplates, AboutIconShowsTheProgramIcon) {
    OpenDialog dialog(100);
    ASSERT_NE(dialog.Get(), nullptr);
    HWND icon = GetWindow(dialog.Get(), GW_CHILD);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);
    RECT rect{};
    GetClientRect(icon, &rect);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYICON));
}

}  // namespace
}  // namespace torvin::test
