#pragma once
// The files muhe-art writes: every picture encoded under the name the resources expect.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct ArtFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The icon's sizes: the small one for title bars and tree views, the large one for
// the desktop and Alt+Tab.
constexpr int kIconSizes[] = {16, 32};

// badge1.bmp .. badge3.bmp, deco.bmp, banner.bmp, tree_icons.bmp (24-bit) and muhe.ico.
std::vector<ArtFile> PaintArtFiles();

// Writes every file into the folder, creating it when needed. A file that cannot be written
// throws std::runtime_error naming it.
void WriteArtFiles(const std::filesystem::path& folder);
