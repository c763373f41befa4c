#pragma once
// The flat owner-drawn push button of every window: the parent's background shows through its
// face, an icon pair (hot while hovered or pressed) and its caption in one of two colours.
// A raised frame while hovered, a sunken one while pressed, none otherwise; no focus rectangle.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "framework/UniqueHandle.h"

namespace torvin {

// A parent body tiled with one pattern brush from its client's top-left corner.
struct BodyPattern {
    UniqueBrush brush;
    int tileWidth = 0;
    int tileHeight = 0;
};

class SkinButton {
  public:
    SkinButton() = default;
    ~SkinButton();
    SkinButton(const SkinButton&) = delete;
    SkinButton& operator=(const SkinButton&) = delete;

    // Subclasses the control and makes it owner-drawn; false when it cannot be subclassed.
    bool Attach(HWND control);
    HWND Window() const { return window_; }

    // Takes an icon pair, each drawn at its own size (normal 0: the hot icon serves for both), and
    // repaints. The hot icon is loaded when it is first drawn.
    void SetIcons(int hotIconId, int normalIconId);
    void SetNormalTextColour(COLORREF colour, bool repaint);
    void SetHotTextColour(COLORREF colour, bool repaint);
    // The face shows the parent's background as it was at the first paint. A parent whose body is
    // one pattern brush hands it over through `bodyPattern` (null when it is not), which spares
    // copying its pixels off the screen.
    void SetTransparent(std::function<std::shared_ptr<const BodyPattern>(HDC)> bodyPattern = {}) {
        transparent_ = true;
        bodyPattern_ = std::move(bodyPattern);
    }

    // The parent's WM_DRAWITEM for this button.
    void DrawItem(const DRAWITEMSTRUCT& item);
    // Draws the face, in its present state, into the parent's paint at the button's place there,
    // as the button's own paint would.
    void DrawOnParent(HDC parentDc, const RECT& place);

    bool Hovered() const { return hovered_; }
    COLORREF NormalTextColour() const { return normalTextColour_; }
    COLORREF HotTextColour() const { return hotTextColour_; }
    int IconWidth() const { return iconWidth_; }
    int IconHeight() const { return iconHeight_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The button's own procedure, the one this one stands in front of.
    LRESULT Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        return CallWindowProcW(original_, window, message, wParam, lParam);
    }
    void OnMouseMove(WPARAM keys, LPARAM point);
    void Detach();
    void Invalidate() const { InvalidateRect(window_, nullptr, TRUE); }
    // False when there is no saved background to paint.
    bool PaintSavedBackground(HDC surface);
    void DrawIcon(HDC surface, HICON icon, const RECT& item, RECT& caption, bool hasText, bool pressed,
                  bool disabled) const;
    void DrawCaption(HDC surface, RECT caption, const std::wstring& text, bool hot, bool pressed,
                     bool disabled) const;

    HICON HotIcon();

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    bool hovered_ = false;
    // 0 once loaded, or when the normal icon serves for both.
    int pendingHotIcon_ = 0;
    UniqueIcon hotIcon_;
    UniqueIcon normalIcon_;
    // The hot icon's size; 0 without icons.
    std::uint8_t iconHeight_ = 0;
    std::uint8_t iconWidth_ = 0;
    // The parent's background under the button, taken once at the first paint: its body pattern
    // and where the button sat on it, or else a copy of its pixels.
    std::function<std::shared_ptr<const BodyPattern>(HDC)> bodyPattern_;
    std::shared_ptr<const BodyPattern> savedPattern_;
    POINT savedOrigin_{};
    UniqueBitmap savedBitmap_;
    bool transparent_ = false;
    COLORREF normalTextColour_ = GetSysColor(COLOR_BTNTEXT);
    COLORREF hotTextColour_ = GetSysColor(COLOR_BTNTEXT);
};

}  // namespace torvin
