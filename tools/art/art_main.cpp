// muhe-art OUTDIR: draws the trainer's own pictures (option badges, decoration, banner, tree
// icons, program icon) into OUTDIR for the Windows build's resources.
#include <exception>
#include <iostream>

#include "art/art_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: muhe-art OUTDIR    draw the program's pictures into OUTDIR\n";
        return 2;
    }
    try {
        WriteArtFiles(argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "muhe-art: " << e.what() << "\n";
        return 1;
    }
}
