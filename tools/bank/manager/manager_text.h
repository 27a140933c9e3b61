#pragma once
// Text as the manager shows it: UTF-8 of the bank tool made wide, paths with the system's
// separators, a file's time on this PC's clock.
#include <filesystem>
#include <string>

std::wstring Wide(const std::string& utf8);
std::wstring Shown(const std::filesystem::path& path);
// When the file was last written, "2026-12-09 14:05" in local time; empty when unknown.
std::wstring FileTime(const std::filesystem::path& file);
