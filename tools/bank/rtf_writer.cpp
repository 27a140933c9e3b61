#include "rtf_writer.h"

#include <iconv.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "base/utf.h"

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// Converts one code point to GBK; empty when GBK has no such character.
std::string ToGbk(iconv_t cd, const std::string& utf8Char) {
    char in[8];
    char out[8];
    utf8Char.copy(in, sizeof in);
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = utf8Char.size();
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1)) return {};
    return std::string(out, sizeof out - outLeft);
}

// Headings are short lines such as "第一章 总则" or "一、适用范围".
bool IsHeading(const std::string& paragraph) {
    const std::wstring w = Utf8ToWide(paragraph);
    if (w.size() > 24) return false;
    if (w.rfind(L"第", 0) == 0 && w.find(L"章") != std::wstring::npos) return true;
    const std::wstring numerals = L"一二三四五六七八九十";
    size_t n = 0;
    while (n < w.size() && numerals.find(w[n]) != std::wstring::npos) ++n;
    return n > 0 && n < w.size() && w[n] == L'、';
}

}  // namespace

std::string RtfEscape(const std::string& utf8) {
    std::unique_ptr<void, IconvCloser> cd(iconv_open("GBK", "UTF-8"));
    if (cd.get() == reinterpret_cast<void*>(-1)) throw std::runtime_error("iconv has no GBK conversion");
    std::string out;
    const std::wstring wide = Utf8ToWide(utf8);
    for (wchar_t wc : wide) {
        if (wc < 0x80) {
            if (wc == L'\\' || wc == L'{' || wc == L'}') out += '\\';
            out += static_cast<char>(wc);
            continue;
        }
        const std::string gbk = ToGbk(static_cast<iconv_t>(cd.get()), WideToUtf8(std::wstring(1, wc)));
        if (gbk.empty()) {
            out += "\\u" + std::to_string(static_cast<int>(static_cast<int16_t>(wc))) + "?";
            continue;
        }
        for (unsigned char byte : gbk) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", byte);
            out += hex;
        }
    }
    return out;
}

std::string LawToRtf(const LawText& law) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 " + RtfEscape("宋体") +
                      ";}}\r\n\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs21 ";
    for (size_t i = 0; i < law.paragraphs.size(); ++i) {
        const std::string& p = law.paragraphs[i];
        const bool bold = i == 0 || IsHeading(p);
        if (i == 0) rtf += "\\qc\\fs28 ";
        if (bold) rtf += "\\b ";
        rtf += RtfEscape(p);
        if (bold) rtf += "\\b0";
        if (i == 0) rtf += "\\fs21\\par\\pard\\lang2052\\f0\\fs21";
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}
