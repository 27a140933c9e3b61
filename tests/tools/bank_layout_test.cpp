#include <gtest/gtest.h>

#include <map>
#include <set>

#include "bank_check.h"
#include "bank_fixture.h"
#include "bank_layout.h"

namespace {

std::vector<BankQuestion> SyntheticBank() { return LayOutBank(SyntheticChapters(), TinyPicture); }

std::string FirstError(const std::array<std::vector<ContentQuestion>, 4>& chapters) {
    try {
        LayOutBank(chapters, TinyPicture);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(BankLayout, NumbersChaptersSetsAndBookNumbersFollowTheConventions) {
    const auto bank = SyntheticBank();
    ASSERT_EQ(bank.size(), size_t(kBankSize));
    std::map<int, int> setSizes;
    std::set<std::string> tihaos;
    for (const auto& q : bank) {
        ++setSizes[q.t];
        tihaos.insert(q.tihao);
    }
    EXPECT_EQ(tihaos.size(), bank.size());
    for (int s = 1; s <= kSetCount; ++s) EXPECT_EQ(setSizes[s], kSetSize) << "set " << s;
    EXPECT_EQ(setSizes[0], kBankSize - kSetCount * kSetSize);
    EXPECT_EQ(bank[1199].t, 12);
    EXPECT_EQ(bank[1200].t, 0);
    EXPECT_EQ(bank[860].lei1, "各准驾车型通用试题");
    EXPECT_EQ(bank[861].lei1, "大型客车牵引车专用试题");
    EXPECT_EQ(bank[861].tihao.rfind("2.", 0), 0u);
    EXPECT_EQ(bank[1217].tihao.rfind("4.", 0), 0u);
    // The first question of chapter 1 is a true/false one of section 1: kind 2, number 1.
    EXPECT_EQ(bank[0].tihao, "1.1.2.1");
    EXPECT_EQ(bank[0].c, " ");
    EXPECT_EQ(bank[1].tihao, "1.1.1.1");
    EXPECT_TRUE(CheckQuestions(bank).empty());
}

TEST(BankLayout, ASectionThatComesBackKeepsItsNumber) {
    const auto bank = SyntheticBank();
    const auto& last = bank[860];
    EXPECT_EQ(last.lei2, bank[0].lei2);
    EXPECT_EQ(last.tihao.rfind("1.1.", 0), 0u) << last.tihao;
    EXPECT_NE(bank[430].lei2, bank[0].lei2);
}

TEST(BankLayout, RefusesContentThatBreaksAConvention) {
    auto chapters = SyntheticChapters();
    chapters[1].pop_back();
    EXPECT_NE(FirstError(chapters).find("chapter 2 has 218 questions; it needs exactly 219"), std::string::npos);

    chapters = SyntheticChapters();
    chapters[2][5] = chapters[2][4];
    EXPECT_NE(FirstError(chapters).find("the same question occurs twice"), std::string::npos);

    chapters = SyntheticChapters();
    chapters[0][0].c = "也许";  // a true/false question with a third option
    EXPECT_NE(FirstError(chapters).find("true/false"), std::string::npos);

    chapters = SyntheticChapters();
    chapters[0][1].answer = "D";
    EXPECT_NE(FirstError(chapters).find("the answer is A, B or C"), std::string::npos);

    chapters = SyntheticChapters();
    chapters[0][2].b = chapters[0][2].a;
    EXPECT_NE(FirstError(chapters).find("two options are the same"), std::string::npos);
}

TEST(BankLayout, APictureThatCannotBeDrawnNamesItsLine) {
    auto chapters = SyntheticChapters();
    const int line = chapters[3][10].line;
    chapters[3][10].picture = "limit:banana";
    const auto failing = [](const std::string& picture, int ordinal) {
        if (picture == "limit:banana") throw std::invalid_argument("not a number");
        return TinyPicture(picture, ordinal);
    };
    try {
        LayOutBank(chapters, failing);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("content line " + std::to_string(line)), std::string::npos) << what;
        EXPECT_NE(what.find("limit:banana"), std::string::npos) << what;
    }
}

TEST(BankCheck, ReportsEveryBrokenConvention) {
    struct Tamper {
        const char* expected;
        void (*apply)(std::vector<BankQuestion>&);
    };
    const Tamper tampers[] = {
        {"“id”列：缺少第 41 题", [](auto& b) { b[40].id = 42; }},
        {"第 42 题，“id”列：题号 42 出现了不止一次", [](auto& b) { b[40].id = 42; }},
        {"第 1300 题，“id”列：题号 1300 不在 1～1218 之内", [](auto& b) { b[40].id = 1300; }},
        {"第 4 题，“tihao”列：“2.1.1.1”应以“1.”开头", [](auto& b) { b[3].tihao = "2.1.1.1"; }},
        {"第 901 题，“lei1”列：“各准驾车型通用试题”应为第 2 章的标题“大型客车牵引车专用试题”", [](auto& b) { b[900].lei1 = "各准驾车型通用试题"; }},
        {"第 8 题，“daan”列：答案“D”应为 A、B 或 C", [](auto& b) { b[7].daan = "D"; }},
        {"第 1 题，“daan”列：答案是 C，但这道题只有 A、B 两个选项", [](auto& b) { b[0].daan = "C"; }},
        {"第 1 题，“C”列：判断题的选项 C 必须为空", [](auto& b) { b[0].c = "三"; }},
        {"第 2 题，“C”列：单项选择题必须有选项 C", [](auto& b) { b[1].c = "   "; }},
        {"“t”列：第 3 套有 99 道题，每套应正好 100 道", [](auto& b) { b[2].t = 0; }},
        {"第 1206 题，“t”列：第 1201 题以后的题不属于任何一套，应为空", [](auto& b) { b[1205].t = 4; }},
        {"第 6 题，“image”列：图片不是有效的 BMP 位图文件", [](auto& b) { b[5].image = {'G', 'I', 'F', '8'}; }},
        {"第 10 题，“bz”列：强化练习标记“x”应为空或 t", [](auto& b) { b[9].bz = "x"; }},
        {"与第 11 题的章节题号重复", [](auto& b) { b[11].tihao = b[10].tihao; }},
        {"题库共有 1217 道题，应为 1218 道", [](auto& b) { b.pop_back(); }},
    };
    for (const auto& tamper : tampers) {
        auto bank = SyntheticBank();
        tamper.apply(bank);
        const auto problems = DescribeByQuestion(CheckQuestions(bank), bank);
        bool found = false;
        for (const auto& p : problems) found = found || p.find(tamper.expected) != std::string::npos;
        EXPECT_TRUE(found) << "expected a problem containing '" << tamper.expected << "'";
    }
    // A daan with a trailing blank is still a valid answer.
    auto bank = SyntheticBank();
    bank[1].daan = "B ";
    EXPECT_TRUE(CheckQuestions(bank).empty());
}
