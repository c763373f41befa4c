#pragma once
// A 32-bit off-screen bitmap whose pixels tests read back after painting into its DC.

#include <windows.h>

#include <algorithm>

#include "framework/UniqueHandle.h"

namespace torvin::test {

class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill)
        : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        previous_ = SelectObject(dc_.Get(), bitmap_.Get());
        const UniqueBrush brush(CreateSolidBrush(fill));
        const RECT all = {0, 0, width, height};
        FillRect(dc_.Get(), &all, brush.Get());
    }
    ~Canvas() { SelectObject(dc_.Get(), previous_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
    // Bounding box of the pixels of the colour (right and bottom exclusive); empty when none.
    RECT Find(COLORREF colour) const {
        RECT box = {width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (Pixel(x, y) == colour) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                }
            }
        }
        return box.right == 0 ? RECT{} : box;
    }

  private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace torvin::test
