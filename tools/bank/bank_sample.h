#pragma once
// The `sample` command of the host build: the whole sample installation from our own content.
#include <filesystem>

// Writes jjj, bz, bangzhu.chm and the sign pages under bzt/ into `dir`; 0 on success.
int WriteSample(const std::filesystem::path& assets, const std::filesystem::path& dir);
