#include <gtest/gtest.h>

#include "base/utf.h"

TEST(Utf, RoundTripsChineseAndAstralText) {
    const std::string text = "第1题 你的答案是:2 \xF0\x9F\x9A\x97";  // ends with U+1F697
    const std::wstring wide = Utf8ToWide(text);
    if constexpr (sizeof(wchar_t) == 2) {
        ASSERT_EQ(wide.size(), 14u);  // the car is a surrogate pair
        EXPECT_EQ(wide[12], wchar_t(0xD83D));
        EXPECT_EQ(wide[13], wchar_t(0xDE97));
    } else {
        ASSERT_EQ(wide.size(), 13u);
        EXPECT_EQ(wide[12], wchar_t(0x1F697));
    }
    EXPECT_EQ(wide[0], L'第');
    EXPECT_EQ(WideToUtf8(wide), text);
}

TEST(Utf, InvalidSequencesBecomeReplacementCharacters) {
    // A lone continuation byte, a truncated three-byte sequence, an overlong slash and an
    // encoded surrogate: each yields U+FFFD and decoding goes on with the next byte.
    EXPECT_EQ(Utf8ToWide("a\x80" "b"), std::wstring(L"a\xFFFD" L"b"));
    EXPECT_EQ(Utf8ToWide("\xE4\xBD"), std::wstring(L"\xFFFD\xFFFD"));
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), std::wstring(L"\xFFFD"));
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), std::wstring(L"\xFFFD"));
    EXPECT_EQ(Utf8ToWide(""), std::wstring());
}

TEST(Utf, LoneSurrogateInWideTextIsReplaced) {
    std::wstring wide = L"x";
    wide += static_cast<wchar_t>(0xD800);
    EXPECT_EQ(WideToUtf8(wide), "x\xEF\xBF\xBD");
}
