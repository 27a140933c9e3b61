#include "art/art_set.h"

#include <fstream>
#include <stdexcept>

#include "art/art_pictures.h"
#include "art/ico_file.h"
#include "base/bmp.h"

std::vector<ArtFile> PaintArtFiles() {
    std::vector<ArtFile> files;
    for (int digit = 1; digit <= 3; ++digit)
        files.push_back({"badge" + std::to_string(digit) + ".bmp", EncodeBmp(PaintBadge(digit), 24)});
    files.push_back({"deco.bmp", EncodeBmp(PaintDeco(), 24)});
    files.push_back({"banner.bmp", EncodeBmp(PaintBanner(), 24)});
    files.push_back({"tree_icons.bmp", EncodeBmp(PaintTreeIcons(), 24)});
    std::vector<RgbaImage> icons;
    for (int size : kIconSizes) icons.push_back(PaintProgramIcon(size));
    files.push_back({"muhe.ico", EncodeIco(icons)});
    return files;
}

void WriteArtFiles(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw std::runtime_error("cannot create the folder " + folder.string() + ": " + error.message());
    for (const ArtFile& file : PaintArtFiles()) {
        const std::filesystem::path path = folder / file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()), std::streamsize(file.bytes.size()));
        out.close();
        if (!out) throw std::runtime_error("cannot write " + path.string());
    }
}
