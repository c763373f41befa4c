#include "skin/DibImage.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>

#include "framework/CodePage.h"
#include "framework/GdiSelection.h"
#include "framework/WindowDc.h"
#include "skin/BmpFormat.h"

namespace torvin {

namespace {

UniqueFileHandle OpenFile(const std::string& cp932Path, DWORD access, DWORD disposition) {
    return UniqueFileHandle(CreateFileW(WidenCp932(cp932Path).c_str(), access, FILE_SHARE_READ, nullptr,
                                        disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Reads exactly `count` bytes; false on an error or an early end.
bool ReadExactly(HANDLE file, std::uint8_t* into, std::size_t count) {
    while (count > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1U << 30));
        DWORD read = 0;
        if (!ReadFile(file, into, chunk, &read, nullptr) || read == 0) {
            return false;
        }
        into += read;
        count -= read;
    }
    return true;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

std::optional<std::int64_t> Position(HANDLE file) {
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, &position, FILE_CURRENT)) {
        return std::nullopt;
    }
    return position.QuadPart;
}

void Report(const char* what) {
    OutputDebugStringA("Torvin DibImage: ");
    OutputDebugStringA(what);
}

}  // namespace

void DibImage::Clear() {
    headerBlock_.clear();
    headerBlock_.shrink_to_fit();
    bits_.clear();
    bits_.shrink_to_fit();
}

int DibImage::Width() const {
    return headerBlock_.empty() ? 0 : static_cast<int>(ReadBmpInfo(headerBlock_).width);
}

int DibImage::Height() const {
    return headerBlock_.empty() ? 0 : static_cast<int>(ReadBmpInfo(headerBlock_).height);
}

int DibImage::BitCount() const {
    return headerBlock_.empty() ? 0 : ReadBmpInfo(headerBlock_).bitCount;
}

const std::uint8_t* DibImage::ColourTable() const {
    return headerBlock_.empty() ? nullptr : headerBlock_.data() + kBmpInfoHeaderSize;
}

int DibImage::ColourCount() const {
    return headerBlock_.empty() ? 0 : static_cast<int>(BmpColourCount(ReadBmpInfo(headerBlock_)));
}

int DibImage::ColourTableLength() const {
    return headerBlock_.empty() ? 0
                                : static_cast<int>(BmpColourTableLength(ReadBmpInfo(headerBlock_).bitCount));
}

bool DibImage::CaptureBitmap(HDC dc, HBITMAP bitmap) {
    try {
        Clear();
        BITMAP object{};
        if (GetObjectW(bitmap, sizeof object, &object) != sizeof object || object.bmWidth <= 0 ||
            object.bmHeight <= 0) {
            throw std::runtime_error("not a bitmap\n");
        }
        const WORD depth = object.bmBitsPixel;
        const WORD bitCount = depth <= 8 ? depth : WORD{24};
        const auto width = static_cast<std::int32_t>(object.bmWidth);
        const auto height = static_cast<std::int32_t>(object.bmHeight);
        const std::uint64_t stride = BmpRowStride(width, bitCount);
        if (height > std::numeric_limits<std::uint16_t>::max() ||
            stride * static_cast<std::uint64_t>(height) > std::numeric_limits<DWORD>::max()) {
            throw std::runtime_error("could not allocate data storage\n");
        }
        bits_.assign(static_cast<std::size_t>(stride * static_cast<std::uint64_t>(height)), 0);

        const std::size_t table = BmpColourTableLength(depth);
        headerBlock_.assign(kBmpInfoHeaderSize + 4 * table, 0);
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = object.bmPlanes;
        header.biBitCount = bitCount;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(stride * static_cast<std::uint64_t>(height));
        std::memcpy(headerBlock_.data(), &header, sizeof header);

        const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits_.data(),
                                   reinterpret_cast<BITMAPINFO*>(headerBlock_.data()), DIB_RGB_COLORS);
        if (rows != height) {
            throw std::runtime_error(
                "call to GetDIBits did not return full number of requested scan lines\n");
        }
        // GetDIBits may fill in biSizeImage and biClrUsed; keep the layout this class describes.
        std::memcpy(headerBlock_.data(), &header, sizeof header);
    } catch (const std::exception& error) {
        Report(error.what());
        Clear();
        return false;
    }
    CreateDibPalette();
    fromFile_ = 0;
    return true;
}

bool DibImage::LoadBitmap(HBITMAP loaded) {
    const UniqueBitmap bitmap(loaded);
    if (!bitmap) {
        return false;
    }
    const WindowDc screen(nullptr);
    return screen && CaptureBitmap(screen.Get(), bitmap.Get());
}

bool DibImage::LoadFromResource(int resourceId) {
    return LoadFromResource(MAKEINTRESOURCEW(resourceId));
}

