#pragma once
// The one place where text changes encoding: UTF-8 (SQLite, files, portable code) and the
// wide strings of the Windows API (UTF-16 where wchar_t has 16 bits, UTF-32 elsewhere).
// Invalid input never throws: bad sequences become U+FFFD.
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
