#pragma once
// SHA-256 (FIPS 180-4). Used to keep a salted, stretched hash of the bank's password; small
// enough to carry ourselves instead of pulling in a crypto library for one digest.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

using Sha256Digest = std::array<uint8_t, 32>;

// Incremental hasher: Update any number of times, then Final once. Final leaves the object
// ready for a new message.
class Sha256 {
public:
    Sha256() { Reset(); }
    void Reset();
    void Update(std::span<const uint8_t> bytes);
    void Update(std::string_view text);
    Sha256Digest Final();

private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> state_{};
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(std::span<const uint8_t> bytes);
Sha256Digest Sha256Of(std::string_view text);

// Lower-case hexadecimal form of a digest (64 characters).
std::string Sha256Hex(const Sha256Digest& digest);
