#include "tests/skin/Canvas.h"

#include <algorithm>

namespace torvin::test {

namespace {

template <typename Match>
RECT Bounds(int width, int height, Match match) {
    RECT box = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (match(x, y)) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    return box.right == 0 ? RECT{} : box;
}

}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, so row y is line y
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    const UniqueBrush brush(CreateSolidBrush(fill));
    const RECT all = {0, 0, width, height};
    FillRect(dc_.Get(), &all, brush.Get());
}

Canvas::~Canvas() {
    SelectObject(dc_.Get(), previous_);
}

COLORREF Canvas::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t value =
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Canvas::Count(COLORREF colour) const {
    int count = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            count += Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

RECT Canvas::Find(COLORREF colour) const {
    return Bounds(width_, height_, [&](int x, int y) { return Pixel(x, y) == colour; });
}

RECT Canvas::FindOther(COLORREF colour) const {
    return Bounds(width_, height_, [&](int x, int y) { return Pixel(x, y) != colour; });
}

}  // namespace torvin::test
