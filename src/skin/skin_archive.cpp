#include "skin/skin_archive.h"

#include <stdexcept>

#include "skin/lzh.h"
#include "skin/skin_reader.h"

namespace {

void PutInt32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> BuildSkinArchive(const std::vector<SkinArchiveEntry>& entries) {
    if (entries.size() > size_t(kSkinMaxEntries))
        throw std::invalid_argument("a skin archive holds at most " + std::to_string(kSkinMaxEntries) + " entries");
    std::string list;
    for (const SkinArchiveEntry& e : entries) {
        if (e.name.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("a skin entry name cannot hold a line break: " + e.name);
        list += e.name;
        list += "\r\n";
    }
    std::vector<uint8_t> out;
    PutInt32(out, uint32_t(kSkinArchiveVersion));
    PutInt32(out, uint32_t(list.size()));
    PutInt32(out, 0);
    PutInt32(out, 0);
    out.insert(out.end(), list.begin(), list.end());
    for (const SkinArchiveEntry& e : entries) {
        if (e.body.size() > size_t(INT32_MAX)) throw std::invalid_argument("skin entry too large: " + e.name);
        PutInt32(out, uint32_t(e.body.size()));
    }
    for (const SkinArchiveEntry& e : entries) out.insert(out.end(), e.body.begin(), e.body.end());
    return out;
}

std::vector<uint8_t> PackSkinPackage(std::span<const uint8_t> archive) {
    if (archive.size() > kSkinMaxUnpackedSize)
        throw std::invalid_argument("a skin archive may unpack to at most " + std::to_string(kSkinMaxUnpackedSize) + " bytes");
    std::vector<uint8_t> out;
    PutInt32(out, uint32_t(archive.size()));
    const std::vector<uint8_t> stream = TLZH::Encode(archive);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}
