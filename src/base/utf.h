#pragma once
// The one place where text changes encoding: UTF-8 (SQLite, files, portable code) and the
// wide strings of the Windows API (UTF-16 where wchar_t has 16 bits, UTF-32 elsewhere).
// Invalid input never throws: bad sequences become U+FFFD.
#include <cstddef>
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Appends the UTF-8 form of a code point (at most U+10FFFF; the caller keeps surrogates out).
void AppendUtf8(std::string& out, char32_t cp);
// The offset of the first byte that does not begin a valid UTF-8 sequence (a stray or
// missing continuation byte, a truncated, overlong or surrogate sequence, a value past
// U+10FFFF), or npos when all of `text` is valid.
size_t FirstInvalidUtf8(std::string_view text);