bool DibImage::LoadFromResource(const wchar_t* resourceName) {
    return LoadBitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

bool DibImage::LoadFromFile(const std::string& cp932Path) {
    return LoadBitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, WidenCp932(cp932Path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

bool DibImage::Read(HANDLE file) {
    Clear();
    try {
        const auto start = Position(file);
        LARGE_INTEGER size{};
        if (!start || !GetFileSizeEx(file, &size) || size.QuadPart < *start) {
            throw std::runtime_error("Error:file cannot be read\n");
        }
        const std::int64_t available = size.QuadPart - *start;
        std::string error;
        std::vector<std::uint8_t> bytes(kBmpFileHeaderSize);
        if (available < static_cast<std::int64_t>(bytes.size())) {
            bytes.resize(static_cast<std::size_t>(available));
        }
        if (!ReadExactly(file, bytes.data(), bytes.size())) {
            throw std::runtime_error("Error:file cannot be read\n");
        }
        const auto declared = BmpDeclaredFileSize(bytes, error);
        if (!declared) {
            throw std::runtime_error(error);
        }
        // Never allocate for more than the file holds.
        if (*declared > available || *declared < kBmpFileHeaderSize) {
            throw std::runtime_error("Error:declared file size does not fit the file\n");
        }
        bytes.resize(*declared);
        if (!ReadExactly(file, bytes.data() + kBmpFileHeaderSize, bytes.size() - kBmpFileHeaderSize)) {
            throw std::runtime_error("Error:file cannot be read\n");
        }
        auto image = ParseBmp(bytes, error);
        if (!image) {
            throw std::runtime_error(error);
        }
        headerBlock_ = std::move(image->headerBlock);
        bits_ = std::move(image->bits);
    } catch (const std::exception& error) {
        Report(error.what());
        Clear();
        return false;
    }
    CreateDibPalette();
    fromFile_ = 1;
    return true;
}

bool DibImage::Write(HANDLE file) {
    if (!Held()) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = FormatBmp(headerBlock_, bits_);
    return !bytes.empty() && WriteAll(file, bytes);
}

bool DibImage::Load(const std::string& cp932Path) {
    const UniqueFileHandle file = OpenFile(cp932Path, GENERIC_READ, OPEN_EXISTING);
    return file && Read(file.Get());
}

bool DibImage::Save(const std::string& cp932Path) {
    const UniqueFileHandle file = OpenFile(cp932Path, GENERIC_WRITE, CREATE_ALWAYS);
    return file && Write(file.Get());
}

bool DibImage::CreateDibPalette() {
    palette_.Reset();
    if (headerBlock_.empty()) {
        return false;
    }
    const BmpInfo info = ReadBmpInfo(headerBlock_);
    if (info.bitCount > 8) {
        return false;
    }
    // The count never exceeds what the header block holds: Read refuses larger colour counts
    // and a capture keeps a full table for its depth.
    const std::size_t held = (headerBlock_.size() - kBmpInfoHeaderSize) / 4;
    const std::size_t count = std::min<std::size_t>(BmpColourCount(info), held);
    if (count == 0) {
        return false;
    }
    std::vector<std::uint8_t> storage(offsetof(LOGPALETTE, palPalEntry) + count * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    const std::uint8_t* table = ColourTable();
    for (std::size_t i = 0; i < count; ++i) {
        PALETTEENTRY& entry = logical->palPalEntry[i];
        entry.peRed = table[4 * i + 2];
        entry.peGreen = table[4 * i + 1];
        entry.peBlue = table[4 * i];
        entry.peFlags = 0;
    }
    palette_.Reset(CreatePalette(logical));
    return static_cast<bool>(palette_);
}

int DibImage::Paint(HDC dc, const RECT& destination, const RECT& source) const {
    std::optional<SelectedPalette> selection;
    if (palette_) {
        selection.emplace(dc, palette_.Get(), false);
        RealizePalette(dc);
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    if (!Held()) {
        return 0;
    }
    const int height = Height();
    return SetDIBitsToDevice(dc, destination.left, destination.top,
                             static_cast<DWORD>(destination.right - destination.left),
                             static_cast<DWORD>(destination.bottom - destination.top), source.left,
                             height - source.top - (source.bottom - source.top), 0, static_cast<UINT>(height),
                             bits_.data(), Info(), DIB_RGB_COLORS);
}

void DibImage::Stretch(HDC dc, int x, int y, int width, int height) const {
    std::optional<SelectedPalette> selection;
    if (palette_) {
        selection.emplace(dc, palette_.Get(), false);
        RealizePalette(dc);
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    if (Held()) {
        StretchDIBits(dc, x, y, width, height, 0, 0, Width(), Height(), bits_.data(), Info(), DIB_RGB_COLORS,
                      SRCCOPY);
    }
}

void DibImage::Draw(HDC dc, int x, int y) const {
    Stretch(dc, x, y, Width(), Height());
}

}  // namespace torvin
