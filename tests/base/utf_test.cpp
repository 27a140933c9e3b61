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

TEST(Utf, FirstInvalidUtf8PointsAtTheLeadOfTheFirstBadSequence) {
    constexpr size_t kNone = std::string_view::npos;
    EXPECT_EQ(FirstInvalidUtf8(""), kNone);
    EXPECT_EQ(FirstInvalidUtf8("第1题 \xF0\x9F\x9A\x97"), kNone);
    // A real U+FFFD in the text is valid, unlike what decoding turns bad bytes into.
    EXPECT_EQ(FirstInvalidUtf8("a\xEF\xBF\xBD"), kNone);
    EXPECT_EQ(FirstInvalidUtf8("ab\x80"), 2u);            // stray continuation byte
    EXPECT_EQ(FirstInvalidUtf8("你\xE4\xBD"), 3u);        // truncated at the end
    EXPECT_EQ(FirstInvalidUtf8("\xE4\xBDx你"), 0u);       // interrupted by plain text
    EXPECT_EQ(FirstInvalidUtf8("a\xC0\xAF"), 1u);         // overlong slash
    EXPECT_EQ(FirstInvalidUtf8("ab\xED\xA0\x80"), 2u);    // encoded surrogate
    EXPECT_EQ(FirstInvalidUtf8("\xF4\x90\x80\x80"), 0u);  // past U+10FFFF
    EXPECT_EQ(FirstInvalidUtf8("ok\xFF\x80"), 2u);        // the first of two
}

TEST(Utf, AppendUtf8WritesEachLengthAtItsBoundaries) {
    const struct {
        char32_t cp;
        size_t length;
    } cases[] = {{0x41, 1}, {0x7F, 1}, {0x80, 2}, {0x7FF, 2}, {0x800, 3}, {0x9898, 3}, {0xFFFF, 3}, {0x10000, 4}, {0x10FFFF, 4}};
    for (const auto& c : cases) {
        std::string out = "x";
        AppendUtf8(out, c.cp);
        EXPECT_EQ(out.size(), 1 + c.length) << std::hex << unsigned(c.cp);
        EXPECT_EQ(FirstInvalidUtf8(out), std::string_view::npos) << std::hex << unsigned(c.cp);
        EXPECT_EQ(WideToUtf8(Utf8ToWide(out)), out) << std::hex << unsigned(c.cp);
    }
    std::string ti;
    AppendUtf8(ti, U'题');
    EXPECT_EQ(ti, "题");
}
