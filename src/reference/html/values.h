#pragma once
// Colours and lengths as pages write them, in attributes (bgcolor="ff0000", width="50%") and in
// style sheets (color:#f00, font-size:12pt).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace html {

// Colours are 0x00RRGGBB, the layout of the portable bitmaps.
constexpr uint32_t kNoColor = 0xFF000000;  // transparent: nothing painted

// A style-sheet colour: #rgb, #rrggbb, rgb(r, g, b) with numbers or percentages, a colour name;
// "transparent" gives kNoColor. Nothing for anything else.
std::optional<uint32_t> ParseCssColor(std::wstring_view text);

// An attribute colour, read as browsers always have: names, and any other text turned into hex
// digits by the legacy rules ("ff0000" and "#f00" and even "chucknorris" give a colour).
std::optional<uint32_t> ParseLegacyColor(std::wstring_view text);

enum class Unit : uint8_t { Px, Percent, Em, Ex, Number };

struct CssLength {
    double value = 0;
    Unit unit = Unit::Px;  // absolute units are converted to px
};

// "12px", "9pt", "1.5em", "50%", "0", "2" (a plain number keeps Unit::Number).
std::optional<CssLength> ParseCssLength(std::wstring_view text);

// An attribute length: leading digits as pixels, or a percentage ("100", "80%", "120px").
std::optional<CssLength> ParseHtmlLength(std::wstring_view text);

// A non-negative attribute integer ("3", " 2px"); nothing when no digits lead.
std::optional<int> ParseHtmlInteger(std::wstring_view text);

// ASCII helpers for names and keywords.
std::wstring_view TrimSpaces(std::wstring_view text);
bool EqualsNoCase(std::wstring_view text, std::string_view lowerAscii);
std::string LowerAsciiName(std::wstring_view text);  // non-ASCII characters become '?'

}  // namespace html
