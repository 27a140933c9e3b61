#include "content_reader.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

#include "bank_model.h"

namespace {

std::runtime_error ContentError(const std::filesystem::path& file, int line, const std::string& what) {
    return std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + what);
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (!lines.empty() && lines[0].rfind("\xEF\xBB\xBF", 0) == 0) lines[0].erase(0, 3);
    return lines;
}

bool IsSkippable(const std::string& line) {
    const std::string t = TrimSpaces(line);
    return t.empty() || t[0] == '#';
}

}  // namespace

std::string TrimSpaces(const std::string& text) {
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

std::vector<std::string> SplitFields(const std::string& line, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t at = line.find(separator, start);
        fields.push_back(line.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return fields;
}

std::vector<ContentQuestion> ReadChapterFile(const std::filesystem::path& file) {
    const auto lines = ReadLines(file);
    std::vector<ContentQuestion> questions;
    std::string section;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i) + 1;
        const std::string& raw = lines[i];
        if (IsSkippable(raw)) continue;
        const std::string line = TrimSpaces(raw);
        if (line.rfind("@section", 0) == 0) {
            section = TrimSpaces(line.substr(8));
            if (section.empty()) throw ContentError(file, lineNo, "a section needs a title");
            continue;
        }
        const auto f = SplitFields(line, '|');
        if (f.size() != 7) {
            throw ContentError(file, lineNo, "expected 7 fields separated by '|', found " + std::to_string(f.size()));
        }
        if (section.empty()) throw ContentError(file, lineNo, "question before the first @section");
        ContentQuestion q;
        q.kind = TrimSpaces(f[0]);
        q.text = TrimSpaces(f[1]);
        q.a = TrimSpaces(f[2]);
        q.b = TrimSpaces(f[3]);
        q.c = TrimSpaces(f[4]);
        q.answer = TrimSpaces(f[5]);
        q.picture = TrimSpaces(f[6]);
        q.section = section;
        q.line = lineNo;
        if (q.kind != kSingleChoice && q.kind != kTrueFalse) {
            throw ContentError(file, lineNo, "unknown kind '" + q.kind + "'");
        }
        questions.push_back(std::move(q));
    }
    return questions;
}

std::vector<SignPage> ReadSignPages(const std::filesystem::path& file) {
    const auto lines = ReadLines(file);
    std::vector<SignPage> pages;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i) + 1;
        if (IsSkippable(lines[i])) continue;
        const std::string line = TrimSpaces(lines[i]);
        if (line.rfind("@page", 0) == 0) {
            SignPage page;
            page.title = TrimSpaces(line.substr(5));
            if (page.title.empty()) throw ContentError(file, lineNo, "a page needs a title");
            pages.push_back(std::move(page));
            continue;
        }
        if (pages.empty()) throw ContentError(file, lineNo, "text before the first @page");
        if (line.rfind("@intro", 0) == 0) {
            pages.back().intro = TrimSpaces(line.substr(6));
            continue;
        }
        const auto f = SplitFields(line, '|');
        if (f.size() != 3) throw ContentError(file, lineNo, "expected picture|name|meaning");
        pages.back().signs.push_back({TrimSpaces(f[0]), TrimSpaces(f[1]), TrimSpaces(f[2])});
    }
    return pages;
}

std::vector<LawText> ReadLawTexts(const std::filesystem::path& folder) {
    std::map<std::string, std::filesystem::path> files;  // ordered by the NN prefix
    if (!std::filesystem::is_directory(folder)) throw std::runtime_error(folder.string() + ": no such folder");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            files[entry.path().filename().string()] = entry.path();
        }
    }
    std::vector<LawText> laws;
    for (const auto& [name, path] : files) {
        const size_t dash = name.find('-');
        if (dash == std::string::npos) throw std::runtime_error(path.string() + ": name must be NN-<title>.txt");
        LawText law;
        law.title = name.substr(dash + 1, name.size() - dash - 1 - 4);
        for (const auto& line : ReadLines(path)) {
            const std::string t = TrimSpaces(line);
            if (!t.empty()) law.paragraphs.push_back(t);
        }
        if (law.paragraphs.empty()) throw std::runtime_error(path.string() + ": empty law text");
        laws.push_back(std::move(law));
    }
    return laws;
}
