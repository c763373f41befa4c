#pragma once
// A 32-bit off-screen bitmap whose pixels tests read back after painting into its DC.

#include <windows.h>

#include <cstdint>

#include "framework/UniqueHandle.h"

namespace torvin::test {

class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    COLORREF Pixel(int x, int y) const;
    int Count(COLORREF colour) const;
    // Bounding box of the pixels of the colour (right and bottom exclusive); empty when none.
    RECT Find(COLORREF colour) const;
    // Bounding box of the pixels that differ from the colour.
    RECT FindOther(COLORREF colour) const;

  private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

}  // namespace torvin::test
