#include <gtest/gtest.h>

#include <set>

#include "drill/exam_clock.h"
#include "drill/exam_paper.h"

namespace {

std::vector<int> DrawPaper(PaperDraw& draw) {
    std::vector<int> paper;
    for (int n = 1; n <= kPaperSize; ++n) paper.push_back(draw.Draw(paper));
    return paper;
}

}  // namespace

TEST(PaperDraw, APaperHoldsOneHundredDistinctQuestionsOfTheBank) {
    PaperDraw draw(1218);
    const auto paper = DrawPaper(draw);
    const std::set<int> distinct(paper.begin(), paper.end());
    EXPECT_EQ(distinct.size(), size_t(kPaperSize));
    EXPECT_GE(*distinct.begin(), 1);
    EXPECT_LE(*distinct.rbegin(), 1218);
    PaperDraw other(1218);
    EXPECT_NE(DrawPaper(other), paper);
}

TEST(PaperDraw, EndsEvenWhenOnlyOneQuestionIsLeftAndReachesTheLastQuestion) {
    // With a bank of exactly 100 every paper is the whole bank, the last draw has one choice.
    for (uint64_t seed = 0; seed < 20; ++seed) {
        PaperDraw draw(100, seed);
        const auto paper = DrawPaper(draw);
        EXPECT_EQ(std::set<int>(paper.begin(), paper.end()).size(), 100u);
    }
    // Over many papers of a small bank every number, the highest included, turns up.
    std::set<int> seen;
    PaperDraw draw(150, 7);
    for (int i = 0; i < 40; ++i) {
        const auto paper = DrawPaper(draw);
        seen.insert(paper.begin(), paper.end());
    }
    EXPECT_EQ(seen.size(), 150u);
    EXPECT_TRUE(seen.count(150));
}

TEST(PaperDraw, EachPositionIsUniformOverTheFreeNumbers) {
    // Numbers 1..10 with 2, 5 and 9 taken: the seven others come up about equally often.
    PaperDraw draw(10, 42);
    const std::vector<int> taken{9, 2, 5};
    std::array<int, 11> counts{};
    for (int i = 0; i < 70000; ++i) ++counts[size_t(draw.Draw(taken))];
    for (int taken_id : taken) EXPECT_EQ(counts[size_t(taken_id)], 0);
    for (int id : {1, 3, 4, 6, 7, 8, 10}) EXPECT_NEAR(counts[size_t(id)], 10000, 600) << id;
}

TEST(PaperDraw, ABankSmallerThanThePaperRepeatsRatherThanLoopingForever) {
    PaperDraw draw(3, 1);
    const auto paper = DrawPaper(draw);
    EXPECT_EQ(std::set<int>(paper.begin(), paper.begin() + 3), (std::set<int>{1, 2, 3}));
    for (int id : paper) EXPECT_TRUE(id >= 1 && id <= 3);
    EXPECT_EQ(PaperDraw(0, 1).Draw({}), 0);
}

TEST(ExamPaper, AnswersVerdictsAndTheFirstUnansweredPosition) {
    ExamPaper paper;
    paper.ResetAnswers();
    EXPECT_EQ(paper.FirstUnanswered(), 1);
    for (int p = 1; p <= 4; ++p) paper.RecordAnswer(p, 1, "A");
    EXPECT_EQ(paper.FirstUnanswered(), 5);
    paper.RecordAnswer(7, 2, "B ");
    EXPECT_EQ(paper.verdicts[7], 1);
    paper.RecordAnswer(7, 3, "B");  // answering again overwrites answer and verdict
    EXPECT_EQ(paper.given_answers[7], 3);
    EXPECT_EQ(paper.verdicts[7], 2);
    // A daan outside A-C leaves a first answer unjudged and a later one as it was.
    paper.RecordAnswer(8, 1, "X");
    EXPECT_EQ(paper.verdicts[8], 0);
    paper.RecordAnswer(9, 1, "A");
    paper.RecordAnswer(9, 2, "?");
    EXPECT_EQ(paper.verdicts[9], 1);
    EXPECT_EQ(paper.given_answers[9], 2);
    for (int p = 1; p <= kPaperSize; ++p) {
        if (!paper.given_answers[size_t(p)]) paper.RecordAnswer(p, 1, "A");
    }
    EXPECT_EQ(paper.FirstUnanswered(), 0);
}

TEST(ExamPaper, MarkingCountsUnansweredAndWrongAlike) {
    ExamPaper paper;
    paper.ResetAnswers();
    EXPECT_EQ(paper.Score(), 0);
    EXPECT_EQ(paper.PositionsNotRight().size(), 100u);
    // 90 right, 6 wrong, 4 unanswered.
    for (int p = 1; p <= 90; ++p) paper.RecordAnswer(p, 2, "B");
    for (int p = 91; p <= 96; ++p) paper.RecordAnswer(p, 1, "C");
    EXPECT_EQ(paper.Score(), 90);
    const auto blue = paper.PositionsNotRight();
    ASSERT_EQ(blue.size(), 10u);
    EXPECT_EQ(blue.front(), 91);
    EXPECT_EQ(blue.back(), 100);
    for (int p = 91; p <= 100; ++p) paper.RecordAnswer(p, 1, "A");
    EXPECT_EQ(paper.Score(), 100);
    EXPECT_TRUE(paper.PositionsNotRight().empty());
    paper.handed_in = "t";
    paper.ResetAnswers();
    EXPECT_FALSE(paper.Ended());
    EXPECT_EQ(paper.current_index, 1);
}

TEST(ExamClock, RunsFortyFiveMinutesAndEndsOnTheTickAfterZero) {
    ExamClock clock;
    EXPECT_EQ(clock.Label(), kClockStartLabel);
    ASSERT_TRUE(clock.Tick());
    EXPECT_EQ(clock.Label(), L"44:59");
    int ticks = 1;
    std::set<std::wstring> labels;
    while (clock.Tick()) {
        ++ticks;
        labels.insert(clock.Label());
        if (ticks == 2100) { EXPECT_EQ(clock.Label(), L"10:00"); }
        if (ticks == 2101) { EXPECT_EQ(clock.Label(), L"9:59"); }
        if (ticks == 2695) { EXPECT_EQ(clock.Label(), L"0:05"); }
    }
    EXPECT_EQ(ticks, 2700);  // the 2700th tick shows 0:00, the 2701st ends the paper
    EXPECT_TRUE(labels.count(L"0:00"));
    EXPECT_EQ(labels.size(), 2699u);
    clock.Restart();
    EXPECT_EQ(clock.Label(), L"45:00");
}
