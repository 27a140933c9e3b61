#pragma once
// Puts a checked bank into an installation's data folder. The bank it replaces stays as
// jjj.bak; nothing in the folder changes until the new bank is complete and the old one
// copied, and a bank the trainer has open is left alone.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bank_model.h"

// A write the folder refused; the message is for a school's staff and says what to do.
class InstallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct InstallOutcome {
    bool replaced = false;             // a jjj was there before
    std::filesystem::path backup;      // where that bank now is (jjj.bak), when replaced
    std::vector<std::string> notes;    // what the folder still lacks, or where a copy was left
};

// Writes `bank` as dir/jjj, creating dir. Throws InstallError, having changed nothing.
InstallOutcome InstallBank(const std::filesystem::path& dir, const std::vector<BankQuestion>& bank);

// Refuses (InstallError) to replace dir/jjj while a program holds it or jjj.bak open, or while
// a journal the trainer left lies beside it; `action` ("导入", "恢复") is what the message tells
// the staff to do again afterwards.
void CheckBankReplaceable(const std::filesystem::path& dir, const std::string& action);

// Puts dir/jjj.bak back as dir/jjj. The bank it replaces becomes jjj.bak, so that a restore
// is undone by another. Throws InstallError, having changed nothing, when there is no
// jjj.bak, when it is not a bank the trainer can open, or when jjj cannot be replaced now.
InstallOutcome RestoreBank(const std::filesystem::path& dir);

// Whether another program holds `file` open so that it cannot be replaced (the trainer keeps
// its databases open while it runs). Always false where open files can be replaced.
bool FileInUse(const std::filesystem::path& file);

// Moves `from` over `to`, replacing a file there.
std::error_code ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// A system error in the staff's words.
std::string ReasonOf(const std::error_code& ec);
