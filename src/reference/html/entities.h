#pragma once
// Character references: the named entities of HTML 4 (and &apos;) and numeric references.
#include <string>
#include <string_view>

namespace html {

// Decodes the character reference that starts just after a '&' at text[pos]. On success appends
// the character(s) to out, sets `consumed` to the number of characters read after the '&' and
// returns true. In an attribute value, a reference without ';' followed by '=' or a letter or
// digit is left as written (href="a.htm?x=1&copy=2").
// Named references without ';' are recognised only for the Latin-1 names that browsers have
// always accepted so (&nbsp &copy &amp ...).
bool DecodeCharacterReference(std::wstring_view text, size_t pos, bool inAttribute, std::wstring& out, size_t& consumed);

// Replaces every character reference in a text.
std::wstring DecodeReferences(std::wstring_view text, bool inAttribute);

// Windows-1252's character for a byte 0x80..0x9F (browsers read &#128;..&#159; this way).
char32_t Windows1252Char(unsigned byte);

}  // namespace html
