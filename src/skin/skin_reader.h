#pragma once
// The skin package: a 4-byte little-endian unpacked size followed by an LZHUF stream of the
// skin archive. The archive (little-endian):
//   0   int32  version, 20000
//   4   int32  L, length of the name list
//   8   8 bytes reserved
//   16  L bytes of entry names, one per line (CR LF; a last line without it counts, an empty
//       line after the last CR LF does not)
//   ..  int32 size per name, in name order
//   ..  the entry bodies, concatenated in name order
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"
#include "skin/memory_stream.h"

// A package or archive that is not in the format (too short, forged sizes, too many entries,
// no description). The message says what is wrong; nothing that was loaded before is touched.
class ESkinError : public Exception {
public:
    using Exception::Exception;
};

inline constexpr int32_t kSkinArchiveVersion = 20000;
inline constexpr int kSkinMaxEntries = 1001;
// No real skin comes near this; a larger unpacked size is a forged or damaged header.
inline constexpr uint32_t kSkinMaxUnpackedSize = 64u << 20;
inline constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

class TSkinReader {
public:
    // showMessage is the modal information box; it may be empty (no box).
    explicit TSkinReader(std::function<void(const std::string&)> messageBox = {});

    // Unpacks the whole package and reads the archive's directory. An archive of another
    // version shows kOlderSkinMessage and returns false. Anything else outside the format
    // throws ESkinError (ElzhException if the decoder cannot get its tables); the reader then
    // keeps what it held before.
    bool OpenPackage(MemoryStream& package);

    // Clears out and, at the first entry named `name` (compared lower-cased), writes its bytes
    // and rewinds out. No match leaves out empty.
    void ExtractEntry(std::string_view name, MemoryStream& out) const;

    // Clears out; at the first entry whose (lower-cased) name contains `substring`, written as
    // given, writes its bytes, rewinds out, stores the name and returns true. No match: false,
    // out empty, name unchanged.
    bool ExtractFirstMatching(std::string_view substring, MemoryStream& out, std::string& name) const;

    const std::vector<std::string>& Names() const { return names; }
    int Count() const { return int(names.size()); }
    int32_t EntrySize(int index) const { return sizes.at(size_t(index)); }
    int32_t NameListLength() const { return nameListLength; }
    // Bytes after the size table (the entry bodies plus anything the sizes do not cover).
    size_t BodyBytes() const { return archive.size() - bodyOffset; }

private:
    void WriteEntry(size_t index, MemoryStream& out) const;

    std::function<void(const std::string&)> showMessage;
    std::vector<uint8_t> archive;  // the unpacked archive, kept for the bodies
    std::vector<std::string> names;
    std::vector<int32_t> sizes;
    std::vector<size_t> offsets;   // start of each body in archive
    size_t bodyOffset = 0;
    int32_t nameListLength = 0;
};

// Splits a name list into lines as the archive defines them.
std::vector<std::string> SplitNameList(std::string_view text);
