#include "pets/WinDesktopWindows.h"

#include <windows.h>
#include <tlhelp32.h>

#include "framework/CodePage.h"
#include "framework/UniqueHandle.h"

namespace torvin {

namespace {

// The full, long form of a path, so that two spellings of one file compare equal.
std::wstring LongFullPath(const std::wstring& path) {
    std::wstring full(32768, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    full.resize(length > 0 && length < 32768 ? length : 0);
    if (full.empty()) {
        return path;
    }
    std::wstring longer(32768, L'\0');
    length = GetLongPathNameW(full.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
    return length > 0 && length < 32768 ? longer.substr(0, length) : full;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::wstring FileNameOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

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

bool WinDesktopWindows::RunsImage(const std::string& exePath) {
    const std::wstring wanted = LongFullPath(WidenCp932(exePath));
    const std::wstring wantedName = FileNameOf(wanted);
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return false;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        // The file name first, so only the few candidates are opened.
        if (!SamePath(entry.szExeFile, wantedName)) {
            continue;
        }
        UniqueKernelHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (!process) {
            continue;
        }
        std::wstring image(32768, L'\0');
        DWORD length = static_cast<DWORD>(image.size());
        if (QueryFullProcessImageNameW(process.Get(), 0, image.data(), &length) &&
            SamePath(LongFullPath(image.substr(0, length)), wanted)) {
            return true;
        }
    }
    return false;
}

}  // namespace torvin
