#include "skin/SkinButton.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "framework/GdiSelection.h"
#include "framework/WindowDc.h"

namespace torvin {

namespace {

UniqueIcon LoadIconResource(int id) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
}

// The size at which LoadIconResource loads an icon, read from the resource's directory, which the
// loader picks from the same way: cheaper than asking a loaded icon, which copies its bitmaps.
std::optional<SIZE> IconResourceSize(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    const HGLOBAL loaded = group != nullptr ? LoadResource(module, group) : nullptr;
    auto* directory = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    const DWORD size = group != nullptr ? SizeofResource(module, group) : 0;
    constexpr DWORD kHeader = 6, kEntry = 14;
    if (directory == nullptr || size < kHeader) {
        return std::nullopt;
    }
    const int chosen = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(directory), TRUE, 0, 0, LR_DEFAULTCOLOR);
    const DWORD count = directory[4] | (directory[5] << 8);
    for (DWORD i = 0; i < count && kHeader + (i + 1) * kEntry <= size; ++i) {
        const BYTE* entry = directory + kHeader + i * kEntry;
        if ((entry[12] | (entry[13] << 8)) == chosen) {
            // A 0 in the directory stands for 256.
            return SIZE{entry[0] != 0 ? entry[0] : 256, entry[1] != 0 ? entry[1] : 256};
        }
    }
    return std::nullopt;
}

// Memory contexts that every button shares: buttons paint one at a time, all on the thread that
// owns the windows, and making a context and a bitmap for each paint cost more than the painting.
class SharedSurfaces {
  public:
    SharedSurfaces() = default;
    SharedSurfaces(const SharedSurfaces&) = delete;
    SharedSurfaces& operator=(const SharedSurfaces&) = delete;
    ~SharedSurfaces() {
        if (face_) {
            SelectObject(face_.Get(), faceOriginal_);
        }
    }

    // An off-screen surface compatible with `like` and at least this large, with the state of a new
    // context; null when none can be made.
    HDC Face(HDC like, int width, int height) {
        const int depth = GetDeviceCaps(like, BITSPIXEL) * GetDeviceCaps(like, PLANES);
        if (face_ && depth != faceDepth_) {
            SelectObject(face_.Get(), faceOriginal_);
            faceBitmap_.Reset();
            face_.Reset();
        }
        if (!face_) {
            face_.Reset(CreateCompatibleDC(like));
            faceWidth_ = faceHeight_ = 0;
            faceDepth_ = depth;
            if (!face_) {
                return nullptr;
            }
        }
        if (width > faceWidth_ || height > faceHeight_) {
            const int newWidth = std::max(width, faceWidth_);
            const int newHeight = std::max(height, faceHeight_);
            UniqueBitmap larger(CreateCompatibleBitmap(like, newWidth, newHeight));
            if (!larger) {
                return nullptr;
            }
            const HGDIOBJ previous = SelectObject(face_.Get(), larger.Get());
            if (!faceBitmap_) {
                faceOriginal_ = previous;
            }
            faceBitmap_ = std::move(larger);
            faceWidth_ = newWidth;
            faceHeight_ = newHeight;
        }
        return face_.Get();
    }

    // A context to copy a bitmap from or into, with nothing of its own selected.
    HDC Copier(HDC like) {
        if (!copier_) {
            copier_.Reset(CreateCompatibleDC(like));
        }
        return copier_.Get();
    }

  private:
    UniqueMemoryDc face_;
    UniqueBitmap faceBitmap_;
    HGDIOBJ faceOriginal_ = nullptr;
    int faceWidth_ = 0;
    int faceHeight_ = 0;
    int faceDepth_ = 0;
    UniqueMemoryDc copier_;
};

SharedSurfaces& Surfaces() {
    static SharedSurfaces surfaces;
    return surfaces;
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
}

// The button finds its skin in its window's user data, not through comctl32's subclass list:
// that list is a window property, and under Wine reading one is a call to the window server, so
// every message to a button cost 0.1 ms more: 3 to 6 ms of each start-up's paint.
bool SkinButton::Attach(HWND control) {
    Detach();
    // User data already there is somebody else's: the button is left as it is.
    if (control == nullptr || GetWindowLongPtrW(control, GWLP_USERDATA) != 0) {
        return false;
    }
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinButton::Procedure)));
    if (original_ == nullptr) {
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        return false;
    }
    window_ = control;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    // A button not on screen yet (attached while its dialog starts) is painted when it shows.
    SendMessageW(control, BM_SETSTYLE, (style & 0xFF) | BS_OWNERDRAW, IsWindowVisible(control));
    return true;
}

void SkinButton::Detach() {
    if (window_ == nullptr) {
        return;
    }
    // A procedure set in front of this one later keeps calling it: this one then passes every
    // message straight to the button class (see Procedure).
    if (GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinButton::Procedure)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    }
    if (GetWindowLongPtrW(window_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    }
    window_ = nullptr;
}

