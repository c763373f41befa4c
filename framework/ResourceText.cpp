#include "framework/ResourceText.h"

namespace torvin {

std::wstring LoadResourceText(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    // A length of 0 asks for a read-only pointer into the resource itself.
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring LoadResourceText(HINSTANCE instance, UINT id, std::wstring_view value) {
    std::wstring text = LoadResourceText(instance, id);
    if (const auto at = text.find(L"%1"); at != std::wstring::npos) {
        text.replace(at, 2, value);
    }
    return text;
}

}  // namespace torvin
