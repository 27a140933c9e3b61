#pragma once
// Writes and reads the two database files of an installation.
#include <filesystem>
#include <string>
#include <vector>

#include "bank_model.h"
#include "content_reader.h"

// Writes `jjj` (table kaoti, protected by the program's password) at `file`. The file is
// built beside the target and renamed over it only when complete, so a failed run leaves
// whatever was there before.
void WriteQuestionFile(const std::filesystem::path& file, const std::vector<BankQuestion>& bank);

// Writes `bz`: the resume point, the chapter bookmarks, bzq, and the law texts as rich text.
void WriteAuxiliaryFile(const std::filesystem::path& file, const std::vector<LawText>& laws);

// Reads every row of kaoti through the program's own data layer (so that a check also
// proves the program can open the file). Throws EDatabaseError when it cannot.
std::vector<BankQuestion> ReadQuestionFile(const std::filesystem::path& dir);
// The same for a bank file of any name (a jjj.bak).
std::vector<BankQuestion> ReadQuestions(const std::filesystem::path& file);
