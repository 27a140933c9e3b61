#pragma once
// Reads a school's own bank: a CSV file (a header row naming the columns as `kaoti` does,
// RFC 4180 quoting, commas or tabs between fields, in any encoding csv_text.h reads) and a
// folder of pictures named by the `image` column.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bank_check.h"
#include "bank_model.h"
#include "csv_text.h"

// One fault of a school's file, where a spreadsheet shows it: the row (the header is row 1; 0
// when the fault is of the file or of the bank as a whole) and the column's title (empty when
// no one column is at fault). `what` says what is wrong and what to do.
struct CsvProblem {
    int row = 0;
    std::string column;
    std::string what;
};

// The problem as one line: "第 5 行，“daan”列：…", "第 1 行（标题行），“A”列：…".
std::string DescribeCsvProblem(const CsvProblem& problem);
std::vector<std::string> DescribeCsvProblems(const std::vector<CsvProblem>& problems);

struct CsvImport {
    std::vector<BankQuestion> rows;  // in question order
    std::vector<int> sourceRows;     // for each of rows, its row in the file (the header is row 1)
    std::vector<CsvProblem> problems;  // one per bad row or field; empty when sound
    TextEncoding encoding = TextEncoding::kUtf8;
    char separator = ',';
    bool cancelled = false;  // the reading was stopped; rows and problems are incomplete
};

// Hears how many of the file's rows have been read; returning false stops the reading.
using CsvProgress = std::function<bool(size_t done, size_t total)>;

CsvImport ReadCsvBank(const std::filesystem::path& csv, const std::filesystem::path& images,
                      const CsvProgress& progress = {});

// The problems of the imported rows, each at its row in the file.
std::vector<CsvProblem> ProblemsByRow(const std::vector<BankProblem>& problems, const CsvImport& in);

// An import's whole check, as the console and the manager window run it: the file's own
// problems, or when it has none the bank's conventions, by row.
CsvImport CheckCsvBank(const std::filesystem::path& csv, const std::filesystem::path& images,
                       const CsvProgress& progress = {});

// Splits text into records of fields. Throws std::runtime_error for an unterminated quoted
// field, naming its line.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char separator = ',');

// Tab when the first line holds one (a spreadsheet's "Unicode text" and "text (tab
// delimited)"), comma otherwise.
char DetectSeparator(const std::string& text);
