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

}  // namespace

std::vector<std::string> CheckQuestions(const std::vector<BankQuestion>& bank) {
    std::vector<std::string> problems;
    const auto report = [&](const BankQuestion& q, const std::string& what) {
        problems.push_back("question " + std::to_string(q.id) + ": " + what);
    };
    if (int(bank.size()) != kBankSize) {
        problems.push_back("the bank holds " + std::to_string(bank.size()) + " questions; it needs " +
                           std::to_string(kBankSize));
    }
    std::map<int, int> setSizes;
    std::set<std::string> tihaos;
    for (size_t i = 0; i < bank.size(); ++i) {
        const BankQuestion& q = bank[i];
        if (q.id != int(i) + 1) {
            problems.push_back("the numbers must run 1.." + std::to_string(bank.size()) +
                               " in order without gaps; position " + std::to_string(i + 1) + " holds " +
                               std::to_string(q.id));
            continue;
        }
        const ChapterInfo* chapter = ChapterOfId(q.id);
        const std::string tihao = TrimSpaces(q.tihao);
        if (chapter) {
            if (tihao.rfind(std::to_string(chapter->number) + ".", 0) != 0) {
                report(q, "tihao '" + q.tihao + "' must start with " + std::to_string(chapter->number) + ".");
            }
            if (q.lei1 != chapter->title) {
                report(q, "lei1 '" + q.lei1 + "' must be the chapter title '" + chapter->title + "'");
            }
        } else {
            report(q, "lies outside the four chapters (1-" + std::to_string(kBankSize) + ")");
        }
        if (!tihao.empty() && !tihaos.insert(tihao).second) report(q, "tihao '" + tihao + "' occurs twice");
        if (TrimSpaces(q.timu).empty()) report(q, "empty question text (timu)");
        if (TrimSpaces(q.a).empty() || TrimSpaces(q.b).empty()) report(q, "options A and B must not be blank");
        if (TrimSpaces(q.lei2).empty()) report(q, "empty section title (lei2)");
        const bool threeOptions = !TrimSpaces(q.c).empty();
        if (q.lei3 == kSingleChoice) {
            if (!threeOptions) report(q, "a 单项选择题 needs option C");
        } else if (q.lei3 == kTrueFalse) {
            if (threeOptions) report(q, "a 判断题 must have a blank option C");
        } else {
            report(q, "lei3 '" + q.lei3 + "' must be 单项选择题 or 判断题");
        }
        const std::string daan = TrimSpaces(q.daan);
        if (daan != "A" && daan != "B" && daan != "C") {
            report(q, "daan '" + q.daan + "' must be A, B or C");
        } else if (daan == "C" && !threeOptions) {
            report(q, "daan is C but the question has two options");
        }
        if (q.id <= kSetCount * kSetSize) {
            if (q.t < 1 || q.t > kSetCount) report(q, "t must name a set 1..12");
            else ++setSizes[q.t];
        } else if (q.t != 0) {
            report(q, "questions after " + std::to_string(kSetCount * kSetSize) + " belong to no set");
        }
        if (q.bz != "" && q.bz != "t") report(q, "bz must be empty or t");
        if (!q.image.empty()) {
            try {
                DecodeBmp(q.image);
            } catch (const Exception& e) {
                report(q, std::string("image: ") + e.what());
            }
        }
    }
    for (int set = 1; set <= kSetCount; ++set) {
        if (setSizes[set] != kSetSize) {
            problems.push_back("set " + std::to_string(set) + " holds " + std::to_string(setSizes[set]) +
                               " questions; each set needs exactly " + std::to_string(kSetSize));
        }
    }
    return problems;
}
