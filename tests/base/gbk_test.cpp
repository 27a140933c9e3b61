#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gbk.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

constexpr size_t kNone = std::string::npos;

std::string Decode(std::string_view bytes, size_t* bad = nullptr) { return Gb18030ToUtf8(bytes, bad); }

}  // namespace

TEST(Gbk, DecodesMixedTextAndReportsTheFirstBadByte) {
    size_t bad = 0;
    // "第1题 答案：B" in GBK.
    EXPECT_EQ(Decode("\xB5\xDA" "1" "\xCC\xE2 \xB4\xF0\xB0\xB8\xA3\xBA" "B", &bad), "第1题 答案：B");
    EXPECT_EQ(bad, kNone);
    // Four-byte codes at both ends of the Basic Multilingual Plane's part and of the
    // supplementary planes, and the euro sign both as code page 936 and GB18030 write it.
    EXPECT_EQ(Decode("\x81\x30\x81\x30"), "\xC2\x80");
    EXPECT_EQ(Decode("\x84\x31\xA4\x39"), "\xEF\xBF\xBF");                // U+FFFF
    EXPECT_EQ(Decode("\x90\x30\x81\x30"), "\xF0\x90\x80\x80");                // U+10000
    EXPECT_EQ(Decode("\xE3\x32\x9A\x35", &bad), "\xF4\x8F\xBF\xBF");          // U+10FFFF
    EXPECT_EQ(bad, kNone);
    EXPECT_EQ(Decode("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Decode("\xA2\xE3"), "\xE2\x82\xAC");
    // A lead byte without its trail, 0xFF, a lead byte before a line end, a four-byte code
    // cut short and one past U+10FFFF: each costs one byte and decoding goes on.
    EXPECT_EQ(Decode("ab\xB5", &bad), "ab\xEF\xBF\xBD");
    EXPECT_EQ(bad, 2u);
    EXPECT_EQ(Decode("\xFF" "a", &bad), "\xEF\xBF\xBD" "a");
    EXPECT_EQ(bad, 0u);
    EXPECT_EQ(Decode("x\xB5\n\xB5\xDA", &bad), "x\xEF\xBF\xBD\n第");
    EXPECT_EQ(bad, 1u);
    EXPECT_EQ(Decode("\x81\x30\x81", &bad), "\xEF\xBF\xBD" "0\xEF\xBF\xBD");
    EXPECT_EQ(bad, 0u);
    EXPECT_EQ(Decode("\xE3\x32\x9A\x36", &bad).substr(0, 3), "\xEF\xBF\xBD");
    EXPECT_EQ(bad, 0u);
    EXPECT_EQ(Decode("", &bad), "");
    EXPECT_EQ(bad, kNone);
}

#ifndef _WIN32
namespace {

// Every two-byte code, and the four-byte codes that lie in the Basic Multilingual Plane.
std::vector<std::string> TableCodes() {
    std::vector<std::string> codes;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) codes.push_back({char(lead), char(trail)});
        }
    }
    for (int b1 = 0x81; b1 <= 0x84; ++b1)
        for (int b2 = 0x30; b2 <= 0x39; ++b2)
            for (int b3 = 0x81; b3 <= 0xFE; ++b3)
                for (int b4 = 0x30; b4 <= 0x39; ++b4) codes.push_back({char(b1), char(b2), char(b3), char(b4)});
    return codes;
}

}  // namespace

// The table against the C library's converter, code by code, and a sample of the
// supplementary codes under every lead byte (valid or not).
TEST(Gbk, AgreesWithTheCLibraryOnEveryCode) {
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    ASSERT_NE(cd, iconv_t(-1));
    const auto reference = [&](const std::string& code, std::string& out) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* in = const_cast<char*>(code.data());
        size_t inLeft = code.size();
        char* o = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1) || inLeft != 0) return false;
        out.assign(buffer, o);
        return true;
    };
    std::vector<std::string> codes = TableCodes();
    for (int b1 = 0x85; b1 <= 0xFE; ++b1) {
        for (int b2 : {0x30, 0x34, 0x39})
            for (int b3 : {0x81, 0xA0, 0xFE})
                for (int b4 : {0x30, 0x39}) codes.push_back({char(b1), char(b2), char(b3), char(b4)});
    }
    int mismatches = 0;
    for (const std::string& code : codes) {
        std::string expected;
        const bool valid = reference(code, expected);
        size_t bad = 0;
        const std::string got = Decode(code, &bad);
        if (valid != (bad == kNone) || (valid && got != expected)) {
            if (++mismatches <= 10) {
                ADD_FAILURE() << "code " << testing::PrintToString(code) << ": the C library says "
                              << (valid ? testing::PrintToString(expected) : "invalid") << ", we say "
                              << testing::PrintToString(got);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    iconv_close(cd);
}
#else
// Under Windows the system's own converter for code page 936 must read the bank's Chinese the
// same way: every GB2312 character (rows 0xB0..0xF7, the characters a driving school's files use).
TEST(Gbk, AgreesWithCodePage936OnGb2312Characters) {
    int mismatches = 0, compared = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const char code[2] = {char(lead), char(trail)};
            wchar_t wide[4] = {};
            if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, code, 2, wide, 4) != 1) continue;
            char utf8[8];
            const int m = WideCharToMultiByte(CP_UTF8, 0, wide, 1, utf8, sizeof utf8, nullptr, nullptr);
            size_t bad = 0;
            const std::string got = Decode(std::string_view(code, 2), &bad);
            ++compared;
            if (bad != kNone || got != std::string(utf8, size_t(m))) ++mismatches;
        }
    }
    EXPECT_GE(compared, 6763);  // the hanzi of GB2312, and the five codes of row 0xD7 after them
    EXPECT_EQ(mismatches, 0);
}
#endif
