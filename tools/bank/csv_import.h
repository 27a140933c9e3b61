#pragma once
// Reads a school's own bank: a CSV file (a header row naming the columns as `kaoti` does,
// RFC 4180 quoting, commas or tabs between fields, in any encoding csv_text.h reads) and a
// folder of pictures named by the `image` column.
#include <filesystem>
#include <string>
#include <vector>

#include "bank_check.h"
#include "bank_model.h"
#include "csv_text.h"

struct CsvImport {
    std::vector<BankQuestion> rows;  // in question order
    std::vector<int> sourceRows;     // for each of rows, its row in the file (the header is row 1)
    std::vector<std::string> problems;  // one line per bad row or field; empty when sound
    TextEncoding encoding = TextEncoding::kUtf8;
    char separator = ',';
};

CsvImport ReadCsvBank(const std::filesystem::path& csv, const std::filesystem::path& images);

// The problems of the imported rows as lines naming each by its row in the file.
std::vector<std::string> DescribeByRow(const std::vector<BankProblem>& problems, const CsvImport& in);

// Splits text into records of fields. Throws std::runtime_error for an unterminated quoted
// field, naming its line.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char separator = ',');

// Tab when the first line holds one (a spreadsheet's "Unicode text" and "text (tab
// delimited)"), comma otherwise.
char DetectSeparator(const std::string& text);
