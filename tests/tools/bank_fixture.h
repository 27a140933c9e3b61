#pragma once
// Synthetic content for the bank tool's tests: a full-size bank whose every question is
// distinct and follows the content conventions, and a scratch folder that cleans up after itself.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "bank_layout.h"
#include "bank_model.h"
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

// The bank as a school would hand it over: the text of a table (UTF-8, comma- or
// tab-separated) naming pictures it writes into dir/pics.
std::string WriteCsvBank(const std::filesystem::path& dir, const std::vector<BankQuestion>& bank, char sep = ',');

// Runs the built tool; its standard output and error, together, in `output` when given.
int RunBankTool(const std::string& arguments, std::string* output = nullptr);
