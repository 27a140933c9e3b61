#include "reference/html/entities.h"

#include <algorithm>
#include <iterator>

#include "reference/html/text_append.h"

namespace html {

namespace {

struct Entity {
    std::string_view name;
    char32_t codePoint;
    bool legacy;
};

constexpr Entity kEntities[] = {
#include "reference/html/entity_table.inc"
};

constexpr size_t kLongestName = 8;  // "thetasym"

bool IsAsciiAlnum(wchar_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

const Entity* FindEntity(std::string_view name) {
    const Entity* it = std::lower_bound(std::begin(kEntities), std::end(kEntities), name,
                                        [](const Entity& e, std::string_view n) { return e.name < n; });
    return it != std::end(kEntities) && it->name == name ? it : nullptr;
}

bool DecodeNumeric(std::wstring_view text, size_t pos, std::wstring& out, size_t& consumed) {
    size_t i = pos + 1;  // past '#'
    const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    const size_t digitsStart = i;
    uint32_t value = 0;
    while (i < text.size()) {
        const wchar_t c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) break;
        value = std::min<uint32_t>(value * (hex ? 16 : 10) + uint32_t(digit), 0x110000);  // saturates past the last code point
        ++i;
    }
    if (i == digitsStart) return false;
    if (i < text.size() && text[i] == ';') ++i;
    char32_t cp = value;
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementChar;
    else if (cp >= 0x80 && cp <= 0x9F) cp = Windows1252Char(cp);
    AppendCodePoint(out, cp);
    consumed = i - pos;
    return true;
}

}  // namespace

char32_t Windows1252Char(unsigned byte) {
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char32_t(byte);
}

bool DecodeCharacterReference(std::wstring_view text, size_t pos, bool inAttribute, std::wstring& out, size_t& consumed) {
    if (pos >= text.size()) return false;
    if (text[pos] == '#') return DecodeNumeric(text, pos, out, consumed);
    // The run of letters and digits that may name an entity.
    std::string name;
    size_t i = pos;
    while (i < text.size() && IsAsciiAlnum(text[i]) && name.size() <= kLongestName) name += char(text[i++]);
    if (name.empty()) return false;
    if (i < text.size() && text[i] == ';') {
        if (const Entity* entity = FindEntity(name)) {
            AppendCodePoint(out, entity->codePoint);
            consumed = i + 1 - pos;
            return true;
        }
    }
    // Without ';': the longest legacy name the run starts with.
    for (size_t length = std::min(name.size(), kLongestName); length >= 2; --length) {
        const Entity* entity = FindEntity(std::string_view(name).substr(0, length));
        if (!entity || !entity->legacy) continue;
        const size_t after = pos + length;
        if (inAttribute && after < text.size() && (text[after] == '=' || IsAsciiAlnum(text[after]))) return false;
        AppendCodePoint(out, entity->codePoint);
        consumed = length;
        return true;
    }
    return false;
}

std::wstring DecodeReferences(std::wstring_view text, bool inAttribute) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            size_t consumed = 0;
            if (DecodeCharacterReference(text, i + 1, inAttribute, out, consumed)) {
                i += 1 + consumed;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

}  // namespace html
