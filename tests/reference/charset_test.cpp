#include <gtest/gtest.h>

#include "reference/html/charset.h"

using html::Charset;

TEST(Charset, LabelsOfTheSetsPagesName) {
    EXPECT_EQ(html::CharsetFromLabel("gb2312"), Charset::Gb18030);
    EXPECT_EQ(html::CharsetFromLabel(" GBK "), Charset::Gb18030);
    EXPECT_EQ(html::CharsetFromLabel("GB18030"), Charset::Gb18030);
    EXPECT_EQ(html::CharsetFromLabel("x-gbk"), Charset::Gb18030);
    EXPECT_EQ(html::CharsetFromLabel("UTF-8"), Charset::Utf8);
    EXPECT_EQ(html::CharsetFromLabel("iso-8859-1"), Charset::Windows1252);
    EXPECT_EQ(html::CharsetFromLabel("big5-hkscs"), std::nullopt);
}

TEST(Charset, SniffingFindsMarksAndDeclarationsAndFallsBackToGbk) {
    EXPECT_EQ(html::SniffCharset("\xEF\xBB\xBF<html>"), Charset::Utf8);
    EXPECT_EQ(html::SniffCharset("\xFF\xFE<\0h\0"), Charset::Utf16Le);
    EXPECT_EQ(html::SniffCharset("<meta charset=\"utf-8\">"), Charset::Utf8);
    EXPECT_EQ(html::SniffCharset("<META HTTP-EQUIV=Content-Type CONTENT='text/html; charset=UTF-8'>"), Charset::Utf8);
    EXPECT_EQ(html::SniffCharset("<meta content=\"text/html; charset=gb2312\" http-equiv=\"Content-Type\">"), Charset::Gb18030);
    // Content without http-equiv declares nothing; a meta inside a comment does not count; an
    // unknown set and no declaration at all mean GBK. A meta that claims UTF-16 in ASCII is UTF-8.
    EXPECT_EQ(html::SniffCharset("<meta content=\"text/html; charset=utf-8\">"), Charset::Gb18030);
    EXPECT_EQ(html::SniffCharset("<!-- <meta charset=utf-8> --><p>"), Charset::Gb18030);
    EXPECT_EQ(html::SniffCharset("<meta charset=klingon>"), Charset::Gb18030);
    EXPECT_EQ(html::SniffCharset("<html><body>\xB5\xC0</body>"), Charset::Gb18030);
    EXPECT_EQ(html::SniffCharset("<meta charset=utf-16>"), Charset::Utf8);
    // Attributes of other tags do not fool the scan; a declaration after the first 4096 bytes is not seen.
    EXPECT_EQ(html::SniffCharset("<p title='<meta charset=utf-8>'>x<meta charset=utf-8>"), Charset::Utf8);
    EXPECT_EQ(html::SniffCharset("<p title='<meta charset=big5>'>"), Charset::Gb18030);
    EXPECT_EQ(html::SniffCharset(std::string(5000, ' ') + "<meta charset=utf-8>"), Charset::Gb18030);
}

TEST(Charset, GbkTextDecodes) {
    // 道路交通标线 and 禁止标线 as GBK bytes, and full-width punctuation.
    EXPECT_EQ(html::DecodeText("\xB5\xC0\xC2\xB7\xBD\xBB\xCD\xA8\xB1\xEA\xCF\xDF", Charset::Gb18030), L"道路交通标线");
    EXPECT_EQ(html::DecodeText("a\xBD\xFB\xD6\xB9\xB1\xEA\xCF\xDF" "b", Charset::Gb18030), L"a禁止标线b");
    EXPECT_EQ(html::DecodeText("\xA3\xAC\xA1\xA4\xA1\xAA", Charset::Gb18030), L"，·—");
    EXPECT_EQ(html::DecodeText("\x80", Charset::Gb18030), L"€");
}

