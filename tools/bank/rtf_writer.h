#pragma once
// Writes a law summary as the rich text the viewer's rich-text box shows: code page 936
// (GB2312/GBK) bytes escaped as \'hh, 宋体, the title and headings bold.
#include <string>

#include "content_reader.h"

std::string LawToRtf(const LawText& law);

// Encodes UTF-8 text as RTF body text: ASCII as is (with \, { and } escaped), Chinese as
// \'hh GBK bytes, anything GBK cannot hold as \uN?.
std::string RtfEscape(const std::string& utf8);
