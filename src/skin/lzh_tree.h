#pragma once
// The adaptive Huffman tree shared by the LZHUF decoder and encoder. Both sides must evolve it
// identically, symbol by symbol, so it lives in one place.
#include <array>
#include <cstdint>
#include <cstring>

#include "skin/lzh.h"

struct LzhTree {
    static constexpr int T = kLzhTreeSize;
    static constexpr int R = kLzhRoot;

    // freq[T] is a sentinel larger than any real frequency; prnt[T + c] is the leaf of symbol c;
    // son[i] of an internal node is its left child (the right one is son[i] + 1), son[i] >= T
    // marks a leaf.
    std::array<uint16_t, T + 1> freq;
    std::array<uint16_t, T + kLzhSymbols> prnt;
    std::array<uint16_t, T> son;

    void Start() {
        for (int i = 0; i < kLzhSymbols; ++i) {
            freq[i] = 1;
            son[i] = uint16_t(i + T);
            prnt[i + T] = uint16_t(i);
        }
        for (int i = 0, j = kLzhSymbols; j <= R; i += 2, ++j) {
            freq[j] = uint16_t(freq[i] + freq[i + 1]);
            son[j] = uint16_t(i);
            prnt[i] = prnt[i + 1] = uint16_t(j);
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    // Halves every leaf frequency (rounding up) and rebuilds the internal nodes so that the
    // frequencies stay sorted by node index.
    void Reconstruct() {
        int j = 0;
        for (int i = 0; i < T; ++i) {
            if (son[i] >= T) {
                freq[j] = uint16_t((freq[i] + 1) / 2);
                son[j] = son[i];
                ++j;
            }
        }
        for (int i = 0, node = kLzhSymbols; node < T; i += 2, ++node) {
            const uint16_t f = uint16_t(freq[i] + freq[i + 1]);
            int k = node - 1;
            while (f < freq[k]) --k;
            ++k;
            const size_t moved = size_t(node - k);
            std::memmove(&freq[k + 1], &freq[k], moved * sizeof(freq[0]));
            freq[k] = f;
            std::memmove(&son[k + 1], &son[k], moved * sizeof(son[0]));
            son[k] = uint16_t(i);
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            if (k >= T) {
                prnt[k] = uint16_t(i);
            } else {
                prnt[k] = prnt[k + 1] = uint16_t(i);
            }
        }
    }

    // The last node whose frequency is still below k, searching upwards from `from`, where
    // freq[from] < k is known. Frequencies never decrease with the node index and freq[T] is a
    // sentinel, so the answer is one below the first node holding k or more: a galloping search
    // finds it without the long linear walk over equal runs that dominates the classic update.
    int LastBelow(int from, unsigned k) const {
        int lo = from;  // freq[lo] < k
        int step = 1;
        int hi;
        for (;;) {
            hi = lo + step;
            if (hi >= T) { hi = T; break; }
            if (freq[hi] >= k) break;
            lo = hi;
            step <<= 1;
        }
        while (hi - lo > 1) {  // freq[lo] < k <= freq[hi]
            const int mid = (lo + hi) / 2;
            if (freq[mid] < k) lo = mid; else hi = mid;
        }
        return lo;
    }

    // Counts one more occurrence of symbol c and restores the sibling order.
    void Update(int c) {
        if (freq[R] == kLzhMaxFrequency) Reconstruct();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            if (k > freq[c + 1]) {
                const int l = LastBelow(c + 1, k);
                freq[c] = freq[l];
                freq[l] = uint16_t(k);
                const int i = son[c];
                prnt[i] = uint16_t(l);
                if (i < T) prnt[i + 1] = uint16_t(l);
                const int j = son[l];
                son[l] = uint16_t(i);
                prnt[j] = uint16_t(c);
                if (j < T) prnt[j + 1] = uint16_t(c);
                son[c] = uint16_t(j);
                c = l;
            }
            c = prnt[c];
        } while (c != 0);
    }
};

// Position coding: the upper 6 bits of a 12-bit position get a prefix code of 3 to 8 bits
// (1 value of 3 bits, 3 of 4, 8 of 5, 12 of 6, 24 of 7, 16 of 8), assigned in order; the
// lower 6 bits follow verbatim. The decode tables map the next 8 input bits to the upper bits
// and the code length.
struct LzhPositionCodes {
    std::array<uint8_t, 64> encodeCode{};   // code, left-aligned in 8 bits
    std::array<uint8_t, 64> encodeLength{};
    std::array<uint8_t, 256> decodeCode{};  // d_code
    std::array<uint8_t, 256> decodeLength{};// d_len

    constexpr LzhPositionCodes() {
        constexpr int kRuns[6][2] = {{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}};
        int value = 0;
        int code = 0;  // next code, left-aligned in 8 bits
        for (const auto& run : kRuns) {
            const int length = run[0];
            for (int n = 0; n < run[1]; ++n, ++value) {
                encodeCode[value] = uint8_t(code);
                encodeLength[value] = uint8_t(length);
                const int span = 1 << (8 - length);
                for (int b = code; b < code + span; ++b) {
                    decodeCode[b] = uint8_t(value);
                    decodeLength[b] = uint8_t(length);
                }
                code += span;
            }
        }
    }
};
inline constexpr LzhPositionCodes kLzhPositionCodes{};
