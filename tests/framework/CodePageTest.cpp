#include "framework/CodePage.h"

#include <gtest/gtest.h>

#include "settings/Cp932Texts.h"

namespace torvin {
namespace {

TEST(CodePage, JapaneseRoundTripsAsCp932Bytes) {
    const std::wstring text = L"ハナｷｬﾝｾﾙ設定保存部屋β①";
    const auto bytes = NarrowCp932(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->substr(0, 4), "\x83\x6e\x83\x69");
    EXPECT_EQ(bytes->substr(4, 5), "\xb7\xac\xdd\xbe\xd9");  // half-width katakana: one byte each
    EXPECT_EQ(WidenCp932(*bytes), text);
    EXPECT_EQ(NarrowCp932(L""), std::string());
}

TEST(CodePage, TextWithoutACp932FormIsRefusedNotTurnedIntoQuestionMarks) {
    EXPECT_FALSE(NarrowCp932(L"pet\U0001F600").has_value());
    EXPECT_FALSE(NarrowCp932(L"caf\u00e9").has_value());
    EXPECT_FALSE(NarrowCp932(L"\u4e02").has_value());  // a CJK ideograph outside JIS X 0208
    EXPECT_FALSE(NarrowCp932(std::wstring(1, wchar_t(0xD800))).has_value());
}

TEST(CodePage, FixedDiskTextsMatchTheSystemConversion) {
    EXPECT_EQ(NarrowCp932(L"v0.1.2β1"), std::string(cp932::kVersionText));
    EXPECT_EQ(NarrowCp932(L"設定保存部屋\\"), std::string(cp932::kStorageRootPrefix));
    EXPECT_EQ(NarrowCp932(L"設定保存部屋"), std::string(cp932::kStorageRoot));
    EXPECT_EQ(NarrowCp932(L"初期設定バックアップ"), std::string(cp932::kBackupFolderName));
    EXPECT_EQ(NarrowCp932(L"\\Nimbrel設定.nbc"), std::string(cp932::kHostSettingsSuffix));
}

}  // namespace
}  // namespace torvin
