#pragma once
// Reader of our own content files: the question files of each chapter, the law summaries
// and the sign pages. Every error names the file and line.
#include <filesystem>
#include <string>
#include <vector>

struct ContentQuestion {
    std::string kind;     // 单项选择题 or 判断题
    std::string text;
    std::string a, b, c;
    std::string answer;   // A, B or C
    std::string picture;  // the name of a picture, or empty
    std::string section;
    int line = 0;
};

struct SignEntry {
    std::string picture, name, meaning;  // picture: the name of the sign's picture
};

struct SignPage {
    std::string title;
    std::string intro;
    std::vector<SignEntry> signs;
};

struct LawText {
    std::string title;
    std::vector<std::string> paragraphs;  // the first is the title line
};

std::vector<ContentQuestion> ReadChapterFile(const std::filesystem::path& file);
std::vector<SignPage> ReadSignPages(const std::filesystem::path& file);
// Reads assets/laws/NN-<title>.txt in NN order.
std::vector<LawText> ReadLawTexts(const std::filesystem::path& folder);

// Splits text at every separator, keeping empty fields.
std::vector<std::string> SplitFields(const std::string& line, char separator);
