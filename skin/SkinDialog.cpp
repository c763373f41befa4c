#include "skin/SkinDialog.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "framework/GdiSelection.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowDc.h"

namespace torvin {

namespace {

ResolvedBackground& OpeningBackground() {
    static ResolvedBackground choice;
    return choice;
}

bool IsTrackbar(HWND control) {
    wchar_t name[256] = {};
    GetClassNameW(control, name, 256);
    return lstrcmpiW(name, L"msctls_trackbar32") == 0;
}

}  // namespace

SkinDialog::SkinDialog(int templateId, HWND parent)
    : Dialog(templateId, parent), hollowBrush_(static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH))) {}

void SkinDialog::AttachSkinButtons(std::initializer_list<ButtonSkin> buttons) {
    for (const ButtonSkin& skin : buttons) {
        auto button = std::make_unique<SkinButton>();
        if (!button->Attach(Item(skin.id))) {
            continue;
        }
        if (skin.hotIcon != 0) {
            button->SetIcons(skin.hotIcon, skin.normalIcon);
        }
        button->SetNormalTextColour(kSkinNormalTextColour, false);
        button->SetHotTextColour(kSkinHotTextColour, false);
        button->SetTransparent([this](HDC dc) { return TiledPattern(dc); });
        buttons_.push_back(std::move(button));
    }
}

SkinButton* SkinDialog::Button(int id) {
    const HWND control = Item(id);
    for (const auto& button : buttons_) {
        if (control != nullptr && button->Window() == control) {
            return button.get();
        }
    }
    return nullptr;
}

void SkinDialog::SetOpeningBackground(ResolvedBackground choice) {
    OpeningBackground() = std::move(choice);
}

void SkinDialog::LoadSkinBackground() {
    Load(OpeningBackground());
}

void SkinDialog::LoadSetupBackground() {
    Load(SetupBackground(OpeningBackground()));
}

void SkinDialog::Load(const ResolvedBackground& choice) {
    if (choice.skinPath.empty()) {
        SetBackgroundResource(choice.tileId, choice.layout);
    } else {
        SetBackgroundFile(choice.skinPath, choice.layout);
    }
}

void SkinDialog::SetBackgroundResource(int bitmapId, int layout) {
    backgroundLayout_ = layout;
    pattern_.reset();
    background_.LoadFromResource(bitmapId);
}

bool SkinDialog::SetBackgroundFile(const std::string& cp932Path, int layout) {
    backgroundLayout_ = layout;
    pattern_.reset();
    return background_.LoadFromFile(cp932Path);
}

bool SkinDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_ERASEBKGND:
            if (EraseBackground(reinterpret_cast<HDC>(wParam))) {
                SetMessageResult(TRUE);
                result = TRUE;
                return true;
            }
            return false;
        case WM_PAINT:
            if (PaintWithButtons()) {
                result = TRUE;
                return true;
            }
            return false;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            // A dialog procedure hands control brushes back directly, not through DWLP_MSGRESULT.
            if (const HBRUSH brush =
                    ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message)) {
                result = reinterpret_cast<INT_PTR>(brush);
                return true;
            }
            return false;
        case WM_QUERYNEWPALETTE:
            if (QueryNewPalette()) {
                SetMessageResult(TRUE);
                result = TRUE;
                return true;
            }
            return false;
        case WM_PALETTECHANGED:
            PaletteChanged(reinterpret_cast<HWND>(wParam));
            return false;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            for (const auto& button : buttons_) {
                if (item.CtlType == ODT_BUTTON && item.hwndItem == button->Window()) {
                    button->DrawItem(item);
                    SetMessageResult(TRUE);
                    result = TRUE;
                    return true;
                }
            }
            return false;
        }
        case WM_LBUTTONDOWN:
            if (dragByBody_) {
                DragByBody(lParam);
            }
            return false;
        default:
            return false;
    }
}

// The body's paint also draws every button that its context reaches whole, and marks the button
// painted: a child window's own paint costs more than the drawing itself. Buttons the context
// reaches only in part (covered, clipped, outside what is repainted) paint themselves.
bool SkinDialog::PaintWithButtons() {
    if (buttons_.empty() || IsIconic(Window())) {
        return false;
    }
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Window(), &paint);
    const UniqueRegion reached(CreateRectRgn(0, 0, 0, 0));
    const UniqueRegion outside(CreateRectRgn(0, 0, 0, 0));
    // The system region is in screen coordinates.
    if (dc != nullptr && reached && outside && GetRandomRgn(dc, reached.Get(), SYSRGN) == 1) {
        for (const auto& button : buttons_) {
            const HWND control = button->Window();
            RECT place{};
            if (control == nullptr || !IsWindowVisible(control) || !GetWindowRect(control, &place)) {
                continue;
            }
            const UniqueRegion area(CreateRectRgnIndirect(&place));
            if (area && CombineRgn(outside.Get(), area.Get(), reached.Get(), RGN_DIFF) == NULLREGION) {
                MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&place), 2);
                button->DrawOnParent(dc, place);
                ValidateRect(control, nullptr);
            }
        }
    }
    EndPaint(Window(), &paint);
    return true;
}

