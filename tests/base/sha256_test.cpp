#include <gtest/gtest.h>

#include <string>

#include "base/sha256.h"

// Test vectors of FIPS 180-4 (and NIST's example set for SHA-256).
TEST(Sha256, MatchesTheStandardVectors) {
    EXPECT_EQ(Sha256Hex(Sha256Of("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex(Sha256Of("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex(Sha256Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex(Sha256Of("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu")),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
}

TEST(Sha256, MillionAsFedInUnevenPieces) {
    // Piece sizes that straddle the 64-byte block in every way exercise the buffering.
    Sha256 hasher;
    const std::string as(1000, 'a');
    size_t fed = 0;
    for (size_t piece = 1; fed < 1'000'000; piece = piece % 131 + 7) {
        const size_t take = std::min(piece, 1'000'000 - fed);
        hasher.Update(std::string_view(as).substr(0, std::min(take, as.size())));
        fed += std::min(take, as.size());
    }
    EXPECT_EQ(Sha256Hex(hasher.Final()), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, PaddingBoundariesAndReuse) {
    // Lengths 55, 56 and 64 put the length field in the same block, the next one, and after a
    // full block; every split of the message must give the one-shot digest.
    for (const size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u}) {
        const std::string message(length, 'x');
        const Sha256Digest whole = Sha256Of(message);
        for (size_t split = 0; split <= length; ++split) {
            Sha256 hasher;
            hasher.Update(std::string_view(message).substr(0, split));
            hasher.Update(std::string_view(message).substr(split));
            ASSERT_EQ(hasher.Final(), whole) << "length " << length << " split " << split;
        }
    }
    // Final leaves the hasher ready for the next message.
    Sha256 hasher;
    hasher.Update("something else");
    (void)hasher.Final();
    hasher.Update("abc");
    EXPECT_EQ(Sha256Hex(hasher.Final()), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}
