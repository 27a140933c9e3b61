#pragma once
// Appending code points to the wide strings the page engine works in: UTF-16 where wchar_t has
// 16 bits (Windows), UTF-32 elsewhere.
#include <string>
#include <string_view>

namespace html {

constexpr char32_t kReplacementChar = 0xFFFD;

inline void AppendCodePoint(std::wstring& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementChar;
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out += wchar_t(0xD800 + (v >> 10));
            out += wchar_t(0xDC00 + (v & 0x3FF));
            return;
        }
    }
    out += wchar_t(cp);
}

// The number of wchar_t units of the character starting at text[i] (2 for a surrogate pair).
inline size_t CharLength(std::wstring_view text, size_t i) {
    if constexpr (sizeof(wchar_t) == 2) {
        const char32_t unit = char32_t(text[i]) & 0xFFFF;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
            const char32_t low = char32_t(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low <= 0xDFFF) return 2;
        }
    }
    return 1;
}

// The code point of the character starting at text[i].
inline char32_t CodePointAt(std::wstring_view text, size_t i) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (CharLength(text, i) == 2)
            return 0x10000 + ((char32_t(text[i]) & 0x3FF) << 10) + (char32_t(text[i + 1]) & 0x3FF);
        return char32_t(text[i]) & 0xFFFF;
    } else {
        return char32_t(text[i]);
    }
}

}  // namespace html
