// The LZHUF encoder: greedy LZSS matching over hash chains, the matches and literals coded
// through the same adaptive Huffman tree the decoder keeps.
//
// The text is seen as the decoder's window would hold it: N - F spaces (the decoder's initial
// window contents) followed by the input, so that matches may reach back into the spaces.
// The chain walk is bounded, which keeps long runs of equal bytes (frequent in bitmaps) from
// turning the search quadratic; the matches found may be a little shorter than the longest.
#include <algorithm>
#include <memory>

#include "skin/lzh.h"
#include "skin/lzh_tree.h"

namespace {

constexpr int N = kLzhWindow;
constexpr int F = kLzhMaxMatch;
constexpr int kMinMatch = kLzhThreshold + 1;
// The farthest a match may reach back. The decoder could take N, but nothing is gained.
constexpr size_t kMaxDistance = N - 1;
constexpr int kMaxChain = 256;
constexpr int kHashBits = 15;

class BitWriter {
public:
    // Appends the low `length` bits of `code` (length 0 to 32), most significant first.
    void Put(int length, uint32_t code) {
        if (length <= 0) return;
        buffer = (buffer << length) | (uint64_t(code) & ((uint64_t(1) << length) - 1));
        pending += length;
        while (pending >= 8) {
            pending -= 8;
            bytes.push_back(uint8_t(buffer >> pending));
        }
    }
    // Pads the last byte with zero bits.
    std::vector<uint8_t> Finish() {
        if (pending) bytes.push_back(uint8_t(buffer << (8 - pending)));
        pending = 0;
        return std::move(bytes);
    }

private:
    std::vector<uint8_t> bytes;
    uint64_t buffer = 0;  // the low `pending` bits are not written yet
    int pending = 0;
};

class Encoder {
public:
    explicit Encoder(std::span<const uint8_t> input) {
        text.assign(size_t(N - F), ' ');
        text.insert(text.end(), input.begin(), input.end());
        head.assign(size_t(1) << kHashBits, -1);
        prev.assign(size_t(N), -1);
        tree.Start();
    }

    std::vector<uint8_t> Run() {
        size_t pos = size_t(N - F);
        for (size_t i = 0; i < pos; ++i) Insert(i);
        while (pos < text.size()) {
            size_t distance = 0;
            const int length = LongestMatch(pos, distance);
            if (length >= kMinMatch) {
                EncodeChar(255 - kLzhThreshold + length);
                EncodePosition(int(distance - 1));
                for (int k = 0; k < length; ++k) Insert(pos + size_t(k));
                pos += size_t(length);
            } else {
                EncodeChar(text[pos]);
                Insert(pos);
                ++pos;
            }
        }
        return out.Finish();
    }

private:
    uint32_t Hash(size_t i) const {
        return ((uint32_t(text[i]) << 10) ^ (uint32_t(text[i + 1]) << 5) ^ text[i + 2]) & ((1u << kHashBits) - 1);
    }

    void Insert(size_t i) {
        if (i + 2 >= text.size()) return;
        const uint32_t h = Hash(i);
        prev[i & (N - 1)] = head[h];
        head[h] = int64_t(i);
    }

    // The longest match for the text at pos (the nearest among equals) and its distance.
    int LongestMatch(size_t pos, size_t& distance) const {
        const int limit = int(std::min<size_t>(F, text.size() - pos));
        if (limit < kMinMatch) return 0;
        int best = 0;
        int64_t candidate = head[Hash(pos)];
        for (int chain = 0; chain < kMaxChain && candidate >= 0; ++chain) {
            const size_t c = size_t(candidate);
            const size_t d = pos - c;
            if (d > kMaxDistance) break;  // also guards against links overwritten in prev
            int n = 0;
            while (n < limit && text[c + size_t(n)] == text[pos + size_t(n)]) ++n;
            if (n > best) {
                best = n;
                distance = d;
                if (n == limit) break;
            }
            const int64_t next = prev[c & (N - 1)];
            if (next >= candidate) break;
            candidate = next;
        }
        return best;
    }

    // The code of a symbol is the path from the root to its leaf: walk up from the leaf,
    // collecting one bit per level (an odd node is the right child), then send it root first.
    // The path can be longer than 32 bits, so it is sent in pieces.
    void EncodeChar(int c) {
        uint8_t path[LzhTree::T];
        int depth = 0;
        int k = tree.prnt[c + LzhTree::T];
        do {
            path[depth++] = uint8_t(k & 1);
            k = tree.prnt[k];
        } while (k != LzhTree::R);
        while (depth > 0) {
            const int piece = std::min(depth, 32);
            uint32_t code = 0;
            for (int i = 0; i < piece; ++i) code = (code << 1) | path[--depth];
            out.Put(piece, code);
        }
        tree.Update(c);
    }

    void EncodePosition(int c) {
        const int high = c >> 6;
        const int length = kLzhPositionCodes.encodeLength[high];
        out.Put(length, uint32_t(kLzhPositionCodes.encodeCode[high]) >> (8 - length));
        out.Put(6, uint32_t(c & 0x3F));
    }

    std::vector<uint8_t> text;
    std::vector<int64_t> head;
    std::vector<int64_t> prev;
    LzhTree tree;
    BitWriter out;
};

}  // namespace

std::vector<uint8_t> TLZH::Encode(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return {};
    return std::make_unique<Encoder>(bytes)->Run();
}
