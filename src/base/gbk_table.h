#pragma once
// The GB18030 code tables read by the decoder in gbk.cpp (the data lives in gbk_table.cpp).
#include <cstddef>
#include <cstdint>

inline constexpr size_t kGbkLeadCount = 126;   // lead bytes 0x81..0xFE
inline constexpr size_t kGbkTrailCount = 190;  // trail bytes 0x40..0x7E, 0x80..0xFE

struct GbkWideCode {
    uint16_t code;  // lead byte * 256 + trail byte
    uint32_t codePoint;
};

struct GbkFourByteRun {
    uint16_t first, last;  // linear indices of the run's first and last code
    uint16_t codePoint;    // code point of `first`; the run counts up from it
};

inline constexpr size_t kGbkWideTwoByteCount = 6;
inline constexpr size_t kGbkFourByteRunCount = 210;

extern const uint16_t kGbkTwoByte[kGbkLeadCount * kGbkTrailCount];
extern const GbkWideCode kGbkWideTwoByte[kGbkWideTwoByteCount];
extern const GbkFourByteRun kGbkFourByteRuns[kGbkFourByteRunCount];
