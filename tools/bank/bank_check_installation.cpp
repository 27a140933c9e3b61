#include <fstream>
#include <functional>
#include <set>

#include "bank_check.h"
#include "bank_store.h"
#include "base/errors.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/field.h"

namespace fs = std::filesystem;

namespace {

void CheckAuxiliaryFile(const fs::path& dir, std::vector<std::string>& problems) {
    TADOConnection connection;
    connection.DataSource = (dir / "bz").string();
    connection.Mode = "Read";
    try {
        connection.Open();
    } catch (const Exception& e) {
        problems.push_back(std::string("bz: ") + e.what());
        return;
    }
    const auto rows = [&](const std::string& sql, const std::function<void(TADOQuery&)>& each) {
        TADOQuery query;
        query.Connection = &connection;
        query.SQL.SetText(sql);
        try {
            query.Open();
            for (; !query.Eof(); query.Next()) each(query);
            return query.RecordCount();
        } catch (const Exception& e) {
            problems.push_back(std::string("bz: ") + e.what());
            return -1;
        }
    };

    const int resume = rows("select * from bz1", [&](TADOQuery& q) {
        int64_t id = 0;
        const std::string text = TrimSpaces(q.FieldByName("bz")->AsString());
        if (!ParseInteger(text, id) || id < 1 || id > kBankSize) {
            problems.push_back("bz1: the resume point '" + text + "' is not a question number 1.." + std::to_string(kBankSize));
        }
    });
    if (resume >= 0 && resume != 1) problems.push_back("bz1 must hold exactly one row, it holds " + std::to_string(resume));

    std::set<std::string> chapters;
    rows("select * from zhangjie", [&](TADOQuery& q) { chapters.insert(TrimSpaces(q.FieldByName("zhangjie")->AsString())); });
    for (const ChapterInfo& c : kChapters) {
        if (!chapters.count(std::to_string(c.number))) problems.push_back("zhangjie has no row for chapter " + std::to_string(c.number));
    }

    const int bzq = rows("select * from bzq", [](TADOQuery&) {});
    if (bzq >= 0 && bzq != 1) problems.push_back("bzq must hold one row, it holds " + std::to_string(bzq));

    std::set<std::string> laws;
    rows("select * from nr", [&](TADOQuery& q) {
        const std::string title = q.FieldByName("bt")->AsString();
        const std::string body = q.FieldByName("nr")->AsString();
        if (body.rfind("{\\rtf", 0) != 0) problems.push_back("nr: the text of '" + title + "' is not rich text");
        laws.insert(title);
    });
    for (const char* title : kLawTitles) {
        if (!laws.count(title)) problems.push_back(std::string("nr has no text for the law '") + title + "'");
    }
}

}  // namespace

std::vector<std::string> CheckInstallation(const fs::path& dir) {
    std::vector<std::string> problems;
    if (!fs::is_directory(dir)) return {dir.string() + ": no such folder"};
    try {
        for (auto& p : CheckQuestions(ReadQuestionFile(dir))) problems.push_back("jjj: " + p);
    } catch (const Exception& e) {
        problems.push_back(std::string("jjj: ") + e.what());
    }
    CheckAuxiliaryFile(dir, problems);

    const fs::path help = dir / "bangzhu.chm";
    std::ifstream chm(help, std::ios::binary);
    char magic[4] = {};
    if (!chm.read(magic, 4) || std::string(magic, 4) != "ITSF") {
        problems.push_back("bangzhu.chm is missing or is not a compiled help file");
    }
    for (const char* page : kSignPages) {
        const fs::path file = dir / "bzt" / (std::string(page) + ".htm");
        if (!fs::is_regular_file(file)) problems.push_back("bzt/" + std::string(page) + ".htm is missing");
    }
    return problems;
}
