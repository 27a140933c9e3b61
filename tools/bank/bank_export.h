#pragma once
// Writes an installation's bank out as a school edits it: a CSV file in UTF-8 with a
// byte-order mark (a spreadsheet opens it directly) and a folder of its pictures, in the
// form `import` reads, so that exporting and importing again gives back the same bank.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bank_model.h"

// A read or write that failed; the message is for a school's staff and says what to do.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The name under which question `q`'s picture is written, empty when it has none.
std::string PictureNameOf(const BankQuestion& q);

// The CSV text: the header row, then one row per question; text fields always quoted.
std::string FormatCsvBank(const std::vector<BankQuestion>& bank);

// Reads dir/jjj and writes `csv` and the pictures into `images` (created; pictures of the same
// names replaced). Returns the number of questions. Throws ExportError.
size_t ExportBank(const std::filesystem::path& dir, const std::filesystem::path& csv, const std::filesystem::path& images);
