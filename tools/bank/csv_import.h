#pragma once
// Reads a school's own bank: a CSV file (UTF-8, RFC 4180 quoting, a header row naming the
// columns as `kaoti` does) and a folder of pictures named by the `image` column.
#include <filesystem>
#include <string>
#include <vector>

#include "bank_model.h"

struct CsvImport {
    std::vector<BankQuestion> rows;
    std::vector<std::string> problems;  // one line per bad row or field; empty when sound
};

CsvImport ReadCsvBank(const std::filesystem::path& csv, const std::filesystem::path& images);

// Splits CSV text into records of fields. Throws std::runtime_error for an unterminated
// quoted field, naming its line.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text);
