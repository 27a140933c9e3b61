#pragma once
// A small bank that follows the real one's conventions, written by the schema functions into
// a fresh temporary folder that becomes the working directory while a test runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/ado_connection.h"
#include "data/ado_query.h"

struct FixtureQuestion {
    int id;
    std::string tihao, timu, a, b, c, daan;
    std::vector<uint8_t> image;  // empty: no picture
    std::optional<int> t;        // the set; none for the questions beyond the sets
    std::string lei1, lei2, lei3, bz;
};

struct FixtureLaw {
    std::string bt, nr;
};

extern const char* const kChapterTitles[4];
extern const char* const kBankPassword;

std::vector<FixtureQuestion> FixtureQuestions();
std::vector<FixtureLaw> FixtureLaws();
inline const char* const kFixtureResumePoint = "500";
std::vector<std::pair<std::string, std::string>> FixtureBookmarks();  // zhangjie, id

// A tiny 24-bit bitmap file of w x h pixels (enough bytes to tell pictures apart).
std::vector<uint8_t> TinyBitmap(int width, int height, uint8_t shade);

// Creates a folder (with a Chinese name, to exercise UTF-8 paths), makes it the working
// directory, and removes it again afterwards.
class TempWorkingDirectory {
public:
    TempWorkingDirectory();
    ~TempWorkingDirectory();
    TempWorkingDirectory(const TempWorkingDirectory&) = delete;
    TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Writes jjj (protected by kBankPassword) and bz into the working directory.
void WriteFixtureBank();

// The test base: a fresh bank in a fresh working directory, and connections to it.
class BankTest : public ::testing::Test {
protected:
    BankTest() { WriteFixtureBank(); }

    // An open connection to ".\jjj" or ".\bz" with a short busy timeout.
    static void Connect(TADOConnection& connection, const char* file, const char* password);
    void OpenQuery(TADOQuery& query, TADOConnection& connection, const std::string& sql);

    TempWorkingDirectory directory_;
    TADOConnection jjj_;
    TADOConnection bz_;
    std::vector<FixtureQuestion> questions_ = FixtureQuestions();

    void SetUp() override {
        Connect(jjj_, ".\\jjj", kBankPassword);
        Connect(bz_, ".\\bz", "");
    }
};

// Runs one statement on a separate raw connection to a file of the working directory.
void RunRaw(const char* file, const std::string& sql);
// One text value read through a separate raw connection ("" for NULL or no row).
std::string ReadRaw(const char* file, const std::string& sql);
