#include <fstream>
#include <functional>
#include <set>

#include "bank_check.h"
#include "bank_paths.h"
#include "bank_store.h"
#include "base/errors.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/field.h"
#include "data/paths.h"

namespace fs = std::filesystem;

namespace {

// The sign pages: bzt/ of the folder when it has one (the sample installation), otherwise on
// Windows the fixed folder the regulations viewer reads, where the installer puts them.
fs::path SignPageFolder(const fs::path& dir) {
#ifdef _WIN32
    if (!fs::is_directory(dir / "bzt")) return fs::path(L"C:\\voduvezu\\bzt");
#endif
    return dir / "bzt";
}

// The data layer's own words (the file and the engine's reason) follow in brackets.
std::string Cannot(const std::string& file, const std::string& what, const std::exception& e) {
    return file + "：" + what + "（" + e.what() + "）";
}

void CheckAuxiliaryFile(const fs::path& dir, std::vector<std::string>& problems) {
    TADOConnection connection;
    connection.DataSource = PathToUtf8(dir / "bz");
    connection.Mode = "Read";
    try {
        connection.Open();
    } catch (const Exception& e) {
        problems.push_back(Cannot("bz", "无法打开", e));
        return;
    }
    const auto rows = [&](const std::string& table, const std::function<void(TADOQuery&)>& each) {
        TADOQuery query;
        query.Connection = &connection;
        query.SQL.SetText("select * from " + table);
        try {
            query.Open();
            for (; !query.Eof(); query.Next()) each(query);
            return query.RecordCount();
        } catch (const Exception& e) {
            problems.push_back(Cannot("bz", "无法读取表 " + table, e));
            return -1;
        }
    };

    const int resume = rows("bz1", [&](TADOQuery& q) {
        int64_t id = 0;
        const std::string text = TrimSpaces(q.FieldByName("bz")->AsString());
        if (!ParseInteger(text, id) || id < 1 || id > kBankSize) {
            problems.push_back(DescribeProblem("bz 表 bz1", "bz", "续练题号“" + text + "”不是 1～" + std::to_string(kBankSize) + " 的题号"));
        }
    });
    if (resume >= 0 && resume != 1) problems.push_back("bz 表 bz1：应正好有 1 行，现有 " + std::to_string(resume) + " 行");

    std::set<std::string> chapters;
    rows("zhangjie", [&](TADOQuery& q) { chapters.insert(TrimSpaces(q.FieldByName("zhangjie")->AsString())); });
    for (const ChapterInfo& c : kChapters) {
        if (!chapters.count(std::to_string(c.number))) {
            problems.push_back(DescribeProblem("bz 表 zhangjie", "zhangjie", "缺少第 " + std::to_string(c.number) + " 章的书签行"));
        }
    }

    const int bzq = rows("bzq", [](TADOQuery&) {});
    if (bzq >= 0 && bzq != 1) problems.push_back("bz 表 bzq：应正好有 1 行，现有 " + std::to_string(bzq) + " 行");

    std::set<std::string> laws;
    rows("nr", [&](TADOQuery& q) {
        const std::string title = q.FieldByName("bt")->AsString();
        const std::string body = q.FieldByName("nr")->AsString();
        if (body.rfind("{\\rtf", 0) != 0) problems.push_back(DescribeProblem("bz 表 nr“" + title + "”一行", "nr", "正文不是 RTF 格式"));
        laws.insert(title);
    });
    for (const char* title : kLawTitles) {
        if (!laws.count(title)) problems.push_back(DescribeProblem("bz 表 nr", "bt", std::string("缺少法规“") + title + "”的正文"));
    }
}

}  // namespace

std::vector<std::string> CheckInstallation(const fs::path& dir) {
    std::vector<std::string> problems;
    if (!fs::is_directory(dir)) return {PathToUtf8(dir) + "：没有这个文件夹"};
    try {
        const std::vector<BankQuestion> bank = ReadQuestionFile(dir);
        for (const std::string& p : DescribeByQuestion(CheckQuestions(bank), bank)) problems.push_back("jjj " + p);
    } catch (const Exception& e) {
        problems.push_back(Cannot("jjj", "无法打开或读取", e));
    }
    CheckAuxiliaryFile(dir, problems);

    std::ifstream chm(dir / "bangzhu.chm", std::ios::binary);
    char magic[4] = {};
    if (!chm.read(magic, 4) || std::string(magic, 4) != "ITSF") {
        problems.push_back("bangzhu.chm：缺少这个文件，或者它不是编译好的帮助文件（CHM）");
    }
    const fs::path signs = SignPageFolder(dir);
    for (const char* page : kSignPages) {
        const fs::path file = signs / Utf8Path(std::string(page) + ".htm");
        if (!fs::is_regular_file(file)) problems.push_back(PathToUtf8(file) + "：缺少这个标志页面");
    }
    return problems;
}