void SkinButton::SetIcons(int hotIconId, int normalIconId) {
    // Buttons show their normal icons until the pointer comes: the hot one can wait till then.
    hotIcon_.Reset();
    normalIcon_ = LoadIconResource(normalIconId != 0 ? normalIconId : hotIconId);
    pendingHotIcon_ = normalIconId != 0 ? hotIconId : 0;
    const std::optional<SIZE> size = normalIcon_ ? IconResourceSize(hotIconId) : std::nullopt;
    iconWidth_ = static_cast<std::uint8_t>(size ? size->cx : 0);
    iconHeight_ = static_cast<std::uint8_t>(size ? size->cy : 0);
    if (window_ != nullptr && IsWindowVisible(window_)) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

HICON SkinButton::HotIcon() {
    if (pendingHotIcon_ != 0) {
        hotIcon_ = LoadIconResource(std::exchange(pendingHotIcon_, 0));
    }
    // The normal icon serves for both when no hot one of its own was given.
    return hotIcon_ ? hotIcon_.Get() : normalIcon_.Get();
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
    const HDC dc = Surfaces().Face(item.hDC, clipWidth, clipHeight);
    if (dc == nullptr) {
        return;
    }
    {
        const SavedDcState state(dc);
        SetWindowOrgEx(dc, clip.left, clip.top, nullptr);

        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        const bool disabled = (item.itemState & ODS_DISABLED) != 0;
        const bool hot = hovered_ || pressed;
        const RECT& r = item.rcItem;

        // The surface still holds the last paint: a face without the background starts black, as
        // on a new bitmap.
        if (!transparent_ || !PaintSavedBackground(dc)) {
            PatBlt(dc, clip.left, clip.top, clipWidth, clipHeight, BLACKNESS);
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
        if (normalIcon_ && iconWidth_ != 0) {
            DrawIcon(dc, hot ? HotIcon() : normalIcon_.Get(), r, caption, !text.empty(), pressed, disabled);
        }
        if (!text.empty()) {
            DrawCaption(dc, caption, text, hot, pressed, disabled);
        }
        // No focus rectangle, whatever the focus bit says.
        BitBlt(item.hDC, clip.left, clip.top, clipWidth, clipHeight, dc, clip.left, clip.top, SRCCOPY);
    }
}

void SkinButton::DrawOnParent(HDC parentDc, const RECT& place) {
    const SavedDcState state(parentDc);
    IntersectClipRect(parentDc, place.left, place.top, place.right, place.bottom);
    OffsetViewportOrgEx(parentDc, place.left, place.top, nullptr);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(window_));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (IsWindowEnabled(window_) ? 0u : ODS_DISABLED) |
                     ((SendMessageW(window_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0 ? ODS_SELECTED : 0u);
    item.hwndItem = window_;
    item.hDC = parentDc;
    item.rcItem = {0, 0, place.right - place.left, place.bottom - place.top};
    DrawItem(item);
}

void SkinButton::DrawIcon(HDC surface, HICON icon, const RECT& item, RECT& caption, bool hasText,
                          bool pressed, bool disabled) const {
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

bool SkinButton::PaintSavedBackground(HDC surface) {
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (!savedPattern_ && !savedBitmap_ && bodyPattern_) {
        std::shared_ptr<const BodyPattern> pattern = bodyPattern_(surface);
        if (pattern && pattern->brush && pattern->tileWidth > 0 && pattern->tileHeight > 0) {
            RECT frame{};
            GetWindowRect(window_, &frame);
            savedOrigin_ = {frame.left, frame.top};
            ScreenToClient(GetParent(window_), &savedOrigin_);
            savedPattern_ = std::move(pattern);
        }
    }
    if (savedPattern_) {
        // The brush starts its tiles at the parent's client corner, which lies up and left of the
        // button's by its place in the parent; the surface's device origin is the clip's corner.
        POINT corner = {0, 0};
        LPtoDP(surface, &corner, 1);
        const int w = savedPattern_->tileWidth;
        const int h = savedPattern_->tileHeight;
        POINT previous{};
        SetBrushOrgEx(surface, (((corner.x - savedOrigin_.x) % w) + w) % w,
                      (((corner.y - savedOrigin_.y) % h) + h) % h, &previous);
        const RECT face = {0, 0, width, height};
        FillRect(surface, &face, savedPattern_->brush.Get());
        SetBrushOrgEx(surface, previous.x, previous.y, nullptr);
        return true;
    }
    const HDC copier = Surfaces().Copier(surface);
    if (copier == nullptr) {
        return false;
    }
    if (!savedBitmap_) {
        const HWND parent = GetParent(window_);
        const WindowDc parentDc(parent);
        if (!parentDc) {
            return false;
        }
        RECT frame{};
        GetWindowRect(window_, &frame);
        POINT origin = {frame.left, frame.top};
        ScreenToClient(parent, &origin);
        UniqueBitmap saved(CreateCompatibleBitmap(parentDc.Get(), width, height));
        if (!saved) {
            return false;
        }
        const SelectedObject selection(copier, saved.Get());
        BitBlt(copier, 0, 0, width, height, parentDc.Get(), origin.x, origin.y, SRCCOPY);
        savedBitmap_ = std::move(saved);
    }
    const SelectedObject selection(copier, savedBitmap_.Get());
    BitBlt(surface, 0, 0, width, height, copier, 0, 0, SRCCOPY);
    return true;
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

LRESULT CALLBACK SkinButton::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SkinButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        const auto buttonClass = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
        return CallWindowProcW(buttonClass, window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // Detaching keeps the button's own procedure for this last message.
        self->Detach();
        return self->Forward(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT SkinButton::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // Two quick clicks are two clicks, not a click and a double-click notification.
            return Forward(window, WM_LBUTTONDOWN, wParam, lParam);
        case WM_MOUSEMOVE: {
            const LRESULT result = Forward(window, message, wParam, lParam);
            OnMouseMove(wParam, lParam);
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = Forward(window, message, wParam, lParam);
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
            return Forward(window, message, wParam, lParam);
        default:
            return Forward(window, message, wParam, lParam);
    }
}

}  // namespace torvin
