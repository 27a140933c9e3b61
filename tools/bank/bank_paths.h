#pragma once
// Paths of the bank tool from UTF-8 text. (A narrow std::filesystem::path would take the text
// in the ANSI code page on Windows; data/paths.h converts the other way, PathToUtf8.)
#include <filesystem>
#include <string>
#include <string_view>

inline std::filesystem::path Utf8Path(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
