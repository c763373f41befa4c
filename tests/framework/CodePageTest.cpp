#include "framework/CodePage.h"

#include <gtest/gtest.h>

namespace torvin {
namespace {

TEST(CodePage, JapaneseRoundTripsAsCp932BytesAndTextWithoutACp932FormIsRefusedNotTurnedIntoQuestionMarks) {
    const std::wstring japanese = L"ハナｷｬﾝｾﾙ設定β①";
    const auto bytes = NarrowCp932(japanese);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->substr(0, 9), "\x83\x6e\x83\x69\xb7\xac\xdd\xbe\xd9")
        << "half-width katakana: one byte each";
    EXPECT_EQ(WidenCp932(*bytes), japanese);
    EXPECT_EQ(NarrowCp932(L""), std::string());
    // An emoji, a Latin-1 letter, an ideograph outside JIS X 0208, a lone surrogate.
    const std::wstring refused[] = {L"pet\U0001F600", L"caf\u00e9", L"\u4e02",
                                    std::wstring(1, wchar_t(0xD800))};
    for (const std::wstring& text : refused) {
        EXPECT_FALSE(NarrowCp932(text).has_value());
    }
}

}  // namespace
}  // namespace torvin
