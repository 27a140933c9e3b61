#pragma once
// File names of the data layer: UTF-8 in, the platform's path type out, so that Chinese folder
// names survive on Windows, where a narrow std::filesystem::path would use the ANSI code page.
#include <filesystem>
#include <string>
#include <string_view>

// Both separators are accepted on every platform (the program names its files ".\jjj");
// a relative name is taken against the current working directory.
std::filesystem::path ResolveAgainstWorkingDirectory(std::string_view name);

std::string PathToUtf8(const std::filesystem::path& path);
