#include "csv_text.h"

#include <algorithm>
#include <string>

#include "base/gbk.h"
#include "base/utf.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

// Line number (from 1) of a byte offset in text whose line ends are single-byte '\n'.
int LineAt(std::string_view text, size_t offset) {
    return 1 + int(std::count(text.begin(), text.begin() + long(std::min(offset, text.size())), '\n'));
}

// Characters of more than one byte in text that is valid UTF-8.
constexpr int kUtf8Evidence = 8;
int MultiByteCharacters(std::string_view utf8) {
    return int(std::count_if(utf8.begin(), utf8.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0xC0; }));
}

[[noreturn]] void Refuse(const std::string& what) {
    throw EncodingError("文件编码有误：" + what +
                        "。请在电子表格中把文件另存为“CSV UTF-8（逗号分隔）”、“CSV（逗号分隔）”或“Unicode 文本”后再导入");
}

// UTF-16 after its byte-order mark. An odd byte count or a lone surrogate is refused.
std::string DecodeUtf16(std::string_view body, bool littleEndian) {
    std::string out;
    out.reserve(body.size() * 3 / 2);
    int line = 1;
    if (body.size() % 2 != 0) Refuse("文件以 UTF-16 的字节顺序标记开头，但字节数是奇数，文件不完整");
    const auto unit = [&](size_t i) {
        const auto lo = static_cast<unsigned char>(body[littleEndian ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(body[littleEndian ? i + 1 : i]);
        return char32_t(hi << 8 | lo);
    };
    for (size_t i = 0; i < body.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < body.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            Refuse("文件以 UTF-16 的字节顺序标记开头，但第 " + std::to_string(line) + " 行有不成对的代理项，不是有效的 UTF-16");
        }
        if (cp == '\n') ++line;
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace

const char* EncodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::kUtf8:
        return "UTF-8";
    case TextEncoding::kGb18030:
        return "GBK";
    case TextEncoding::kUtf16:
        return "UTF-16";
    }
    return "";
}

DecodedText DecodeCsvText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return {DecodeUtf16(bytes.substr(2), bytes[0] == '\xFF'), TextEncoding::kUtf16};
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        const std::string_view body = bytes.substr(3);
        const size_t bad = FirstInvalidUtf8(body);
        if (bad != kNone) {
            Refuse("文件以 UTF-8 的字节顺序标记开头，但第 " + std::to_string(LineAt(body, bad)) + " 行的字节不是有效的 UTF-8");
        }
        return {std::string(body), TextEncoding::kUtf8};
    }
    // UTF-16 without its mark is full of zero bytes, which no text in the other encodings has.
    const size_t zero = bytes.find('\0');
    if (zero != kNone) {
        Refuse("第 " + std::to_string(LineAt(bytes, zero)) +
               " 行有空字节（0x00），这不是文本文件，或者是缺少字节顺序标记的 UTF-16 文件");
    }
    const size_t badUtf8 = FirstInvalidUtf8(bytes);
    if (badUtf8 == kNone) return {std::string(bytes), TextEncoding::kUtf8};
    size_t bad = kNone;
    std::string text = Gb18030ToUtf8(bytes, &bad);
    // A UTF-8 file with one row pasted from a GBK file: the row to name is where UTF-8 stops,
    // not wherever the GBK reading of the UTF-8 rows happens to fail. Chinese text that is
    // valid UTF-8 for several characters running is never GBK by chance.
    if ((bad != kNone && badUtf8 > bad) || MultiByteCharacters(bytes.substr(0, badUtf8)) >= kUtf8Evidence) {
        Refuse("第 " + std::to_string(LineAt(bytes, badUtf8)) + " 行（第 " + std::to_string(badUtf8 + 1) +
               " 个字节）不是有效的 UTF-8，而文件在它之前都是 UTF-8；这一行多半是从 GBK 编码的文件中复制来的，请改正这一行");
    }
    if (bad != kNone) {
        Refuse("第 " + std::to_string(LineAt(bytes, bad)) + " 行（第 " + std::to_string(bad + 1) +
               " 个字节）既不是有效的 UTF-8，也不是有效的 GBK/GB18030，文件也没有 UTF-16 的字节顺序标记");
    }
    return {std::move(text), TextEncoding::kGb18030};
}
