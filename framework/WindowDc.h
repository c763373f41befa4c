#pragma once
// A device context from GetDC (a window's client area, or the screen for a null window),
// released in the destructor.

#include <windows.h>

namespace torvin {

class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

}  // namespace torvin
