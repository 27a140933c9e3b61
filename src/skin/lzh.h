#pragma once
// LZHUF: LZSS over a 4096-byte sliding window whose literals, match lengths and the high bits
// of match positions are coded with an adaptive Huffman tree. This is the compression of skin
// packages; the decoder reproduces the classic scheme bit for bit, the encoder writes streams
// it can read.
#include <cstdint>
#include <span>
#include <vector>

#include "base/errors.h"
#include "skin/memory_stream.h"

// Raised when the decoder's tables cannot be allocated. The tables are owned by the decode call
// and released by their destructor, which cannot fail, so the second message is never raised
// by this implementation; it is kept because callers compare against the pair.
class ElzhException : public Exception {
public:
    using Exception::Exception;
};
inline constexpr const char* kLzhNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kLzhFreeFailedMessage = "LZH : Error freeing memory for dictionary tables";

inline constexpr int kLzhWindow = 4096;   // N
inline constexpr int kLzhMaxMatch = 60;   // F
inline constexpr int kLzhThreshold = 2;   // matches of THRESHOLD bytes or fewer are sent as literals
inline constexpr int kLzhSymbols = 256 - kLzhThreshold + kLzhMaxMatch;  // 314
inline constexpr int kLzhTreeSize = kLzhSymbols * 2 - 1;                // T = 627
inline constexpr int kLzhRoot = kLzhTreeSize - 1;                       // R = 626
inline constexpr int kLzhMaxFrequency = 0x8000;

class TLZH {
public:
    // Decodes the bit stream that starts at input's position and appends to output (at its
    // position) until at least `size` bytes have been produced; the last match may run up to
    // kLzhMaxMatch - 1 bytes past it. Missing input bits read as 0, so a truncated stream still
    // yields the full length. Afterwards input's position is where the classic bit reader
    // leaves it (it reads one byte ahead). Throws ElzhException when the tables cannot be had.
    void Decode(MemoryStream& input, MemoryStream& output, size_t size);

    // Encodes bytes into a bit stream (without the 4-byte length in front) that Decode with
    // size = bytes.size() turns back into exactly these bytes.
    static std::vector<uint8_t> Encode(std::span<const uint8_t> bytes);
};
