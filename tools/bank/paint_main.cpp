// muhe-paint: writes one picture of the sample bank as a BMP file, or all of them into a
// folder, so that they can be looked at.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "base/bmp.h"
#include "picture_painter.h"

namespace {

int Usage() {
    std::cerr << "usage: muhe-paint PICTURE OUT.bmp     draw one picture, e.g. muhe-paint limit:60 limit.bmp\n"
                 "       muhe-paint --all DIR        draw every picture into DIR (one example per numbered kind)\n";
    return 2;
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// A picture name as a file name: the colon becomes a dash.
std::string FileNameOf(std::string name) {
    for (char& ch : name)
        if (ch == ':') ch = '-';
    return name + ".bmp";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Usage();
    try {
        const std::string first = argv[1];
        if (first == "--all") {
            const std::filesystem::path dir = argv[2];
            std::filesystem::create_directories(dir);
            int count = 0;
            for (const std::string& name : SamplePictureNames()) {
                WriteFile(dir / FileNameOf(name), EncodeBmp(PaintPicture(name), 24));
                ++count;
            }
            std::cout << "wrote " << count << " pictures into " << dir.string() << "\n";
            return 0;
        }
        WriteFile(argv[2], EncodeBmp(PaintPicture(first), 24));
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "muhe-paint: " << e.what() << "\n";
        return 1;
    }
}
