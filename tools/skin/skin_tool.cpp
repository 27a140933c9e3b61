// muhe-skin: makes and inspects skin packages.
//   muhe-skin paint DIR              paint our own skin into DIR (34 images and muhe.ini)
//   muhe-skin pack DIR OUT           archive DIR in the skin's entry order (or DIR/order.txt)
//                                    and compress it into the package OUT
//   muhe-skin list PKG               entry names and sizes
//   muhe-skin unpack PKG OUT         the decoded bytes, exactly as the decoder gives them
//   muhe-skin extract PKG NAME OUT   one entry
//   muhe-skin stream PKG OUT         the package as a SkinStream property value
//   muhe-skin glyphs OUT             the 16 x 16 menu glyph strip
//   muhe-skin preview PKG OUT [W H]  a picture of a skinned window (default 746 x 489)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/bmp.h"
#include "base/ini.h"
#include "skin/lzh.h"
#include "skin/skin_archive.h"
#include "skin/skin_data.h"
#include "skin/skin_painter.h"
#include "skin/skin_preview.h"
#include "skin/skin_reader.h"

namespace fs = std::filesystem;

namespace {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

void WriteFile(const fs::path& path, std::span<const uint8_t> bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteText(const fs::path& path, const std::string& text) {
    WriteFile(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::vector<std::string> EntryOrder(const fs::path& dir) {
    const fs::path orderFile = dir / "order.txt";
    if (fs::exists(orderFile)) {
        const std::vector<uint8_t> bytes = ReadFile(orderFile);
        std::vector<std::string> names;
        for (std::string& line : SplitNameList(std::string(bytes.begin(), bytes.end())))
            if (!line.empty()) names.push_back(std::move(line));
        return names;
    }
    std::vector<std::string> names;
    for (const SkinArchiveEntry& e : muheskin::PaintSkinEntries()) names.push_back(e.name);
    return names;
}

int Paint(const fs::path& dir) {
    fs::create_directories(dir);
    for (const muheskin::PaintedImage& p : muheskin::PaintSkinImages())
        WriteFile(dir / p.name, EncodeBmp(p.image, 24));
    WriteText(dir / muheskin::kDescriptionName, muheskin::SkinDescription());
    return 0;
}

int Pack(const fs::path& dir, const fs::path& out) {
    std::vector<SkinArchiveEntry> entries;
    for (const std::string& name : EntryOrder(dir)) entries.push_back({name, ReadFile(dir / name)});
    const std::vector<uint8_t> archive = BuildSkinArchive(entries);
    const std::vector<uint8_t> package = PackSkinPackage(archive);
    WriteFile(out, package);
    std::cout << entries.size() << " entries, " << archive.size() << " bytes packed into " << package.size() << "\n";
    return 0;
}

TSkinReader OpenReader(const fs::path& pkg) {
    TSkinReader reader([](const std::string& m) { std::cerr << m << "\n"; });
    MemoryStream package(ReadFile(pkg));
    if (!reader.OpenPackage(package)) throw std::runtime_error("not a skin package of this version");
    return reader;
}

int List(const fs::path& pkg) {
    const TSkinReader reader = OpenReader(pkg);
    for (int i = 0; i < reader.Count(); ++i) std::cout << reader.EntrySize(i) << "\t" << reader.Names()[size_t(i)] << "\n";
    std::cout << reader.Count() << " entries, name list " << reader.NameListLength() << " bytes, bodies "
              << reader.BodyBytes() << " bytes\n";
    return 0;
}

int Unpack(const fs::path& pkg, const fs::path& out) {
    MemoryStream package(ReadFile(pkg));
    if (package.Size() < 4) throw std::runtime_error("a package starts with its 4-byte unpacked size");
    const std::span<const uint8_t> b = package.Bytes();
    const uint32_t size = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    if (size > kSkinMaxUnpackedSize) throw std::runtime_error("unpacked size " + std::to_string(size) + " is too large");
    package.Seek(4);
    MemoryStream decoded;
    TLZH().Decode(package, decoded, size);
    WriteFile(out, decoded.Bytes());
    std::cout << "declared " << size << ", decoded " << decoded.Size() << " bytes, consumed "
              << package.Position() - 4 << " of " << package.Size() - 4 << " stream bytes\n";
    return 0;
}

int Extract(const fs::path& pkg, const std::string& name, const fs::path& out) {
    const TSkinReader reader = OpenReader(pkg);
    MemoryStream entry;
    reader.ExtractEntry(name, entry);
    if (entry.Size() == 0) throw std::runtime_error("no entry named " + name);
    WriteFile(out, entry.Bytes());
    return 0;
}

int Stream(const fs::path& pkg, const fs::path& out) {
    const std::vector<uint8_t> package = ReadFile(pkg);
    std::vector<uint8_t> value;
    const uint32_t n = uint32_t(package.size());
    for (int i = 0; i < 4; ++i) value.push_back(uint8_t(n >> (8 * i)));
    value.insert(value.end(), package.begin(), package.end());
    WriteFile(out, value);
    return 0;
}

int Preview(const fs::path& pkg, const fs::path& out, int width, int height) {
    TSkinData skin;
    MemoryStream value;
    const std::vector<uint8_t> package = ReadFile(pkg);
    const uint32_t n = uint32_t(package.size());
    const uint8_t count[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    value.Write(count, 4);
    value.Write(package);
    value.Seek(0);
    skin.ReadSkinStream(value);
    if (skin.SkinPending()) throw std::runtime_error("the package did not load");
    WriteFile(out, EncodeBmp(RenderSkinPreview(skin.Content(), width, height), 24));
    return 0;
}

int Run(const std::vector<std::string>& a) {
    if (a.empty()) throw UsageError("no command");
    const std::string& c = a[0];
    if (c == "paint" && a.size() == 2) return Paint(a[1]);
    if (c == "pack" && a.size() == 3) return Pack(a[1], a[2]);
    if (c == "list" && a.size() == 2) return List(a[1]);
    if (c == "unpack" && a.size() == 3) return Unpack(a[1], a[2]);
    if (c == "extract" && a.size() == 4) return Extract(a[1], a[2], a[3]);
    if (c == "stream" && a.size() == 3) return Stream(a[1], a[2]);
    if (c == "glyphs" && a.size() == 2) {
        WriteFile(a[1], EncodeBmp(muheskin::PaintMenuGlyphs(), 24));
        return 0;
    }
    if (c == "preview" && (a.size() == 3 || a.size() == 5)) {
        const int w = a.size() == 5 ? std::stoi(a[3]) : 746;
        const int h = a.size() == 5 ? std::stoi(a[4]) : 489;
        if (w < 100 || h < 100 || w > 4000 || h > 4000) throw UsageError("preview size out of range");
        return Preview(a[1], a[2], w, h);
    }
    throw UsageError("unknown command or wrong arguments: " + c);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        std::cerr << "muhe-skin: " << e.what() << "\n"
                  << "usage: muhe-skin paint DIR | pack DIR OUT | list PKG | unpack PKG OUT |\n"
                     "       extract PKG NAME OUT | stream PKG OUT | glyphs OUT | preview PKG OUT [W H]\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "muhe-skin: " << e.what() << "\n";
        return 1;
    }
}
