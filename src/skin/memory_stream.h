#pragma once
// A growable byte buffer with a read/write position, the stream type the skin package code
// passes around. Reads past the end deliver fewer bytes, never fail.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes) : data(std::move(bytes)) {}

    size_t Size() const { return data.size(); }
    size_t Position() const { return position; }
    size_t Remaining() const { return data.size() - std::min(position, data.size()); }
    void Seek(size_t to) { position = std::min(to, data.size()); }
    void Clear() { data.clear(); position = 0; }
    void SetSize(size_t size) { data.resize(size); position = std::min(position, size); }

    // Copies up to count bytes into out and returns how many were copied.
    size_t Read(void* out, size_t count) {
        const size_t n = std::min(count, Remaining());
        if (n) std::memcpy(out, data.data() + position, n);
        position += n;
        return n;
    }
    // Writes at the position, growing the buffer as needed.
    void Write(const void* bytes, size_t count) {
        if (!count) return;
        if (position + count > data.size()) data.resize(position + count);
        std::memcpy(data.data() + position, bytes, count);
        position += count;
    }
    void Write(std::span<const uint8_t> bytes) { Write(bytes.data(), bytes.size()); }

    std::span<const uint8_t> Bytes() const { return data; }
    std::vector<uint8_t>& Buffer() { return data; }
    const std::vector<uint8_t>& Buffer() const { return data; }

private:
    std::vector<uint8_t> data;
    size_t position = 0;
};
