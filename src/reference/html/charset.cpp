#include "reference/html/charset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "base/utf.h"
#include "reference/html/gb18030_table.h"
#include "reference/html/text_append.h"

namespace html {

namespace {

// How far into a file the meta declarations are looked for. Old editors put long comments and
// scripts before the <meta>, so this reaches further than the 1024 bytes of today's browsers.
constexpr size_t kPrescanBytes = 4096;

bool IsSpaceByte(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
char LowerByte(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool IsLetterByte(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerByte(c);
    return out;
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix) {
    if (text.size() - pos < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (LowerByte(text[pos + i]) != prefix[i]) return false;
    return true;
}

// Reads one attribute of a tag at pos for the prescan; false at the end of the tag.
bool PrescanAttribute(std::string_view bytes, size_t& pos, std::string& name, std::string& value) {
    name.clear();
    value.clear();
    while (pos < bytes.size() && (IsSpaceByte(bytes[pos]) || bytes[pos] == '/')) ++pos;
    if (pos >= bytes.size() || bytes[pos] == '>') return false;
    while (pos < bytes.size()) {
        const char c = bytes[pos];
        if (c == '=' && !name.empty()) break;
        if (IsSpaceByte(c) || c == '/' || c == '>') break;
        name += LowerByte(c);
        ++pos;
    }
    while (pos < bytes.size() && IsSpaceByte(bytes[pos])) ++pos;
    if (pos >= bytes.size() || bytes[pos] != '=') return true;
    ++pos;
    while (pos < bytes.size() && IsSpaceByte(bytes[pos])) ++pos;
    if (pos >= bytes.size()) return true;
    if (bytes[pos] == '"' || bytes[pos] == '\'') {
        const char quote = bytes[pos++];
        while (pos < bytes.size() && bytes[pos] != quote) value += LowerByte(bytes[pos++]);
        if (pos < bytes.size()) ++pos;
        return true;
    }
    while (pos < bytes.size() && !IsSpaceByte(bytes[pos]) && bytes[pos] != '>') value += LowerByte(bytes[pos++]);
    return true;
}

// The label after "charset=" in a Content-Type value, or empty.
std::string CharsetInContent(std::string_view content) {
    size_t pos = 0;
    while (true) {
        const size_t found = content.find("charset", pos);
        if (found == std::string_view::npos) return {};
        pos = found + 7;
        while (pos < content.size() && IsSpaceByte(content[pos])) ++pos;
        if (pos < content.size() && content[pos] == '=') break;
    }
    ++pos;
    while (pos < content.size() && IsSpaceByte(content[pos])) ++pos;
    if (pos >= content.size()) return {};
    if (content[pos] == '"' || content[pos] == '\'') {
        const char quote = content[pos++];
        const size_t end = content.find(quote, pos);
        if (end == std::string_view::npos) return {};
        return std::string(content.substr(pos, end - pos));
    }
    size_t end = pos;
    while (end < content.size() && !IsSpaceByte(content[end]) && content[end] != ';') ++end;
    return std::string(content.substr(pos, end - pos));
}

// The set a <meta> at pos (just after "<meta") declares, if it declares one we know.
std::optional<Charset> PrescanMeta(std::string_view bytes, size_t& pos) {
    bool gotPragma = false;
    bool needPragma = false;
    bool declared = false;
    std::optional<Charset> charset;
    std::string name;
    std::string value;
    std::vector<std::string> seen;
    while (PrescanAttribute(bytes, pos, name, value)) {
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
        seen.push_back(name);
        if (name == "http-equiv") {
            if (value == "content-type") gotPragma = true;
        } else if (name == "content") {
            if (!declared) {
                const std::string label = CharsetInContent(value);
                if (!label.empty()) {
                    charset = CharsetFromLabel(label);
                    declared = true;
                    needPragma = true;
                }
            }
        } else if (name == "charset") {
            charset = CharsetFromLabel(value);
            declared = true;
            needPragma = false;
        }
    }
    if (!declared || (needPragma && !gotPragma) || !charset) return std::nullopt;
    // A page that could be read this far in ASCII is not UTF-16, whatever it says.
    if (*charset == Charset::Utf16Le || *charset == Charset::Utf16Be) return Charset::Utf8;
    return charset;
}

std::optional<Charset> Prescan(std::string_view bytes) {
    bytes = bytes.substr(0, std::min(bytes.size(), kPrescanBytes));
    size_t pos = 0;
    std::string name;
    std::string value;
    while (pos < bytes.size()) {
        if (bytes[pos] != '<') {
            ++pos;
            continue;
        }
        if (bytes.compare(pos, 4, "<!--") == 0) {
            const size_t end = bytes.find("-->", pos + 2);
            if (end == std::string_view::npos) return std::nullopt;
            pos = end + 3;
        } else if (StartsWithNoCase(bytes, pos, "<meta") && pos + 5 < bytes.size() &&
                   (IsSpaceByte(bytes[pos + 5]) || bytes[pos + 5] == '/')) {
            pos += 5;
            if (auto charset = PrescanMeta(bytes, pos)) return charset;
        } else if (pos + 1 < bytes.size() && (IsLetterByte(bytes[pos + 1]) ||
                                              (bytes[pos + 1] == '/' && pos + 2 < bytes.size() && IsLetterByte(bytes[pos + 2])))) {
            ++pos;
            while (pos < bytes.size() && !IsSpaceByte(bytes[pos]) && bytes[pos] != '>') ++pos;
            while (PrescanAttribute(bytes, pos, name, value)) {
            }
        } else if (pos + 1 < bytes.size() && (bytes[pos + 1] == '!' || bytes[pos + 1] == '/' || bytes[pos + 1] == '?')) {
            const size_t end = bytes.find('>', pos);
            if (end == std::string_view::npos) return std::nullopt;
            pos = end + 1;
        } else {
            ++pos;
        }
    }
    return std::nullopt;
}

constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendWindows1252(std::string_view bytes, std::wstring& out) {
    for (char c : bytes) {
        const uint8_t b = uint8_t(c);
        out += wchar_t(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : b);
    }
}

void AppendUtf16(std::string_view bytes, bool bigEndian, std::wstring& out) {
    const auto unitAt = [&](size_t i) -> char32_t {
        const uint8_t a = uint8_t(bytes[i]);
        const uint8_t b = uint8_t(bytes[i + 1]);
        return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
    };
    size_t i = 0;
    while (i + 1 < bytes.size()) {
        const char32_t unit = unitAt(i);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
            const char32_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        AppendCodePoint(out, unit);  // a lone surrogate becomes U+FFFD
    }
    if (i < bytes.size()) out += wchar_t(kReplacementChar);
}

// The code point of a four-byte GB18030 pointer, or 0 when it maps to nothing.
char32_t FourByteCodePoint(uint32_t pointer) {
    if (pointer >= 189000 && pointer <= 1237575) return 0x10000 + (pointer - 189000);
    if (pointer >= 39420) return 0;
    const Gb18030Range* begin = kGb18030Ranges;
    const Gb18030Range* end = kGb18030Ranges + kGb18030RangeCount;
    const Gb18030Range* range =
        std::upper_bound(begin, end, pointer, [](uint32_t p, const Gb18030Range& r) { return p < r.pointer; });
    if (range == begin) return 0;
    --range;
    if (range->codePoint == 0) return 0;
    return range->codePoint + (pointer - range->pointer);
}

}  // namespace

std::optional<Charset> CharsetFromLabel(std::string_view label) {
    while (!label.empty() && IsSpaceByte(label.front())) label.remove_prefix(1);
    while (!label.empty() && IsSpaceByte(label.back())) label.remove_suffix(1);
    const std::string name = LowerAscii(label);
    static constexpr std::string_view kGb[] = {"gb2312", "gbk", "gb18030", "x-gbk", "chinese", "csgb2312", "csiso58gb231280",
                                               "gb_2312", "gb_2312-80", "iso-ir-58", "cp936", "windows-936", "ms936", "euc-cn"};
    static constexpr std::string_view kUtf8[] = {"utf-8", "utf8", "unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8",
                                                 "x-unicode20utf8"};
    static constexpr std::string_view kUtf16Le[] = {"utf-16", "utf-16le", "unicode", "ucs-2", "csunicode",
                                                    "iso-10646-ucs-2", "unicodefeff"};
    static constexpr std::string_view kUtf16Be[] = {"utf-16be", "unicodefffe"};
    static constexpr std::string_view kLatin[] = {"windows-1252", "iso-8859-1", "iso8859-1", "iso88591", "iso_8859-1",
                                                  "iso_8859-1:1987", "latin1", "l1", "cp1252", "x-cp1252", "cp819",
                                                  "ibm819", "csisolatin1", "iso-ir-100", "us-ascii", "ascii",
                                                  "ansi_x3.4-1968"};
    const auto in = [&](const auto& list) { return std::find(std::begin(list), std::end(list), name) != std::end(list); };
    if (in(kGb)) return Charset::Gb18030;
    if (in(kUtf8)) return Charset::Utf8;
    if (in(kUtf16Le)) return Charset::Utf16Le;
    if (in(kUtf16Be)) return Charset::Utf16Be;
    if (in(kLatin)) return Charset::Windows1252;
    return std::nullopt;
}

namespace {

// Valid UTF-8 with at least one multi-byte sequence: GBK text almost never is (its trail bytes
// are mostly not continuation bytes), and a plain ASCII page reads the same either way. A
// sequence cut by the end of the file (a page read only up to its size limit) does not count.
bool LooksLikeUtf8(std::string_view bytes) {
    const size_t invalid = FirstInvalidUtf8(bytes);
    if (invalid != std::string_view::npos) {
        const auto byte = [&](size_t i) { return uint8_t(bytes[i]); };
        const size_t need = byte(invalid) >= 0xF0 ? 4 : byte(invalid) >= 0xE0 ? 3 : byte(invalid) >= 0xC2 ? 2 : 0;
        if (need == 0 || invalid + need <= bytes.size()) return false;
        for (size_t i = invalid + 1; i < bytes.size(); ++i)
            if ((byte(i) & 0xC0) != 0x80) return false;
    }
    const size_t end = std::min(invalid, bytes.size());
    return std::any_of(bytes.begin(), bytes.begin() + std::ptrdiff_t(end), [](char c) { return uint8_t(c) >= 0x80; });
}

}  // namespace

Charset SniffCharset(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return Charset::Utf8;
    if (bytes.substr(0, 2) == "\xFF\xFE") return Charset::Utf16Le;
    if (bytes.substr(0, 2) == "\xFE\xFF") return Charset::Utf16Be;
    if (auto declared = Prescan(bytes)) return *declared;
    return LooksLikeUtf8(bytes) ? Charset::Utf8 : Charset::Gb18030;
}

void AppendGb18030(std::string_view bytes, std::wstring& out) {
    const auto at = [&](size_t i) { return uint8_t(bytes[i]); };
    size_t i = 0;
    while (i < bytes.size()) {
        const uint8_t lead = at(i);
        if (lead < 0x80) {
            out += wchar_t(lead);
            ++i;
            continue;
        }
        if (lead == 0x80) {  // the euro sign of code page 936
            out += wchar_t(0x20AC);
            ++i;
            continue;
        }
        if (lead == 0xFF || i + 1 >= bytes.size()) {
            out += wchar_t(kReplacementChar);
            ++i;
            continue;
        }
        const uint8_t second = at(i + 1);
        if (second >= 0x30 && second <= 0x39) {
            if (i + 3 < bytes.size() && at(i + 2) >= 0x81 && at(i + 2) <= 0xFE && at(i + 3) >= 0x30 && at(i + 3) <= 0x39) {
                const uint32_t pointer = ((uint32_t(lead - 0x81) * 10 + (second - 0x30)) * 126 + (at(i + 2) - 0x81)) * 10 +
                                         (at(i + 3) - 0x30);
                const char32_t cp = FourByteCodePoint(pointer);
                AppendCodePoint(out, cp ? cp : kReplacementChar);
                i += 4;
            } else {
                // A broken four-byte sequence: the lead is lost, the rest is read again.
                out += wchar_t(kReplacementChar);
                ++i;
            }
            continue;
        }
        if ((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE)) {
            const size_t index = size_t(lead - 0x81) * 190 + (second - (second < 0x7F ? 0x40 : 0x41));
            const char16_t cp = kGb18030TwoByte[index];
            out += wchar_t(cp ? cp : kReplacementChar);
            i += 2;
            continue;
        }
        // Not a trail byte: an ASCII byte is read again on its own, anything else goes with the lead.
        out += wchar_t(kReplacementChar);
        i += second < 0x80 ? 1 : 2;
    }
}

std::wstring DecodeText(std::string_view bytes, Charset charset) {
    std::wstring out;
    out.reserve(bytes.size());
    switch (charset) {
        case Charset::Utf8:
            if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
            return Utf8ToWide(bytes);
        case Charset::Utf16Le:
            if (bytes.substr(0, 2) == "\xFF\xFE") bytes.remove_prefix(2);
            AppendUtf16(bytes, false, out);
            break;
        case Charset::Utf16Be:
            if (bytes.substr(0, 2) == "\xFE\xFF") bytes.remove_prefix(2);
            AppendUtf16(bytes, true, out);
            break;
        case Charset::Windows1252:
            AppendWindows1252(bytes, out);
            break;
        case Charset::Gb18030:
            AppendGb18030(bytes, out);
            break;
    }
    return out;
}

}  // namespace html
