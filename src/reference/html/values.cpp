#include "reference/html/values.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace html {

namespace {

struct NamedColour {
    std::string_view name;
    uint32_t rgb;
};

constexpr NamedColour kColours[] = {
#include "reference/html/colour_names.inc"
};

bool IsSpace(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

int HexDigit(wchar_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<uint32_t> NamedColourOf(std::wstring_view text) {
    if (text.size() > 24) return std::nullopt;
    const std::string name = LowerAsciiName(text);
    const NamedColour* it = std::lower_bound(std::begin(kColours), std::end(kColours), name,
                                             [](const NamedColour& c, const std::string& n) { return c.name < n; });
    if (it != std::end(kColours) && it->name == name) return it->rgb;
    return std::nullopt;
}

std::optional<uint32_t> HexColour(std::wstring_view digits) {
    for (wchar_t c : digits)
        if (HexDigit(c) < 0) return std::nullopt;
    if (digits.size() == 3) {
        const uint32_t r = uint32_t(HexDigit(digits[0])) * 17, g = uint32_t(HexDigit(digits[1])) * 17,
                       b = uint32_t(HexDigit(digits[2])) * 17;
        return r << 16 | g << 8 | b;
    }
    if (digits.size() == 6) {
        uint32_t v = 0;
        for (wchar_t c : digits) v = v << 4 | uint32_t(HexDigit(c));
        return v;
    }
    return std::nullopt;
}

// A number at the start of text; `length` receives the characters read.
std::optional<double> LeadingNumber(std::wstring_view text, size_t& length) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    double value = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = std::min(value * 10 + (text[i] - '0'), 1e9);
        digits = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i] - '0') * scale;
            scale /= 10;
            digits = true;
            ++i;
        }
    }
    if (!digits) return std::nullopt;
    length = i;
    return negative ? -value : value;
}

}  // namespace

std::wstring_view TrimSpaces(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::wstring_view text, std::string_view lowerAscii) {
    if (text.size() != lowerAscii.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= 'A' && c <= 'Z') c = wchar_t(c - 'A' + 'a');
        if (c != wchar_t(lowerAscii[i])) return false;
    }
    return true;
}

std::string LowerAsciiName(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c >= 'A' && c <= 'Z') c = wchar_t(c - 'A' + 'a');
        out += c > 0 && c < 0x80 ? char(c) : '?';
    }
    return out;
}

std::optional<uint32_t> ParseCssColor(std::wstring_view text) {
    text = TrimSpaces(text);
    if (text.empty()) return std::nullopt;
    if (text[0] == '#') return HexColour(text.substr(1));
    if (EqualsNoCase(text, "transparent")) return kNoColor;
    if (text.size() > 4 && EqualsNoCase(text.substr(0, 4), "rgb(") && text.back() == ')') {
        std::wstring_view args = text.substr(4, text.size() - 5);
        uint32_t rgb = 0;
        for (int component = 0; component < 3; ++component) {
            args = TrimSpaces(args);
            size_t length = 0;
            const std::optional<double> number = LeadingNumber(args, length);
            if (!number) return std::nullopt;
            double value = *number;
            args.remove_prefix(length);
            if (!args.empty() && args[0] == '%') {
                value = value * 255 / 100;
                args.remove_prefix(1);
            }
            rgb = rgb << 8 | uint32_t(std::lround(std::clamp(value, 0.0, 255.0)));
            args = TrimSpaces(args);
            if (component < 2) {
                if (args.empty() || args[0] != ',') return std::nullopt;
                args.remove_prefix(1);
            }
        }
        if (!TrimSpaces(args).empty()) return std::nullopt;
        return rgb;
    }
    if (auto named = NamedColourOf(text)) return named;
    // Old pages leave out the '#' in style sheets too, and browsers of the time forgave it.
    return HexColour(text);
}

std::optional<uint32_t> ParseLegacyColor(std::wstring_view text) {
    text = TrimSpaces(text);
    if (text.empty() || EqualsNoCase(text, "transparent")) return std::nullopt;
    if (auto named = NamedColourOf(text)) return named;
    if (text.size() == 4 && text[0] == '#') {
        if (auto short3 = HexColour(text.substr(1))) return short3;
    }
    std::wstring digits(text.substr(0, 128));
    for (wchar_t& c : digits)
        if (HexDigit(c) < 0) c = '0';
    if (!digits.empty() && text[0] == '#') digits.erase(0, 1);
    while (digits.empty() || digits.size() % 3 != 0) digits += '0';
    size_t length = digits.size() / 3;
    std::wstring parts[3] = {digits.substr(0, length), digits.substr(length, length), digits.substr(2 * length, length)};
    if (length > 8) {
        for (std::wstring& p : parts) p = p.substr(length - 8);
        length = 8;
    }
    while (length > 2 && parts[0][0] == '0' && parts[1][0] == '0' && parts[2][0] == '0') {
        for (std::wstring& p : parts) p.erase(0, 1);
        --length;
    }
    uint32_t rgb = 0;
    for (const std::wstring& p : parts) {
        uint32_t v = 0;
        for (size_t i = 0; i < std::min<size_t>(2, p.size()); ++i) v = v << 4 | uint32_t(HexDigit(p[i]));
        if (p.size() == 1) v = uint32_t(HexDigit(p[0]));
        rgb = rgb << 8 | v;
    }
    return rgb;
}

std::optional<CssLength> ParseCssLength(std::wstring_view text) {
    text = TrimSpaces(text);
    size_t length = 0;
    const std::optional<double> number = LeadingNumber(text, length);
    if (!number) return std::nullopt;
    const std::string unit = LowerAsciiName(TrimSpaces(text.substr(length)));
    CssLength out{*number, Unit::Px};
    if (unit.empty()) out.unit = Unit::Number;
    else if (unit == "px") out.unit = Unit::Px;
    else if (unit == "%") out.unit = Unit::Percent;
    else if (unit == "em") out.unit = Unit::Em;
    else if (unit == "ex") out.unit = Unit::Ex;
    else if (unit == "pt") out.value = *number * 96 / 72;
    else if (unit == "pc") out.value = *number * 16;
    else if (unit == "in") out.value = *number * 96;
    else if (unit == "cm") out.value = *number * 96 / 2.54;
    else if (unit == "mm") out.value = *number * 96 / 25.4;
    else return std::nullopt;
    return out;
}

std::optional<CssLength> ParseHtmlLength(std::wstring_view text) {
    text = TrimSpaces(text);
    double value = 0;
    size_t i = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = std::min(value * 10 + (text[i++] - '0'), 1e9);
    if (i == 0) return std::nullopt;
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i++] - '0') * scale;
            scale /= 10;
        }
    }
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i < text.size() && text[i] == '%') return CssLength{value, Unit::Percent};
    return CssLength{value, Unit::Px};
}

std::optional<int> ParseHtmlInteger(std::wstring_view text) {
    text = TrimSpaces(text);
    long long value = 0;
    size_t i = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = std::min<long long>(value * 10 + (text[i++] - '0'), 1000000000);
    if (i == 0) return std::nullopt;
    return int(value);
}

}  // namespace html
