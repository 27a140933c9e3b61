#include "skin/lzh.h"

#include <memory>
#include <new>

#include "skin/lzh_tree.h"

namespace {

// The Huffman tables of a decode, allocated when it starts and released when it ends,
// whichever way it ends. (The window is the output itself; see Decode.)
struct DecoderTables {
    LzhTree tree;
};

// Reads bits most significant first. The classic reader keeps 16 bits and fetches a byte
// whenever 8 or fewer are left; this one keeps up to 64, which yields the same bits, and
// reports the input position the classic reader would have reached.
class BitReader {
public:
    BitReader(const uint8_t* begin, const uint8_t* stop) : next(begin), end(stop) {}

    unsigned Bit() {
        if (count == 0) Refill();
        const unsigned bit = unsigned(buffer >> 63);
        buffer <<= 1;
        --count;
        return bit;
    }
    unsigned Byte() {
        if (count < 8) Refill();
        const unsigned byte = unsigned(buffer >> 56);
        buffer <<= 8;
        count -= 8;
        return byte;
    }

    // The next n bits (1 to 24) as a number.
    unsigned Bits(int n) {
        if (count < n) Refill();
        const unsigned value = unsigned(buffer >> (64 - n));
        buffer <<= n;
        count -= n;
        return value;
    }

    // Input bytes the classic reader has taken after consuming the same bits: before each read
    // it holds at least 9 bits, and the last read of a stream is always a single bit.
    size_t ClassicBytesTaken() const {
        const uint64_t consumed = loaded * 8 - uint64_t(count);
        return consumed == 0 ? 0 : size_t(1 + (consumed + 7) / 8);
    }

private:
    void Refill() {
        while (count <= 56) {
            const uint64_t byte = next < end ? *next++ : 0;  // missing input counts as 0
            buffer |= byte << (56 - count);
            count += 8;
            ++loaded;
        }
    }

    const uint8_t* next;
    const uint8_t* end;
    uint64_t buffer = 0;
    int count = 0;       // valid bits at the top of buffer
    uint64_t loaded = 0; // bytes moved into buffer, the zero bytes past the end included
};

}  // namespace

namespace {

constexpr size_t kSpaces = kLzhWindow - kLzhMaxMatch;  // the window's initial spaces
// Room after the size: the last match may run F - 1 bytes past it, and a block copy writes
// up to 15 bytes past its match.
constexpr size_t kSlack = kLzhMaxMatch + 16;

// Decodes into out (size + kSlack bytes) and returns the number of bytes produced.
//
// The classic decoder keeps a ring of N bytes, starting with N - F spaces and writing from
// N - F on; a match copies from the ring position `distance` back. Output byte j is ring
// position N - F + j, and a distance never exceeds N, so the byte a match copies is output
// byte (j - distance) when that is not negative, and otherwise the ring's initial contents
// there: a space, or a zero for the F positions after the spaces. The output is the ring.
size_t DecodeInto(LzhTree& tree, BitReader& bits, uint8_t* out, size_t size) {
    size_t produced = 0;
    while (produced < size) {
        unsigned c = tree.son[kLzhRoot];
        while (c < unsigned(kLzhTreeSize)) c = tree.son[c + bits.Bit()];
        c -= kLzhTreeSize;
        tree.Update(int(c));
        if (c < 256) {
            out[produced++] = uint8_t(c);
            continue;
        }
        // The upper 6 bits of the position from the prefix code in the next 8 bits, then the
        // rest of the lower 6 bits.
        unsigned i = bits.Byte();
        const unsigned high = unsigned(kLzhPositionCodes.decodeCode[i]) << 6;
        const int extra = kLzhPositionCodes.decodeLength[i] - 2;
        i = (i << extra) | bits.Bits(extra);
        const size_t distance = (high | (i & 0x3F)) + 1;
        const size_t length = c - 255 + kLzhThreshold;
        uint8_t* to = out + produced;
        if (distance <= produced) {
            const uint8_t* from = to - distance;
            if (distance >= 16) {
                // Blocks never overlap their source; a later block may read what an earlier
                // one wrote, which is what the byte-wise copy would have read too.
                for (size_t k = 0; k < length; k += 16) std::memcpy(to + k, from + k, 16);
            } else {
                for (size_t k = 0; k < length; ++k) to[k] = from[k];  // a repeated short pattern
            }
        } else {
            for (size_t k = 0; k < length; ++k) {
                const ptrdiff_t j = ptrdiff_t(produced + k) - ptrdiff_t(distance);
                to[k] = j >= 0 ? out[j] : j >= -ptrdiff_t(kSpaces) ? uint8_t(' ') : uint8_t(0);
            }
        }
        produced += length;
    }
    return produced;
}

}  // namespace

void TLZH::Decode(MemoryStream& input, MemoryStream& output, size_t size) {
    std::unique_ptr<DecoderTables> tables(new (std::nothrow) DecoderTables);
    if (!tables) throw ElzhException(kLzhNoMemoryMessage);
    tables->tree.Start();

    const size_t inStart = input.Position();
    const std::span<const uint8_t> in = input.Bytes().subspan(inStart);
    BitReader bits(in.data(), in.data() + in.size());

    if (output.Position() == output.Size()) {
        // Appending (the usual case): decode in place, then drop the slack.
        std::vector<uint8_t>& buffer = output.Buffer();
        const size_t start = buffer.size();
        buffer.resize(start + size + kSlack);
        const size_t produced = DecodeInto(tables->tree, bits, buffer.data() + start, size);
        buffer.resize(start + produced);
        output.Seek(start + produced);
    } else {
        // Writing over bytes that follow: the slack must not touch them.
        std::vector<uint8_t> scratch(size + kSlack);
        const size_t produced = DecodeInto(tables->tree, bits, scratch.data(), size);
        output.Write(scratch.data(), produced);
    }
    input.Seek(inStart + std::min(in.size(), bits.ClassicBytesTaken()));
}
