#pragma once
// One image held as a device-independent bitmap: the info header with its colour table, the
// pixel rows (bottom row first, padded to 4 bytes), and for 8 bits or fewer a palette built
// from the colour table. Every operation reports failure as false; no exception leaves it.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"

namespace torvin {

class DibImage {
  public:
    DibImage() = default;
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    // Takes a device bitmap's pixels through dc: 1, 4 and 8 bits keep their depth with a colour
    // table and palette, deeper bitmaps become 24 bits. A failure leaves the object empty.
    bool CaptureBitmap(HDC dc, HBITMAP bitmap);
    // A bitmap resource of the program's own module; a missing one leaves the image as it was.
    bool LoadFromResource(int resourceId);
    bool LoadFromResource(const wchar_t* resourceName);
    // A .bmp file through the platform loader, in the screen's format.
    bool LoadFromFile(const std::string& cp932Path);

    // BMP file at the open file's current position; refuses files that do not fit what they
    // declare. A failure leaves the object empty.
    bool Read(HANDLE file);
    // The image as a BMP file; false when nothing is held or the file refuses the bytes.
    bool Write(HANDLE file);
    bool Load(const std::string& cp932Path);
    bool Save(const std::string& cp932Path);

    // Rebuilds the palette from the colour table; true when one exists afterwards.
    bool CreateDibPalette();

    // Copies pixels 1:1; returns the rows the platform set, 0 when nothing is held.
    int Paint(HDC dc, const RECT& destination, const RECT& source) const;
    void Stretch(HDC dc, int x, int y, int width, int height) const;
    void Draw(HDC dc, int x, int y) const;

    bool Held() const { return !headerBlock_.empty() && !bits_.empty(); }
    const std::uint8_t* HeaderBlock() const { return headerBlock_.empty() ? nullptr : headerBlock_.data(); }
    std::size_t HeaderBlockSize() const { return headerBlock_.size(); }
    const std::uint8_t* Bits() const { return bits_.empty() ? nullptr : bits_.data(); }
    std::size_t BitsSize() const { return bits_.size(); }
    // 0 while no header block is held.
    int Width() const;
    int Height() const;
    int BitCount() const;
    const std::uint8_t* ColourTable() const;
    int ColourCount() const;
    int ColourTableLength() const;
    HPALETTE Palette() const { return palette_.Get(); }
    // 1 after Read, 0 after CaptureBitmap.
    int FromFile() const { return fromFile_; }

  private:
    bool LoadBitmap(HBITMAP bitmap);
    void Clear();
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(headerBlock_.data()); }

    std::vector<std::uint8_t> headerBlock_;
    std::vector<std::uint8_t> bits_;
    UniquePalette palette_;
    int fromFile_ = 0;
};

}  // namespace torvin
