#pragma once
// Checks of the bank's conventions, shared by `check` (a whole installation) and `import`
// (a school's own rows). Messages are in Chinese, for a school's staff; each names where the
// fault is, the column and what is wrong.
#include <filesystem>
#include <string>
#include <vector>

#include "bank_model.h"

// One fault of a bank's rows.
struct BankProblem {
    int position = -1;   // index of the question in the checked rows; -1 for the bank as a whole
    std::string column;  // the column of kaoti at fault, empty when none is
    std::string what;
};

std::vector<BankProblem> CheckQuestions(const std::vector<BankQuestion>& bank);

// What every bank must hold, said wherever a school meets the rules.
std::string BankRules();

// "第 12 题，“daan”列：…" — `place` names the row ("第 12 题", "第 13 行"), empty for none.
std::string DescribeProblem(const std::string& place, const std::string& column, const std::string& what);

// The problems of `bank` as lines naming each question by its number.
std::vector<std::string> DescribeByQuestion(const std::vector<BankProblem>& problems, const std::vector<BankQuestion>& bank);

// The first `limit` lines, and a last one counting the rest: a file wrong throughout would
// otherwise list a line for every row.
inline constexpr size_t kProblemsShown = 50;
std::vector<std::string> FirstProblems(const std::vector<std::string>& lines, size_t limit = kProblemsShown);

// Checks an installation folder: jjj (opened with its password) and its rows, bz and its
// tables, bangzhu.chm, and the sign pages (under bzt/ of the folder; on Windows, when it has
// none, in C:\voduvezu\bzt\ where the installer puts them). One line per problem.
std::vector<std::string> CheckInstallation(const std::filesystem::path& dir);
