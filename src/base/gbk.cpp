#include "base/gbk.h"

#include <algorithm>
#include <cstdint>

#include "base/gbk_table.h"
#include "base/utf.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kInvalid = 0xFFFFFFFF;

char32_t TwoByte(unsigned lead, unsigned trail) {
    const size_t column = trail < 0x7F ? trail - 0x40 : trail - 0x41;
    const uint16_t cp = kGbkTwoByte[(lead - 0x81) * kGbkTrailCount + column];
    if (cp != 0) return cp;
    const uint16_t code = uint16_t(lead << 8 | trail);
    for (const GbkWideCode& wide : kGbkWideTwoByte) {
        if (wide.code == code) return wide.codePoint;
    }
    return kInvalid;
}

// Four-byte codes count up in one linear sequence; those led by 0x81..0x84 cover the rest
// of the Basic Multilingual Plane through a table of runs, those led by 0x90..0xE3 the
// supplementary planes in order from U+10000.
char32_t FourByte(const unsigned char* b) {
    if (b[2] < 0x81 || b[2] > 0xFE || b[3] < 0x30 || b[3] > 0x39) return kInvalid;
    const uint32_t index =
        uint32_t(b[0] - 0x81) * 12600 + uint32_t(b[1] - 0x30) * 1260 + uint32_t(b[2] - 0x81) * 10 + uint32_t(b[3] - 0x30);
    if (b[0] <= 0x84) {
        const GbkFourByteRun* end = kGbkFourByteRuns + kGbkFourByteRunCount;
        const GbkFourByteRun* run = std::upper_bound(kGbkFourByteRuns, end, index,
                                                     [](uint32_t i, const GbkFourByteRun& r) { return i < r.first; });
        if (run == kGbkFourByteRuns) return kInvalid;
        --run;
        return index <= run->last ? char32_t(run->codePoint + (index - run->first)) : kInvalid;
    }
    if (b[0] >= 0x90 && b[0] <= 0xE3) {
        const char32_t cp = 0x10000 + (index - (0x90 - 0x81) * 12600);
        return cp <= 0x10FFFF ? cp : kInvalid;
    }
    return kInvalid;
}

}  // namespace

std::string Gb18030ToUtf8(std::string_view bytes, size_t* firstBad) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    if (firstBad) *firstBad = std::string_view::npos;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned lead = b[i];
        char32_t cp = kInvalid;
        size_t length = 1;
        if (lead < 0x80) {
            cp = lead;
        } else if (lead == 0x80) {
            cp = 0x20AC;
        } else if (lead < 0xFF && i + 1 < n) {
            const unsigned second = b[i + 1];
            if ((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE)) {
                cp = TwoByte(lead, second);
                length = 2;
            } else if (second >= 0x30 && second <= 0x39 && i + 3 < n) {
                cp = FourByte(b + i);
                length = 4;
            }
        }
        if (cp == kInvalid) {
            // Only the lead byte is dropped: what follows it may be plain text again.
            if (firstBad && *firstBad == std::string_view::npos) *firstBad = i;
            cp = kReplacement;
            length = 1;
        }
        AppendUtf8(out, cp);
        i += length;
    }
    return out;
}
