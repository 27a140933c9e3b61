#include "bank_layout.h"

#include <map>
#include <set>
#include <stdexcept>

namespace {

std::runtime_error LineError(const ContentQuestion& q, const std::string& what) {
    return std::runtime_error("content line " + std::to_string(q.line) + " (" + q.section + "): " + what);
}

void CheckContent(const ContentQuestion& q) {
    if (q.text.empty()) throw LineError(q, "empty question text");
    if (q.kind == kTrueFalse) {
        if (q.a != "正确" || q.b != "错误" || !q.c.empty()) {
            throw LineError(q, "a true/false question has the options 正确, 错误 and an empty C");
        }
        if (q.answer != "A" && q.answer != "B") throw LineError(q, "a true/false answer is A or B");
    } else {
        if (q.a.empty() || q.b.empty() || q.c.empty()) throw LineError(q, "a single-choice question needs A, B and C");
        if (q.answer != "A" && q.answer != "B" && q.answer != "C") throw LineError(q, "the answer is A, B or C");
        if (q.a == q.b || q.b == q.c || q.a == q.c) throw LineError(q, "two options are the same");
    }
}

}  // namespace

int SetOfQuestion(int id) {
    return id >= 1 && id <= kSetCount * kSetSize ? (id - 1) % kSetCount + 1 : 0;
}

std::vector<BankQuestion> LayOutBank(const std::array<std::vector<ContentQuestion>, 4>& chapters,
                                     const PictureSource& pictures) {
    std::vector<BankQuestion> bank;
    bank.reserve(kBankSize);
    std::set<std::string> seen;
    int pictureOrdinal = 0;
    for (size_t ci = 0; ci < kChapters.size(); ++ci) {
        const ChapterInfo& chapter = kChapters[ci];
        const auto& content = chapters[ci];
        const int expected = chapter.lastId - chapter.firstId + 1;
        if (int(content.size()) != expected) {
            throw std::runtime_error("chapter " + std::to_string(chapter.number) + " has " +
                                     std::to_string(content.size()) + " questions; it needs exactly " +
                                     std::to_string(expected));
        }
        std::map<std::string, int> sectionNumbers;     // by first appearance
        std::map<std::pair<int, int>, int> counters;   // (section, kind) -> running number
        for (const ContentQuestion& q : content) {
            CheckContent(q);
            const std::string key = q.text + "|" + q.a + "|" + q.b + "|" + q.c;
            if (!seen.insert(key).second) throw LineError(q, "the same question occurs twice");
            const int section = sectionNumbers.emplace(q.section, int(sectionNumbers.size()) + 1).first->second;
            const int kind = q.kind == kSingleChoice ? 1 : 2;
            const int n = ++counters[{section, kind}];

            BankQuestion row;
            row.id = int(bank.size()) + 1;
            row.tihao = std::to_string(chapter.number) + "." + std::to_string(section) + "." +
                        std::to_string(kind) + "." + std::to_string(n);
            row.timu = q.text;
            row.a = q.a;
            row.b = q.b;
            // A true/false question keeps C as one blank: readers trim before they decide.
            row.c = q.kind == kTrueFalse ? " " : q.c;
            row.daan = q.answer;
            row.t = SetOfQuestion(row.id);
            row.lei1 = chapter.title;
            row.lei2 = q.section;
            row.lei3 = q.kind;
            if (!q.picture.empty()) {
                try {
                    row.image = pictures(q.picture, pictureOrdinal++);
                } catch (const std::exception& e) {
                    throw LineError(q, std::string("picture '") + q.picture + "': " + e.what());
                }
            }
            bank.push_back(std::move(row));
        }
    }
    return bank;
}
