#include <map>
#include <set>

#include "bank_check.h"
#include "base/bmp.h"
#include "base/errors.h"

namespace {

const ChapterInfo* ChapterOfId(int id) {
    for (const ChapterInfo& c : kChapters) {
        if (id >= c.firstId && id <= c.lastId) return &c;
    }
    return nullptr;
}

std::string Quoted(const std::string& text) { return "“" + text + "”"; }

// Missing numbers as runs, one line each: a single missing row would otherwise shift every
// later number and bury the one fault under hundreds of lines.
void ReportMissingIds(const std::set<int>& present, std::vector<BankProblem>& problems) {
    for (int id = 1; id <= kBankSize; ++id) {
        if (present.count(id)) continue;
        int last = id;
        while (last < kBankSize && !present.count(last + 1)) ++last;
        problems.push_back({-1, "id", id == last ? "缺少第 " + std::to_string(id) + " 题"
                                                  : "缺少第 " + std::to_string(id) + "～" + std::to_string(last) + " 题（共 " +
                                                        std::to_string(last - id + 1) + " 道）"});
        id = last;
    }
}

}  // namespace

std::string BankRules() {
    return "题库必须正好有 " + std::to_string(kBankSize) + " 道题，题号 1～" + std::to_string(kBankSize) +
           "；第 1～" + std::to_string(kSetCount * kSetSize) + " 题分成 " + std::to_string(kSetCount) + " 套、每套正好 " +
           std::to_string(kSetSize) + " 道（“t”列写 1～" + std::to_string(kSetCount) + "），第 " +
           std::to_string(kSetCount * kSetSize + 1) + "～" + std::to_string(kBankSize) +
           " 题不属于任何一套（“t”列留空）。";
}

std::string DescribeProblem(const std::string& place, const std::string& column, const std::string& what) {
    std::string line = place;
    if (!column.empty()) line += (line.empty() ? "" : "，") + Quoted(column) + "列";
    return line.empty() ? what : line + "：" + what;
}

std::vector<std::string> DescribeByQuestion(const std::vector<BankProblem>& problems, const std::vector<BankQuestion>& bank) {
    std::vector<std::string> lines;
    for (const BankProblem& p : problems) {
        const std::string place = p.position >= 0 ? "第 " + std::to_string(bank[size_t(p.position)].id) + " 题" : "";
        lines.push_back(DescribeProblem(place, p.column, p.what));
    }
    return lines;
}

std::vector<std::string> FirstProblems(const std::vector<std::string>& lines, size_t limit) {
    if (lines.size() <= limit) return lines;
    std::vector<std::string> shown(lines.begin(), lines.begin() + long(limit));
    shown.push_back("……另有 " + std::to_string(lines.size() - limit) + " 处问题没有列出（多半由上面的问题引起），请先改正上面的问题");
    return shown;
}

std::vector<BankProblem> CheckQuestions(const std::vector<BankQuestion>& bank) {
    std::vector<BankProblem> problems;
    if (int(bank.size()) != kBankSize) {
        problems.push_back({-1, "", "题库共有 " + std::to_string(bank.size()) + " 道题，应为 " + std::to_string(kBankSize) +
                                        " 道（题号 1～" + std::to_string(kBankSize) + "）"});
    }
    std::set<int> ids;
    for (const BankQuestion& q : bank) ids.insert(q.id);
    ReportMissingIds(ids, problems);
    std::set<int> seen;
    std::map<int, int> setSizes;
    std::map<std::string, int> tihaos;  // book number -> question number that has it
    for (size_t i = 0; i < bank.size(); ++i) {
        const BankQuestion& q = bank[i];
        const auto report = [&](const char* column, const std::string& what) { problems.push_back({int(i), column, what}); };
        const ChapterInfo* chapter = ChapterOfId(q.id);
        if (!chapter) {
            report("id", "题号 " + std::to_string(q.id) + " 不在 1～" + std::to_string(kBankSize) + " 之内");
            continue;
        }
        if (!seen.insert(q.id).second) {
            report("id", "题号 " + std::to_string(q.id) + " 出现了不止一次");
            continue;
        }
        const std::string tihao = TrimSpaces(q.tihao);
        const std::string prefix = std::to_string(chapter->number) + ".";
        if (tihao.rfind(prefix, 0) != 0) {
            report("tihao", Quoted(q.tihao) + "应以" + Quoted(prefix) + "开头（第 " + std::to_string(q.id) + " 题属于第 " +
                                std::to_string(chapter->number) + " 章）");
        }
        if (TrimSpaces(q.lei1) != chapter->title) {
            report("lei1", Quoted(q.lei1) + "应为第 " + std::to_string(chapter->number) + " 章的标题" + Quoted(chapter->title));
        }
        if (!tihao.empty()) {
            const auto [it, added] = tihaos.emplace(tihao, q.id);
            if (!added) report("tihao", Quoted(tihao) + "与第 " + std::to_string(it->second) + " 题的章节题号重复");
        }
        if (TrimSpaces(q.timu).empty()) report("timu", "题目为空");
        if (TrimSpaces(q.a).empty()) report("A", "选项 A 为空");
        if (TrimSpaces(q.b).empty()) report("B", "选项 B 为空");
        if (TrimSpaces(q.lei2).empty()) report("lei2", "节的标题为空");
        const bool threeOptions = !TrimSpaces(q.c).empty();
        const std::string kind = TrimSpaces(q.lei3);
        if (kind == kSingleChoice) {
            if (!threeOptions) report("C", "单项选择题必须有选项 C");
        } else if (kind == kTrueFalse) {
            if (threeOptions) report("C", "判断题的选项 C 必须为空");
        } else {
            report("lei3", Quoted(q.lei3) + "应为" + Quoted(kSingleChoice) + "或" + Quoted(kTrueFalse));
        }
        const std::string daan = TrimSpaces(q.daan);
        if (daan != "A" && daan != "B" && daan != "C") {
            report("daan", "答案" + Quoted(q.daan) + "应为 A、B 或 C");
        } else if (daan == "C" && !threeOptions) {
            report("daan", "答案是 C，但这道题只有 A、B 两个选项");
        }
        if (q.id <= kSetCount * kSetSize) {
            if (q.t < 1 || q.t > kSetCount) {
                report("t", "第 1～" + std::to_string(kSetCount * kSetSize) + " 题必须属于第 1～" + std::to_string(kSetCount) +
                                " 套，这里" + (q.t == 0 ? std::string("为空") : "是 " + std::to_string(q.t)));
            } else {
                ++setSizes[q.t];
            }
        } else if (q.t != 0) {
            report("t", "第 " + std::to_string(kSetCount * kSetSize + 1) + " 题以后的题不属于任何一套，应为空");
        }
        if (const std::string mark = TrimSpaces(q.bz); mark != "" && mark != "t") report("bz", "强化练习标记" + Quoted(q.bz) + "应为空或 t");
        if (!q.image.empty()) {
            try {
                DecodeBmp(q.image);
            } catch (const Exception&) {
                report("image", "图片不是有效的 BMP 位图文件");
            }
        }
    }
    for (int set = 1; set <= kSetCount; ++set) {
        if (setSizes[set] != kSetSize) {
            problems.push_back({-1, "t", "第 " + std::to_string(set) + " 套有 " + std::to_string(setSizes[set]) +
                                             " 道题，每套应正好 " + std::to_string(kSetSize) + " 道"});
        }
    }
    return problems;
}
