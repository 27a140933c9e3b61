#pragma once
// Lines of UTF-8 text for the bank tool's standard output and error. A Windows console is
// written in UTF-16, so that Chinese reads right whatever its code page; a file or pipe
// receives UTF-8.
#include <string>

void PrintOut(const std::string& line);
void PrintError(const std::string& line);
