#pragma once
// Writing skin archives and packages: the inverse of TSkinReader, used by the skin tool to
// ship our own skin and by the tests to make archives of every shape.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct SkinArchiveEntry {
    std::string name;
    std::vector<uint8_t> body;
};

// An archive of the given entries, in the given order: version 20000, every name line ended
// by CR LF, reserved words zero.
std::vector<uint8_t> BuildSkinArchive(const std::vector<SkinArchiveEntry>& entries);

// A package: the archive's length as 4 bytes little-endian, then the archive LZHUF-encoded.
std::vector<uint8_t> PackSkinPackage(std::span<const uint8_t> archive);
