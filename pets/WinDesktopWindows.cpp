#include "pets/WinDesktopWindows.h"

#include <windows.h>

namespace torvin {

std::vector<TopWindow> WinDesktopWindows::TopWindowsInZOrder() {
    constexpr int kTitleLimit = 9999;
    std::vector<TopWindow> windows;
    std::wstring buffer(static_cast<std::size_t>(kTitleLimit), L'\0');
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        const int length = GetWindowTextW(window, buffer.data(), kTitleLimit);
        TopWindow top;
        top.title.assign(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
        top.visible = IsWindowVisible(window) != FALSE;
        windows.push_back(std::move(top));
    }
    return windows;
}

}  // namespace torvin
