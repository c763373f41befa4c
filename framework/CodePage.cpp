#include "framework/CodePage.h"

#include <windows.h>

namespace torvin {

namespace {
constexpr UINT kCp932 = 932;
}

std::wstring WidenCp932(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int inLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(kCp932, 0, bytes.data(), inLength, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kCp932, 0, bytes.data(), inLength, out.data(), length);
    return out;
}

std::optional<std::string> NarrowCp932(std::wstring_view text) {
    if (text.empty()) {
        return std::string{};
    }
    const int inLength = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, text.data(), inLength, nullptr, 0,
                                           nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, text.data(), inLength, out.data(), length, nullptr,
                        &usedDefault);
    if (usedDefault) {
        return std::nullopt;
    }
    // A lone surrogate or similar can survive without the default char being flagged.
    if (WidenCp932(out) != text) {
        return std::nullopt;
    }
    return out;
}

}  // namespace torvin
