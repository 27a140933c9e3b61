#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "skin/lzh.h"

namespace {

// The classic LZHUF decoder, written the plain way (16-bit bit buffer, linear search in the
// tree update, tables from their published run lengths), kept here to prove that the fast
// decoder produces the same bytes and consumes the same input.
class ReferenceDecoder {
public:
    static constexpr int N = 4096, F = 60, THRESHOLD = 2, N_CHAR = 256 - THRESHOLD + F;
    static constexpr int T = N_CHAR * 2 - 1, R = T - 1, MAX_FREQ = 0x8000;

    ReferenceDecoder(const std::vector<uint8_t>& input, size_t start) : in(input), pos(start) {
        const int codeRuns[][2] = {{32, 1}, {16, 3}, {8, 8}, {4, 12}, {2, 24}, {1, 16}};
        const int lenRuns[][2] = {{32, 3}, {48, 4}, {64, 5}, {48, 6}, {48, 7}, {16, 8}};
        int b = 0, value = 0;
        for (const auto& run : codeRuns)
            for (int n = 0; n < run[1]; ++n, ++value)
                for (int k = 0; k < run[0]; ++k) dCode[b++] = value;
        b = 0;
        for (const auto& run : lenRuns)
            for (int k = 0; k < run[0]; ++k) dLen[b++] = run[1];
    }

    std::vector<uint8_t> Decode(size_t size) {
        StartHuff();
        std::vector<uint8_t> out;
        uint8_t text[N + F - 1] = {};
        for (int i = 0; i < N - F; ++i) text[i] = ' ';
        int r = N - F;
        while (out.size() < size) {
            int c = DecodeChar();
            if (c < 256) {
                out.push_back(uint8_t(c));
                text[r++] = uint8_t(c);
                r &= N - 1;
            } else {
                const int i = (r - DecodePosition() - 1) & (N - 1);
                const int j = c - 255 + THRESHOLD;
                for (int k = 0; k < j; ++k) {
                    c = text[(i + k) & (N - 1)];
                    out.push_back(uint8_t(c));
                    text[r++] = uint8_t(c);
                    r &= N - 1;
                }
            }
        }
        return out;
    }
    size_t Position() const { return pos; }

private:
    int GetByteFromInput() {
        if (pos < in.size()) return in[pos++];
        return 0;
    }
    int GetBit() {
        while (getlen <= 8) {
            getbuf |= unsigned(GetByteFromInput()) << (8 - getlen);
            getlen += 8;
        }
        const unsigned i = getbuf;
        getbuf = (getbuf << 1) & 0xFFFF;
        --getlen;
        return (i & 0x8000) ? 1 : 0;
    }
    int GetByte() {
        while (getlen <= 8) {
            getbuf |= unsigned(GetByteFromInput()) << (8 - getlen);
            getlen += 8;
        }
        const unsigned i = getbuf;
        getbuf = (getbuf << 8) & 0xFFFF;
        getlen -= 8;
        return int(i >> 8);
    }
    void StartHuff() {
        for (int i = 0; i < N_CHAR; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        int i = 0, j = N_CHAR;
        while (j <= R) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
            i += 2;
            ++j;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }
    void Reconst() {
        int j = 0;
        for (int i = 0; i < T; ++i)
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
            const unsigned f = freq[jj] = freq[i] + freq[i + 1];
            int k = jj - 1;
            while (f < freq[k]) --k;
            ++k;
            for (int m = jj; m > k; --m) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = f;
            son[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            if (k >= T) prnt[k] = i; else prnt[k] = prnt[k + 1] = i;
        }
    }
    void Update(int c) {
        if (freq[R] == MAX_FREQ) {
            Reconst();
            ++reconstructions;
        }
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {}
                --l;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }
    int DecodeChar() {
        int c = son[R];
        while (c < T) {
            c += GetBit();
            c = son[c];
        }
        c -= T;
        Update(c);
        return c;
    }
    int DecodePosition() {
        int i = GetByte();
        const int c = dCode[i] << 6;
        int j = dLen[i] - 2;
        while (j--) i = (i << 1) + GetBit();
        return c | (i & 0x3F);
    }

    const std::vector<uint8_t>& in;
    size_t pos;
    unsigned getbuf = 0;
    int getlen = 0;
    unsigned freq[T + 1] = {};
    int prnt[T + N_CHAR] = {};
    int son[T] = {};
    int dCode[256] = {};
    int dLen[256] = {};

public:
    int reconstructions = 0;
};

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// Text with the repetitions of a real description: many similar lines.
std::vector<uint8_t> SampleText(size_t size) {
    std::string text;
    std::mt19937 random(7);
    const char* words[] = {"LeftWidth", "TopHeight", "Image", "=", "buttons.bmp", "第", "题", "Trans", "\r\n",
                           "[Personality]", " ", "59 97 131", "FrameCount"};
    while (text.size() < size) text += words[random() % std::size(words)];
    text.resize(size);
    return Bytes(text);
}

std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> out(size);
    for (uint8_t& b : out) b = uint8_t(random());
    return out;
}

// Structured binary data: runs, gradients and a repeating record, like pixel rows.
std::vector<uint8_t> SampleBinary(size_t size) {
    std::vector<uint8_t> out;
    uint32_t x = 1;
    while (out.size() < size) {
        for (int i = 0; i < 90 && out.size() < size; ++i) out.push_back(uint8_t(i * 3));
        for (int i = 0; i < 40 && out.size() < size; ++i) out.push_back(0xFF);
        x = x * 1103515245u + 12345u;
        out.push_back(uint8_t(x >> 16));
    }
    return out;
}

std::vector<uint8_t> DecodeAll(const std::vector<uint8_t>& stream, size_t size, size_t* consumed = nullptr) {
    MemoryStream in(stream);
    MemoryStream out;
    TLZH().Decode(in, out, size);
    if (consumed) *consumed = in.Position();
    return out.Buffer();
}

}  // namespace