bool SkinDialog::EraseBackground(HDC dc) {
    if (background_.Bits() == nullptr) {
        return false;
    }
    RECT client{};
    GetClientRect(Window(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int imageWidth = background_.Width();
    const int imageHeight = background_.Height();
    switch (backgroundLayout_) {
        case kLayoutStretch:
            background_.Stretch(dc, 0, 0, width, height);
            break;
        case kLayoutCentre:
            // Margins show the dialog's normal colour.
            FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
            background_.Draw(dc, (width - imageWidth) / 2, (height - imageHeight) / 2);
            break;
        default:
            // A picture without extent would never advance the loops.
            if (imageWidth > 0 && imageHeight > 0 && width > 0 && height > 0) {
                Tile(dc, width, height);
            }
            break;
    }
    return true;
}

std::shared_ptr<const BodyPattern> SkinDialog::TiledPattern(HDC dc) {
    const int imageWidth = background_.Width();
    const int imageHeight = background_.Height();
    if (background_.Bits() == nullptr || backgroundLayout_ == kLayoutStretch ||
        backgroundLayout_ == kLayoutCentre || imageWidth <= 0 || imageHeight <= 0 ||
        (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0) {
        return nullptr;
    }
    if (!pattern_ || patternBits_ != background_.Bits()) {
        std::vector<std::uint8_t> packed(background_.HeaderBlock(),
                                         background_.HeaderBlock() + background_.HeaderBlockSize());
        packed.insert(packed.end(), background_.Bits(), background_.Bits() + background_.BitsSize());
        auto pattern = std::make_shared<BodyPattern>();
        pattern->brush.Reset(CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
        pattern->tileWidth = imageWidth;
        pattern->tileHeight = imageHeight;
        if (!pattern->brush) {
            return nullptr;
        }
        pattern_ = std::move(pattern);
        patternBits_ = background_.Bits();
    }
    return pattern_;
}

void SkinDialog::Tile(HDC dc, int width, int height) {
    // Without a palette to realise, the picture as a pattern brush tiles the body in one fill, from
    // the same corner; a palette display takes the copying below.
    if (const std::shared_ptr<const BodyPattern> pattern = TiledPattern(dc)) {
        const RECT body = {0, 0, width, height};
        FillRect(dc, &body, pattern->brush.Get());
        return;
    }
    // A body takes a hundred and more tiles. Drawing each through the palette is slow, so one tile is
    // drawn off screen and copied onto itself, doubling the covered stretch each time, and the
    // whole body reaches the screen in one copy.
    const UniqueMemoryDc surface(CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!surface || !bitmap) {
        for (int y = 0; y < height; y += background_.Height()) {
            for (int x = 0; x < width; x += background_.Width()) {
                background_.Draw(dc, x, y);
            }
        }
        return;
    }
    const SelectedObject selection(surface.Get(), bitmap.Get());
    background_.Draw(surface.Get(), 0, 0);
    for (int done = background_.Width(); done < width; done *= 2) {
        BitBlt(surface.Get(), done, 0, std::min(done, width - done), background_.Height(), surface.Get(), 0,
               0, SRCCOPY);
    }
    for (int done = background_.Height(); done < height; done *= 2) {
        BitBlt(surface.Get(), 0, done, width, std::min(done, height - done), surface.Get(), 0, 0, SRCCOPY);
    }
    BitBlt(dc, 0, 0, width, height, surface.Get(), 0, 0, SRCCOPY);
}

HBRUSH SkinDialog::ControlColour(HDC dc, HWND control, UINT kind) const {
    if (background_.Bits() == nullptr) {
        return nullptr;
    }
    if (kind == WM_CTLCOLORBTN || (kind == WM_CTLCOLORSTATIC && !IsTrackbar(control))) {
        SetBkMode(dc, TRANSPARENT);
        return hollowBrush_;
    }
    return nullptr;
}

bool SkinDialog::QueryNewPalette() {
    const HPALETTE palette = background_.Palette();
    if (palette == nullptr || Window() == nullptr) {
        return false;
    }
    const WindowDc dc(Window());
    UINT changed = 0;
    {
        const SelectedPalette selection(dc.Get(), palette, false);
        changed = RealizePalette(dc.Get());
    }
    if (changed == 0 || changed == GDI_ERROR) {
        return false;
    }
    InvalidateRect(Window(), nullptr, TRUE);
    return true;
}

void SkinDialog::PaletteChanged(HWND changer) {
    const HPALETTE palette = background_.Palette();
    if (palette == nullptr || Window() == nullptr || changer == Window() || IsChild(Window(), changer)) {
        return;
    }
    const WindowDc dc(Window());
    UINT changed = 0;
    {
        const SelectedPalette selection(dc.Get(), palette, true);
        changed = RealizePalette(dc.Get());
    }
    if (changed != 0 && changed != GDI_ERROR) {
        InvalidateRect(Window(), nullptr, TRUE);
    }
}

void SkinDialog::DragByBody(LPARAM point) {
    // The caption hit code makes the system move the window as if its caption were grabbed; the
    // message carries screen coordinates.
    POINT screen = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(Window(), &screen);
    PostMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

}  // namespace torvin
