#pragma once
// The text of a school's CSV file, in whichever encoding the spreadsheet saved it: UTF-8
// with or without a byte-order mark ("CSV UTF-8"), GBK/GB18030 (plain "CSV" on a Chinese
// Windows) or UTF-16 with a byte-order mark ("Unicode text", which is tab-separated).
#include <stdexcept>
#include <string>
#include <string_view>

enum class TextEncoding { kUtf8, kGb18030, kUtf16 };

struct DecodedText {
    std::string utf8;  // without the byte-order mark
    TextEncoding encoding = TextEncoding::kUtf8;
};

// Decides the encoding from the bytes alone: a byte-order mark names UTF-8 or UTF-16; without
// one, text that is valid UTF-8 is UTF-8, and otherwise text that is valid GB18030 is GBK.
// Throws EncodingError, one message naming the problem and its line, for anything else.
DecodedText DecodeCsvText(std::string_view bytes);

class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The encoding's name as a school's staff know it from the spreadsheet's save dialog.
const char* EncodingName(TextEncoding encoding);
