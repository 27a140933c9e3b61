#include "skin/lzh.h"

#include <memory>
#include <new>

#include "skin/lzh_tree.h"

namespace {

// Everything a decode needs, allocated when it starts and released when it ends, whichever
// way it ends. The ring has the classic size of N + F - 1 bytes.
struct DecoderTables {
    LzhTree tree;
    uint8_t ring[kLzhWindow + kLzhMaxMatch - 1];
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

void TLZH::Decode(MemoryStream& input, MemoryStream& output, size_t size) {
    std::unique_ptr<DecoderTables> tables(new (std::nothrow) DecoderTables);
    if (!tables) throw ElzhException(kLzhNoMemoryMessage);
    LzhTree& tree = tables->tree;
    uint8_t* const ring = tables->ring;
    tree.Start();
    constexpr int kStart = kLzhWindow - kLzhMaxMatch;
    std::memset(ring, ' ', kStart);
    std::memset(ring + kStart, 0, sizeof(tables->ring) - kStart);

    const size_t inStart = input.Position();
    const std::span<const uint8_t> in = input.Bytes().subspan(inStart);
    BitReader bits(in.data(), in.data() + in.size());

    // Decode straight into the output buffer; it may overrun the size by one match.
    std::vector<uint8_t>& outBuffer = output.Buffer();
    const size_t outStart = output.Position();
    const size_t oldSize = outBuffer.size();
    outBuffer.resize(std::max(oldSize, outStart + size + kLzhMaxMatch));
    uint8_t* out = outBuffer.data() + outStart;
    size_t produced = 0;
    unsigned r = kStart;
    constexpr unsigned kMask = kLzhWindow - 1;

    while (produced < size) {
        unsigned c = tree.son[kLzhRoot];
        while (c < unsigned(kLzhTreeSize)) c = tree.son[c + bits.Bit()];
        c -= kLzhTreeSize;
        tree.Update(int(c));
        if (c < 256) {
            out[produced++] = uint8_t(c);
            ring[r] = uint8_t(c);
            r = (r + 1) & kMask;
            continue;
        }
        unsigned i = bits.Byte();
        const unsigned high = unsigned(kLzhPositionCodes.decodeCode[i]) << 6;
        for (int j = kLzhPositionCodes.decodeLength[i] - 2; j > 0; --j) i = (i << 1) + bits.Bit();
        const unsigned position = high | (i & 0x3F);
        unsigned from = (r - position - 1) & kMask;
        const unsigned length = c - 255 + kLzhThreshold;
        for (unsigned k = 0; k < length; ++k) {
            const uint8_t byte = ring[from];
            from = (from + 1) & kMask;
            out[produced++] = byte;
            ring[r] = byte;
            r = (r + 1) & kMask;
        }
    }

    outBuffer.resize(std::max(oldSize, outStart + produced));
    output.Seek(outStart + produced);
    input.Seek(inStart + std::min(in.size(), bits.ClassicBytesTaken()));
}