TEST(Charset, Gb18030FourByteCodes) {
    EXPECT_EQ(html::DecodeText("\x81\x30\x81\x30", Charset::Gb18030), std::wstring(1, wchar_t(0x80)));
    EXPECT_EQ(html::DecodeText("\x81\x34\xD6\x30", Charset::Gb18030), L"ᠠ");
    const std::wstring astral = html::DecodeText("\x94\x39\xFC\x36", Charset::Gb18030);
    if constexpr (sizeof(wchar_t) == 2) EXPECT_EQ(astral, std::wstring(L"\xD83D\xDE00"));
    else EXPECT_EQ(astral, std::wstring(1, wchar_t(0x1F600)));
    // Past the last code point: replaced.
    EXPECT_EQ(html::DecodeText("\xFE\x39\xFE\x39", Charset::Gb18030), L"\xFFFD");
}

TEST(Charset, BrokenBytesBecomeReplacementsAndDecodingResynchronises) {
    // A lead byte at the end, a lead followed by an ASCII byte (read again), 0xFF, a broken
    // four-byte sequence (the rest read again).
    EXPECT_EQ(html::DecodeText("ab\xB5", Charset::Gb18030), L"ab\xFFFD");
    EXPECT_EQ(html::DecodeText("\xB5<p>", Charset::Gb18030), L"\xFFFD<p>");
    EXPECT_EQ(html::DecodeText("\xFFx", Charset::Gb18030), L"\xFFFDx");
    EXPECT_EQ(html::DecodeText("\x81\x30" "AB", Charset::Gb18030), L"\xFFFD" L"0AB");
    EXPECT_EQ(html::DecodeText("\x81\x30\x81", Charset::Gb18030), L"\xFFFD" L"0\xFFFD");
    // Every two-byte sequence decodes to one character (the table holds no gaps that swallow text).
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string bytes{char(lead), char(trail)};
            ASSERT_EQ(html::DecodeText(bytes, Charset::Gb18030).size(), 1u) << lead << " " << trail;
        }
}

TEST(Charset, OtherSets) {
    EXPECT_EQ(html::DecodeText("\xEF\xBB\xBF\xE6\xA0\x87", Charset::Utf8), L"标");
    EXPECT_EQ(html::DecodeText(std::string("\xFF\xFE\x07\x68\x00\xD8", 6), Charset::Utf16Le), L"标\xFFFD");
    EXPECT_EQ(html::DecodeText(std::string("\x68\x07", 2), Charset::Utf16Be), L"标");
    EXPECT_EQ(html::DecodeText("caf\xE9 \x93ok\x94", Charset::Windows1252), L"café “ok”");
}

TEST(Charset, UndeclaredPagesAreUtf8OnlyWhenTheirBytesAreUtf8) {
    // 道路 in UTF-8, with no mark and no declaration; the same in GBK; plain ASCII.
    EXPECT_EQ(html::SniffCharset("<p>\xE9\x81\x93\xE8\xB7\xAF</p>"), Charset::Utf8);
    EXPECT_EQ(html::SniffCharset("<p>\xB5\xC0\xC2\xB7</p>"), Charset::Gb18030);
    EXPECT_EQ(html::SniffCharset("<p>plain</p>"), Charset::Gb18030);
    // One invalid sequence anywhere makes it GBK; a declaration still wins over the bytes.
    EXPECT_EQ(html::SniffCharset("<p>\xE9\x81\x93 \xC0\xAF</p>"), Charset::Gb18030);
    EXPECT_EQ(html::SniffCharset("<meta charset=gbk><p>\xE9\x81\x93</p>"), Charset::Gb18030);
    // A character cut by the end of the file (a page read up to its size limit) is still UTF-8;
    // a lone lead byte at the end of otherwise ASCII text is not.
    EXPECT_EQ(html::SniffCharset("<p>\xE9\x81\x93\xE8\xB7"), Charset::Utf8);
    EXPECT_EQ(html::SniffCharset("<p>abc\xE8"), Charset::Gb18030);
    EXPECT_EQ(html::DecodeText("<p>\xE9\x81\x93\xE8\xB7\xAF</p>", html::SniffCharset("<p>\xE9\x81\x93\xE8\xB7\xAF</p>")), L"<p>道路</p>");
}
