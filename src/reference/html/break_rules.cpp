#include "reference/html/break_rules.h"

#include <algorithm>
#include <iterator>

namespace html {

namespace {

// Characters that never start a line.
constexpr char32_t kNoBreakBefore[] = {
    U'!', U'%', U')', U',', U'.', U':', U';', U'?', U']', U'}', U'¢', U'°', U'·', U'’', U'”', U'‥', U'…', U'‰', U'′',
    U'″', U'℃', U'、', U'。', U'〃', U'々', U'〉', U'》', U'」', U'』', U'】', U'〕', U'〗', U'〙', U'〛', U'〞', U'ぁ',
    U'ぃ', U'ぅ', U'ぇ', U'ぉ', U'っ', U'ゃ', U'ゅ', U'ょ', U'ゎ', U'ゝ', U'ゞ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ッ',
    U'ャ', U'ュ', U'ョ', U'ヮ', U'ヵ', U'ヶ', U'・', U'ー', U'ヽ', U'ヾ', U'！', U'％', U'）', U'，', U'．', U'：',
    U'；', U'？', U'］', U'｝', U'～', U'｡', U'｣', U'､'};

// Characters that never end a line.
constexpr char32_t kNoBreakAfter[] = {U'$', U'(', U'[', U'{', U'£', U'¥', U'‘', U'“', U'〈', U'《', U'「', U'『', U'【',
                                      U'〔', U'〖', U'〘', U'〚', U'〝', U'＄', U'（', U'［', U'｛', U'｢', U'￡', U'￥'};

bool In(const char32_t* begin, const char32_t* end, char32_t c) { return std::binary_search(begin, end, c); }

bool IsAsciiAlnum(char32_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

bool IsCjk(char32_t c) {
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

bool MayBreakBetween(char32_t before, char32_t after) {
    if (In(std::begin(kNoBreakBefore), std::end(kNoBreakBefore), after)) return false;
    if (In(std::begin(kNoBreakAfter), std::end(kNoBreakAfter), before)) return false;
    if (IsCjk(before) || IsCjk(after)) return true;
    // "10-20", "on-line": after a hyphen between letters or digits.
    return before == '-' && IsAsciiAlnum(after);
}

}  // namespace html
