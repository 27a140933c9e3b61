#pragma once
// The GB18030 decoding tables, generated at build time (gb18030_table_gen).
#include <cstddef>
#include <cstdint>

namespace html {

// Two-byte codes, lead 0x81..0xFE by trail 0x40..0x7E, 0x80..0xFE (190 per lead): the BMP code
// point, 0 where the code is unmapped.
constexpr size_t kGb18030TwoByteCount = 126 * 190;
extern const uint16_t kGb18030TwoByte[kGb18030TwoByteCount];

// Four-byte codes of the BMP as ranges sorted by pointer (0 = 0x81308130): pointers from one
// range's start up to the next range's start map to consecutive code points from codePoint;
// codePoint 0 marks an unmapped range.
struct Gb18030Range {
    uint32_t pointer;
    uint32_t codePoint;
};
extern const Gb18030Range kGb18030Ranges[];
extern const size_t kGb18030RangeCount;

}  // namespace html
