#pragma once
// Compiles our help pages into bangzhu.chm with chmcmd.
#include <filesystem>

// Compiles every .html page of `pages` (index.html first) into `out`. Throws
// std::runtime_error with chmcmd's output when compilation fails.
void BuildHelpFile(const std::filesystem::path& pages, const std::filesystem::path& out);
