#pragma once
// The standard conversion of a typed entry to a whole number, as the dialogs use it.
#include <string>
#include <string_view>

// An optional sign followed by decimal digits, within the 32-bit range. Anything else (a sign
// alone, letters, blanks, a value out of range) raises EConvertError with the message
// NotAnIntegerMessage(text).
int StrToInt(std::string_view text);

// "'<text>' is not a valid integer value" (text as UTF-8).
std::string NotAnIntegerMessage(std::string_view text);
