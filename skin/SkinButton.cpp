#include "skin/SkinButton.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/GdiSelection.h"
#include "framework/WindowDc.h"

namespace torvin {

namespace {

constexpr UINT_PTR kSubclassId = 0x534B4E42;  // "SKNB"

UniqueIcon LoadIconResource(int id) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
}

void Line(HDC dc, HPEN pen, std::initializer_list<POINT> points) {
    const SelectedObject selection(dc, pen);
    auto point = points.begin();
    MoveToEx(dc, point->x, point->y, nullptr);
    for (++point; point != points.end(); ++point) {
        LineTo(dc, point->x, point->y);
    }
}

}  // namespace

SkinButton::~SkinButton() {
    Detach();
    if (savedDc_) {
        SelectObject(savedDc_.Get(), savedDcOldBitmap_);
    }
    // The saved bitmap goes before the surface that held it.
    savedBitmap_.Reset();
}

bool SkinButton::Attach(HWND control) {
    Detach();
    if (control == nullptr ||
        !SetWindowSubclass(control, SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = control;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    SendMessageW(control, BM_SETSTYLE, (style & 0xFF) | BS_OWNERDRAW, TRUE);
    return true;
}

void SkinButton::Detach() {
    if (window_ != nullptr) {
        RemoveWindowSubclass(window_, SubclassProcedure, kSubclassId);
        window_ = nullptr;
    }
}

void SkinButton::SetIcons(int hotIconId, int normalIconId) {
    hotIcon_ = LoadIconResource(hotIconId);
    normalIcon_ = LoadIconResource(normalIconId != 0 ? normalIconId : hotIconId);
    ICONINFO info{};
    if (hotIcon_ && GetIconInfo(hotIcon_.Get(), &info)) {
        // GetIconInfo hands over copies of the icon's bitmaps.
        const UniqueBitmap mask(info.hbmMask);
        const UniqueBitmap colour(info.hbmColor);
        iconWidth_ = static_cast<std::uint8_t>(2 * info.xHotspot);
        iconHeight_ = static_cast<std::uint8_t>(2 * info.yHotspot);
    }
    if (window_ != nullptr) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void SkinButton::SetNormalTextColour(COLORREF colour, bool repaint) {
    normalTextColour_ = colour;
    if (repaint && window_ != nullptr) {
        Invalidate();
    }
}

void SkinButton::SetHotTextColour(COLORREF colour, bool repaint) {
    hotTextColour_ = colour;
    if (repaint && window_ != nullptr) {
        Invalidate();
    }
}

void SkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT clip{};
    GetClipBox(item.hDC, &clip);
    const int clipWidth = clip.right - clip.left;
    const int clipHeight = clip.bottom - clip.top;
    if (clipWidth <= 0 || clipHeight <= 0) {
        return;
    }
    // One off-screen surface and one block copy, so face, frame and text never flicker.
    const UniqueMemoryDc surface(CreateCompatibleDC(item.hDC));
    const UniqueBitmap surfaceBitmap(CreateCompatibleBitmap(item.hDC, clipWidth, clipHeight));
    if (!surface || !surfaceBitmap) {
        return;
    }
    {
        const SelectedObject bitmapSelection(surface.Get(), surfaceBitmap.Get());
        const HDC dc = surface.Get();
        SetWindowOrgEx(dc, clip.left, clip.top, nullptr);

        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        const bool disabled = (item.itemState & ODS_DISABLED) != 0;
        const bool hot = hovered_ || pressed;
        const RECT& r = item.rcItem;

        if (transparent_) {
            PaintSavedBackground(dc);
        }
        if (pressed || hovered_) {
            const UniquePen highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT)));
            const UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
            const HPEN first = pressed ? shadow.Get() : highlight.Get();
            const HPEN second = pressed ? highlight.Get() : shadow.Get();
            Line(dc, first, {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right, r.top}});
            Line(dc, second, {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}});
        }

        RECT caption = r;
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
        if (hotIcon_) {
            DrawIcon(dc, r, caption, !text.empty(), hot, pressed, disabled);
        }
        if (!text.empty()) {
            DrawCaption(dc, caption, text, hot, pressed, disabled);
        }
        // No focus rectangle, whatever the focus bit says.
        BitBlt(item.hDC, clip.left, clip.top, clipWidth, clipHeight, dc, clip.left, clip.top, SRCCOPY);
    }
}

