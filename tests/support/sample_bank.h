#pragma once
// The window tests' question bank: a copy of the sample installation's two files in a fresh
// folder that is the working directory while the test runs, opened by the program's own data
// module. Tests may change the copy freely (through the data module or straight through
// SQLite) without touching the sample.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/data_module.h"
#include "data/sqlite_handle.h"

class SampleBank {
public:
    // Copies the files; `keepQuestions` > 0 deletes every question above that number first.
    explicit SampleBank(int keepQuestions = 0);
    ~SampleBank();
    SampleBank(const SampleBank&) = delete;
    SampleBank& operator=(const SampleBank&) = delete;

    TDataModule3& Module() { return *module_; }
    const std::filesystem::path& Folder() const { return folder_; }

    // Runs a statement on the copy of jjj outside the data module (for tests that plant
    // content); the module's connections see it on their next query.
    void ExecuteOnBank(const std::string& sql);
    // A question's column as text, read straight from the copy.
    std::string Column(int id, const std::string& column);
    // The ids of the questions whose trimmed C is blank / not blank, and of those with a
    // picture.
    std::vector<int> Ids(const std::string& where);

    // Another program that is writing to `file` ("jjj" or "bz"): it holds the file's write
    // lock until the returned connection is destroyed; readers still read.
    SqliteDb HoldWriteLock(const std::string& file);
    // The module's connections give up on a held lock after a moment instead of three seconds
    // (they are opened again, so call it before a window opens its queries).
    void ShortenLockWaits();

private:
    std::filesystem::path folder_;
    std::filesystem::path previous_;
    std::unique_ptr<TDataModule3> module_;
};
