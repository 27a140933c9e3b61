#pragma once
// Checks of the bank's conventions, shared by `check` (a whole installation) and `import`
// (a school's own rows). Each violation is one line of text; an empty list means sound.
#include <filesystem>
#include <string>
#include <vector>

#include "bank_model.h"

std::vector<std::string> CheckQuestions(const std::vector<BankQuestion>& bank);

// Checks an installation folder: jjj (opened with its password) and its rows, bz and its
// tables, bangzhu.chm and the sign pages under bzt/.
std::vector<std::string> CheckInstallation(const std::filesystem::path& dir);