void SkinButton::DrawIcon(HDC surface, const RECT& item, RECT& caption, bool hasText, bool hot, bool pressed,
                          bool disabled) const {
    int x = 0;
    if (hasText) {
        x = item.left + 3;
        caption.left += iconWidth_ + 3;
    } else {
        x = item.left + ((item.right - iconWidth_) - item.left) / 2;
    }
    int y = item.top + ((item.bottom - iconHeight_) - item.top) / 2;
    if (pressed) {
        ++x;
        ++y;
    }
    const HICON icon = hot ? hotIcon_.Get() : normalIcon_.Get();
    if (disabled) {
        DrawStateW(surface, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0,
                   DST_ICON | DSS_DISABLED);
    } else {
        DrawIconEx(surface, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    }
}

void SkinButton::DrawCaption(HDC surface, RECT caption, const std::wstring& text, bool hot, bool pressed,
                             bool disabled) const {
    if (pressed) {
        OffsetRect(&caption, 1, 1);
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    const SelectedObject fontSelection(surface, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(surface, hot ? hotTextColour_ : normalTextColour_);

    RECT measured = {caption.left, caption.top, caption.left, caption.top};
    DrawTextW(surface, text.c_str(), static_cast<int>(text.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
    OffsetRect(&measured, ((caption.right - caption.left) - (measured.right - measured.left)) / 2,
               ((caption.bottom - caption.top) - (measured.bottom - measured.top)) / 2);

    SetBkMode(surface, TRANSPARENT);
    if (disabled) {
        DrawStateW(surface, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()),
                   static_cast<WPARAM>(text.size()), measured.left, measured.top, 0, 0,
                   DST_PREFIXTEXT | DSS_DISABLED);
    } else {
        DrawTextW(surface, text.c_str(), static_cast<int>(text.size()), &measured, DT_SINGLELINE | DT_NOCLIP);
    }
}

void SkinButton::PaintSavedBackground(HDC surface) {
    const HWND parent = GetParent(window_);
    const WindowDc parentDc(parent);
    if (!parentDc) {
        return;
    }
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (!savedDc_) {
        RECT frame{};
        GetWindowRect(window_, &frame);
        POINT origin = {frame.left, frame.top};
        ScreenToClient(parent, &origin);
        UniqueMemoryDc savedDc(CreateCompatibleDC(parentDc.Get()));
        UniqueBitmap savedBitmap(CreateCompatibleBitmap(parentDc.Get(), width, height));
        if (!savedDc || !savedBitmap) {
            return;
        }
        savedDcOldBitmap_ = SelectObject(savedDc.Get(), savedBitmap.Get());
        BitBlt(savedDc.Get(), 0, 0, width, height, parentDc.Get(), origin.x, origin.y, SRCCOPY);
        savedDc_ = std::move(savedDc);
        savedBitmap_ = std::move(savedBitmap);
    }
    BitBlt(surface, 0, 0, width, height, savedDc_.Get(), 0, 0, SRCCOPY);
}

void SkinButton::OnMouseMove(WPARAM keys, LPARAM point) {
    const bool leftDown = (keys & MK_LBUTTON) != 0;
    if (leftDown && !hovered_) {
        return;
    }
    HWND owner = GetWindow(window_, GW_OWNER);
    if (owner == nullptr) {
        owner = GetParent(window_);
    }
    if (GetCapture() != window_ && GetActiveWindow() != nullptr && owner != nullptr) {
        hovered_ = true;
        SetCapture(window_);
        Invalidate();
        return;
    }
    POINT screen = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(window_, &screen);
    if (WindowFromPoint(screen) == window_) {
        return;
    }
    if (hovered_) {
        hovered_ = false;
        Invalidate();
    }
    if (!leftDown) {
        ReleaseCapture();
    }
}

LRESULT CALLBACK SkinButton::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<SkinButton*>(data);
    if (message == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT SkinButton::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // Two quick clicks are two clicks, not a click and a double-click notification.
            return DefSubclassProc(window, WM_LBUTTONDOWN, wParam, lParam);
        case WM_MOUSEMOVE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            OnMouseMove(wParam, lParam);
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (hovered_) {
                hovered_ = false;
                Invalidate();
            }
            return result;
        }
        case WM_CAPTURECHANGED:
            // The hot look stays until the pointer next enters and leaves.
            if (hovered_) {
                // Only our own capture is released: the window that took it keeps it.
                if (GetCapture() == window) {
                    ReleaseCapture();
                }
                Invalidate();
            }
            return DefSubclassProc(window, message, wParam, lParam);
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

}  // namespace torvin
