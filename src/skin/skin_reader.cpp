#include "skin/skin_reader.h"

#include "base/ini.h"
#include "skin/lzh.h"

namespace {

int32_t ReadInt32(std::span<const uint8_t> bytes, size_t at) {
    return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                   uint32_t(bytes[at + 3]) << 24);
}

}  // namespace

std::vector<std::string> SplitNameList(std::string_view text) {
    // CR LF ends a line; a lone CR or LF does too, as in any text list. The text after the
    // last line end is one more name unless it is empty.
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
    return lines;
}

TSkinReader::TSkinReader(std::function<void(const std::string&)> messageBox)
    : showMessage(std::move(messageBox)) {}

bool TSkinReader::OpenPackage(MemoryStream& package) {
    if (package.Size() < 4)
        throw ESkinError("The skin package is too short to hold its unpacked size");
    package.Seek(0);
    uint8_t sizeBytes[4];
    package.Read(sizeBytes, 4);
    const uint32_t unpackedSize = uint32_t(ReadInt32(sizeBytes, 0));
    if (unpackedSize > kSkinMaxUnpackedSize)
        throw ESkinError("The skin package declares an unpacked size of " + std::to_string(unpackedSize) +
                         " bytes, more than the " + std::to_string(kSkinMaxUnpackedSize) + " a skin may have");

    MemoryStream unpacked;
    TLZH().Decode(package, unpacked, unpackedSize);
    // The last match may run past the declared size; the archive is what was declared.
    std::vector<uint8_t> bytes = std::move(unpacked.Buffer());
    bytes.resize(unpackedSize);

    if (bytes.size() < 16)
        throw ESkinError("The skin archive is shorter than its 16-byte header");
    if (ReadInt32(bytes, 0) != kSkinArchiveVersion) {
        if (showMessage) showMessage(kOlderSkinMessage);
        return false;
    }
    const int32_t listLength = ReadInt32(bytes, 4);
    if (listLength < 0 || size_t(listLength) > bytes.size() - 16)
        throw ESkinError("The skin archive's name list (" + std::to_string(listLength) +
                         " bytes) does not fit in the archive");
    const std::string_view listText(reinterpret_cast<const char*>(bytes.data()) + 16, size_t(listLength));
    std::vector<std::string> newNames = SplitNameList(AsciiLower(listText));
    if (newNames.size() > size_t(kSkinMaxEntries))
        throw ESkinError("The skin archive lists " + std::to_string(newNames.size()) +
                         " entries, more than the " + std::to_string(kSkinMaxEntries) + " allowed");

    const size_t tableOffset = 16 + size_t(listLength);
    if (newNames.size() * 4 > bytes.size() - tableOffset)
        throw ESkinError("The skin archive's size table runs past its end");
    const size_t newBodyOffset = tableOffset + newNames.size() * 4;
    std::vector<int32_t> newSizes(newNames.size());
    std::vector<size_t> newOffsets(newNames.size());
    size_t next = newBodyOffset;
    for (size_t i = 0; i < newNames.size(); ++i) {
        const int32_t size = ReadInt32(bytes, tableOffset + 4 * i);
        if (size < 0 || size_t(size) > bytes.size() - next)
            throw ESkinError("The size of skin entry \"" + newNames[i] + "\" (" + std::to_string(size) +
                             ") runs past the end of the archive");
        newSizes[i] = size;
        newOffsets[i] = next;
        next += size_t(size);
    }

    archive = std::move(bytes);
    names = std::move(newNames);
    sizes = std::move(newSizes);
    offsets = std::move(newOffsets);
    bodyOffset = newBodyOffset;
    nameListLength = listLength;
    return true;
}

void TSkinReader::WriteEntry(size_t index, MemoryStream& out) const {
    out.Write(archive.data() + offsets[index], size_t(sizes[index]));
    out.Seek(0);
}

void TSkinReader::ExtractEntry(std::string_view name, MemoryStream& out) const {
    const std::string wanted = AsciiLower(name);
    out.Clear();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == wanted) {
            WriteEntry(i, out);
            return;
        }
    }
}

bool TSkinReader::ExtractFirstMatching(std::string_view substring, MemoryStream& out, std::string& name) const {
    out.Clear();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].find(substring) != std::string::npos) {
            WriteEntry(i, out);
            name = names[i];
            return true;
        }
    }
    return false;
}
