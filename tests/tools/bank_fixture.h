#pragma once
// Synthetic content for the bank tool's tests: a full-size bank whose every question is
// distinct and follows the content conventions, and a scratch folder that cleans up after itself.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "bank_layout.h"
#include "content_reader.h"

std::array<std::vector<ContentQuestion>, 4> SyntheticChapters();

// A picture source that returns a small valid BMP for every picture name.
std::vector<uint8_t> TinyPicture(const std::string& picture, int ordinal);

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

void WriteText(const std::filesystem::path& file, const std::string& text);
