#pragma once
// Which character set a page is written in, and turning its bytes into text.
//
// A page names its set by a byte-order mark, by <meta charset="..."> or by
// <meta http-equiv="Content-Type" content="...; charset=...">, looked for near the start of the
// file. GB2312, GBK and GB18030 decode alike (GB18030 contains the other two, and pages that say
// GB2312 routinely use GBK characters). A page that names nothing, or a set we do not know, is
// read as UTF-8 when its bytes are valid UTF-8 with some non-ASCII text (a page saved by a
// newer editor without a declaration), and as GBK otherwise: the pages a Chinese school keeps
// were mostly written that way.
#include <optional>
#include <string>
#include <string_view>

namespace html {

enum class Charset { Gb18030, Utf8, Utf16Le, Utf16Be, Windows1252 };

// The set a label names ("gb2312", " UTF-8 ", "x-gbk" ...), or nothing for an unknown label.
std::optional<Charset> CharsetFromLabel(std::string_view label);

// The set of a page's bytes: byte-order mark, then the meta declarations of the first bytes,
// then UTF-8 or GBK by the bytes themselves.
Charset SniffCharset(std::string_view bytes);

// Decodes bytes in the given set; a byte-order mark of that set is dropped. Bytes that are not
// valid in the set become U+FFFD. Never reads outside the bytes.
std::wstring DecodeText(std::string_view bytes, Charset charset);

// The GB18030 decoder on its own (also used for GBK and GB2312).
void AppendGb18030(std::string_view bytes, std::wstring& out);

}  // namespace html