TEST(Lzh, RoundTripsEveryKindOfInput) {
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
    };
    const Case cases[] = {
        {"one byte", {0x42}},
        {"spaces only (matches the initial window)", std::vector<uint8_t>(500, ' ')},
        {"text", SampleText(100000)},
        {"binary", SampleBinary(150000)},
        {"incompressible", RandomBytes(70000, 11)},
        {"every length and distance", [] {
             std::vector<uint8_t> v = RandomBytes(5000, 3);
             for (int d = 1; d < 4096; d += 37)
                 for (int len = 3; len <= 60; len += 19)
                     for (int k = 0; k < len; ++k) v.push_back(v[v.size() - size_t(d)]);
             return v;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> stream = TLZH::Encode(c.data);
        size_t consumed = 0;
        EXPECT_EQ(DecodeAll(stream, c.data.size(), &consumed), c.data);
        EXPECT_EQ(consumed, stream.size());  // the read-ahead byte is past the end
    }
    EXPECT_LT(TLZH::Encode(SampleText(100000)).size(), 100000u / 3);
}

TEST(Lzh, LongInputsSurviveHuffmanReconstruction) {
    // Literals of random bytes drive the root frequency to 0x8000 many times.
    const std::vector<uint8_t> data = RandomBytes(300000, 5);
    const std::vector<uint8_t> stream = TLZH::Encode(data);
    ReferenceDecoder reference(stream, 0);
    EXPECT_EQ(reference.Decode(data.size()), data);
    EXPECT_GE(reference.reconstructions, 5);
    EXPECT_EQ(DecodeAll(stream, data.size()), data);
}

TEST(Lzh, EmptyInputGivesEmptyStreamAndDecodesToNothing) {
    EXPECT_TRUE(TLZH::Encode({}).empty());
    MemoryStream in(Bytes("xyz"));
    in.Seek(1);
    MemoryStream out;
    TLZH().Decode(in, out, 0);
    EXPECT_EQ(out.Size(), 0u);
    EXPECT_EQ(in.Position(), 1u);
}

TEST(Lzh, FastDecoderMatchesTheClassicOneBitForBit) {
    // Arbitrary bytes are a valid stream of some symbols: they drive the tree through shapes
    // no encoder would produce, including long equal-frequency runs and reconstructions.
    std::vector<std::vector<uint8_t>> streams;
    for (uint32_t seed = 1; seed <= 6; ++seed) streams.push_back(RandomBytes(20000 * seed, seed));
    streams.push_back(std::vector<uint8_t>(30000, 0x00));
    streams.push_back(std::vector<uint8_t>(30000, 0xFF));
    streams.push_back(TLZH::Encode(SampleText(200000)));
    for (size_t i = 0; i < streams.size(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<uint8_t>& s = streams[i];
        const size_t size = s.size() * 3 + 17;
        ReferenceDecoder reference(s, 0);
        const std::vector<uint8_t> expected = reference.Decode(size);
        size_t consumed = 0;
        const std::vector<uint8_t> actual = DecodeAll(s, size, &consumed);
        ASSERT_EQ(actual.size(), expected.size());
        EXPECT_TRUE(actual == expected);
        EXPECT_EQ(consumed, reference.Position());
    }
}

TEST(Lzh, DecodeStartsAtTheInputPositionAndWritesAtTheOutputPosition) {
    const std::vector<uint8_t> data = SampleText(5000);
    std::vector<uint8_t> package = {9, 9, 9, 9};
    const std::vector<uint8_t> stream = TLZH::Encode(data);
    package.insert(package.end(), stream.begin(), stream.end());
    package.push_back(0xAA);  // a byte after the stream: the classic reader takes it as read-ahead
    package.push_back(0xBB);
    MemoryStream in(package);
    in.Seek(4);
    MemoryStream out(Bytes("head"));
    out.Seek(4);
    TLZH().Decode(in, out, data.size());
    std::vector<uint8_t> expected = Bytes("head");
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(out.Buffer(), expected);
    EXPECT_EQ(out.Position(), expected.size());
    EXPECT_EQ(in.Position(), 4 + stream.size() + 1);
}

TEST(Lzh, DecodingOverExistingBytesLeavesTheRestAlone) {
    // Long matches are copied in blocks that may run past the match; over bytes that follow
    // the output position nothing beyond the decoded bytes may change.
    const std::vector<uint8_t> data = SampleText(3000);
    const std::vector<uint8_t> stream = TLZH::Encode(data);
    std::vector<uint8_t> existing(4000, 0xEE);
    MemoryStream out(existing);
    out.Seek(100);
    MemoryStream in(stream);
    TLZH().Decode(in, out, data.size());
    ASSERT_EQ(out.Size(), 4000u);
    EXPECT_EQ(out.Position(), 100 + data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), out.Buffer().begin() + 100));
    EXPECT_EQ(std::count(out.Buffer().begin(), out.Buffer().begin() + 100, 0xEE), 100);
    EXPECT_EQ(std::count(out.Buffer().begin() + 3100, out.Buffer().end(), 0xEE), 900);
}

