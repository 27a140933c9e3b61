#pragma once
// GB18030 text, a superset of GBK and GB2312 and what Chinese editions of Windows write as
// "ANSI" text, read into UTF-8 through our own table, so that it decodes alike on every
// platform (no iconv on Windows, no code page 936 on the host).
#include <cstddef>
#include <string>
#include <string_view>

// Decodes GB18030 bytes to UTF-8. A sequence that is no GB18030 code becomes U+FFFD; when
// `firstBad` is given it receives the offset of the first such sequence, or npos when every
// byte belonged to a valid code. The single byte 0x80 reads as the euro sign, as in Windows'
// code page 936.
std::string Gb18030ToUtf8(std::string_view bytes, size_t* firstBad = nullptr);
