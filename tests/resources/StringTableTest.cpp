#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"

namespace torvin::test {
namespace {

std::wstring LoadText(int id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

TEST(StringTable, HoldsTheMenuItemAndTheSocketFailureTextWithHalfWidthKana) {
    EXPECT_EQ(LoadText(IDS_ABOUT_MENU), L"Torvin のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_EQ(LoadText(IDS_SOCKET_FAILED), L"Windows ｿｹｯﾄの初期化に失敗しました。");
}

}  // namespace
}  // namespace torvin::test