TEST(Lzh, TruncatedStreamStillYieldsTheDeclaredLength) {
    const std::vector<uint8_t> data = SampleText(40000);
    std::vector<uint8_t> stream = TLZH::Encode(data);
    const size_t keep = stream.size() / 2;
    stream.resize(keep);
    size_t consumed = 0;
    const std::vector<uint8_t> out = DecodeAll(stream, data.size(), &consumed);
    EXPECT_GE(out.size(), data.size());
    EXPECT_LT(out.size(), data.size() + 60);
    EXPECT_EQ(consumed, keep);
    // The part decoded from real bits is right; missing bits read as zeros.
    const size_t goodPrefix = 1000;
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + goodPrefix, out.begin()));
    ReferenceDecoder reference(stream, 0);
    EXPECT_TRUE(reference.Decode(data.size()) == out);
}

TEST(Lzh, ShortSizeStopsAfterTheMatchThatReachesIt) {
    // A match may carry the output past the size, never by a whole match.
    const std::vector<uint8_t> data(3000, 'a');
    const std::vector<uint8_t> stream = TLZH::Encode(data);
    const std::vector<uint8_t> out = DecodeAll(stream, 100);
    EXPECT_GE(out.size(), 100u);
    EXPECT_LT(out.size(), 160u);
    EXPECT_EQ(out, std::vector<uint8_t>(out.size(), 'a'));
}
