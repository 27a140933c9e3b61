// The mock exam driven through its real key messages and its timer handler: the paper, the
// key table, answering and the answer sheet, the clock, hand-in, time-out, the score, what
// moving shows afterwards and the closing rule.
#include <set>

#include "base/utf.h"
#include "drill/answer_codes.h"
#include "exam/win/form5.h"
#include "support/paper_window_test.h"
#include "ui/gdi.h"

namespace {

class ExamTest : public PaperWindowTest<TForm5> {
protected:
    TForm5* Open() { return OpenPaperWindow([this] { return GetFocus() == form_->WindowHandle(); }); }
    // Puts the given questions at the first positions of the paper and shows position 1.
    void Plant(std::initializer_list<int> ids) {
        int p = 1;
        for (int id : ids) form_->paper.paper_ids[size_t(p++)] = id;
        form_->GoToPosition(1);
    }
    int Blue() { return Count(clBlue); }
    int Id(const std::string& where) {
        const auto ids = bank_->Ids(where);
        return ids.empty() ? 0 : ids.front();
    }
    // Answers every position: right ones with the stored letter, the rest with another.
    void AnswerAll(bool right) {
        for (int p = 1; p <= 100; ++p) {
            form_->GoToPosition(p);
            const char stored = Daan(form_->paper.paper_ids[size_t(p)])[0];
            char pick = right ? stored : (stored == 'A' ? 'B' : 'A');
            if (pick == 'C' && !form_->Card().ThirdOptionShown()) pick = 'A';
            Type(wchar_t(L'1' + (pick - 'A')));
        }
    }
};

TEST_F(ExamTest, OpensOnAFreshPaperOfDistinctQuestions) {
    TForm5* exam = Open();
    EXPECT_EQ(exam->Caption.Get(), L"模拟考试");
    EXPECT_EQ(exam->question_count, 1218);
    std::set<int> ids(exam->paper.paper_ids.begin() + 1, exam->paper.paper_ids.end());
    EXPECT_EQ(ids.size(), 100u);
    EXPECT_GE(*ids.begin(), 1);
    EXPECT_LE(*ids.rbegin(), 1218);
    EXPECT_EQ(Caption(exam->Label14), L"1");
    EXPECT_EQ(Caption(exam->Label16), L"45:00");
    EXPECT_EQ(Caption(exam->Label12), L"");
    EXPECT_EQ(exam->ADOQuery1->FieldByName("id")->AsInteger(), exam->paper.paper_ids[1]);
    for (int p = 1; p <= 100; ++p) EXPECT_EQ(CellColour(p), clBlack) << p;
    const auto first = exam->paper.paper_ids;
    form_.reset();
    Open();
    EXPECT_NE(form_->paper.paper_ids, first);
}

TEST_F(ExamTest, TheAnswerSheetFitsItsPanelInTenRowsOfTen) {
    TForm5* exam = Open();
    for (int p = 1; p <= 100; ++p) {
        TLabel* cell = exam->Sheet().Cell(p);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->Caption.Get(), std::to_wstring(p));
        EXPECT_LE(cell->BoundsRect().bottom, exam->Panel1->Height.Get()) << p;
        EXPECT_LE(cell->BoundsRect().right, exam->Panel1->Width.Get()) << p;
        // The caption shows whole: "100" in bold 14 px is the widest.
        MemDC dc;
        SelectGuard font(dc.Get(), cell->Font->Handle());
        SIZE extent{};
        GetTextExtentPoint32W(dc.Get(), cell->Caption.Get().c_str(), int(cell->Caption.Get().size()), &extent);
        EXPECT_LE(extent.cx, cell->Width.Get()) << p;
        if (p % 10 != 1) {
            EXPECT_EQ(cell->Top.Get(), exam->Sheet().Cell(p - 1)->Top.Get()) << p;
        }
        if (p > 10) {
            EXPECT_GT(cell->Top.Get(), exam->Sheet().Cell(p - 10)->Top.Get()) << p;
        }
    }
    EXPECT_LE(exam->Panel1->BoundsRect().bottom, exam->ClientHeight());
}

class SmallBankExamTest : public ExamTest {
protected:
    SmallBankExamTest() { keepQuestions_ = 120; }
};

TEST_F(SmallBankExamTest, TheLastQuestionOfTheBankCanBeDrawn) {
    bool seen = false;
    for (int i = 0; i < 15 && !seen; ++i) {
        Open();
        EXPECT_EQ(form_->question_count, 120);
        for (int p = 1; p <= 100; ++p) {
            ASSERT_GE(form_->paper.paper_ids[size_t(p)], 1);
            ASSERT_LE(form_->paper.paper_ids[size_t(p)], 120);
            seen = seen || form_->paper.paper_ids[size_t(p)] == 120;
        }
        form_.reset();
    }
    EXPECT_TRUE(seen);
}

TEST_F(ExamTest, MovesStopAtBothEndsAndArrowsMoveToo) {
    TForm5* exam = Open();
    Type(L'4');
    EXPECT_EQ(exam->paper.current_index, 1);
    Type(L'6');
    PressKey(VK_RIGHT);
    EXPECT_EQ(Caption(exam->Label14), L"3");
    PressKey(VK_LEFT);
    EXPECT_EQ(exam->paper.current_index, 2);
    exam->GoToPosition(100);
    Type(L'6');
    PressKey(VK_RIGHT);
    EXPECT_EQ(exam->paper.current_index, 100);
    EXPECT_EQ(exam->ADOQuery1->FieldByName("id")->AsInteger(), exam->paper.paper_ids[100]);
}

TEST_F(ExamTest, AnsweringRecordsColoursTheCellAndStaysOnTheQuestion) {
    TForm5* exam = Open();
    exam->GoToPosition(7);
    Type(L'2');
    EXPECT_EQ(CellColour(7), clRed);
    EXPECT_EQ(Caption(exam->Label12), L"你的答案是:2");
    EXPECT_EQ(Caption(exam->Label14), L"7");
    EXPECT_EQ(exam->paper.given_answers[7], 2);
    EXPECT_EQ(exam->paper.verdicts[7], Daan(exam->paper.paper_ids[7]) == "B" ? 1 : 2);
    EXPECT_TRUE(Application->ShownBoxes().empty());
    // Moving away and back shows the recorded answer; an unanswered position shows none.
    Type(L'6');
    EXPECT_EQ(Caption(exam->Label12), L"");
    Type(L'4');
    EXPECT_EQ(Caption(exam->Label12), L"你的答案是:2");
}

TEST_F(ExamTest, AnsweringTheLastPositionSaysSoFirstAndKeepsTheAnswerLabel) {
    TForm5* exam = Open();
    exam->GoToPosition(99);
    Type(L'1');
    exam->GoToPosition(100);
    exam->Label12->Caption = L"不变";
    Application->SetBoxResponder([](const TOpenBox&) { return IDOK; });
    Type(L'1');
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"已经到最后一题");
    EXPECT_EQ(exam->paper.given_answers[100], 1);
    EXPECT_EQ(CellColour(100), clRed);
    EXPECT_EQ(Caption(exam->Label12), L"不变");
}

TEST_F(ExamTest, KeyThreeIsIgnoredOnATrueFalseQuestion) {
    TForm5* exam = Open();
    Plant({Id("trim(C) = ''"), Id("trim(C) <> ''")});
    ASSERT_FALSE(exam->Card().ThirdOptionShown());
    Type(L'3');
    EXPECT_EQ(exam->paper.given_answers[1], 0);
    EXPECT_EQ(CellColour(1), clBlack);
    EXPECT_EQ(Caption(exam->Label12), L"");
    Type(L'6');
    ASSERT_TRUE(exam->Card().ThirdOptionShown());
    Type(L'3');
    EXPECT_EQ(exam->paper.given_answers[2], 3);
}

TEST_F(ExamTest, KeyFiveFindsTheFirstUnansweredPosition) {
    TForm5* exam = Open();
    for (int p = 1; p <= 4; ++p) {
        exam->GoToPosition(p);
        Type(L'1');
    }
    exam->GoToPosition(60);
    Type(L'5');
    EXPECT_EQ(exam->paper.current_index, 5);
    EXPECT_EQ(Caption(exam->Label14), L"5");
    AnswerAll(true);
    Application->ClearShownBoxes();
    exam->GoToPosition(42);
    Type(L'5');
    EXPECT_EQ(exam->paper.current_index, 42);
}

TEST_F(ExamTest, TheClockStartsOnTheFirstKeyButNumLockAndTicks) {
    TForm5* exam = Open();
    PressKey(VK_NUMLOCK);
    PressKey(VK_NUMLOCK);  // and back on
    EXPECT_FALSE(exam->Timer1->Enabled);
    Type(L'x');  // a key with no meaning for the exam starts it all the same
    EXPECT_TRUE(exam->Timer1->Enabled);
    exam->Timer1Timer();
    EXPECT_EQ(Caption(exam->Label16), L"44:59");
    for (int i = 1; i < 2700; ++i) exam->Timer1Timer();
    EXPECT_EQ(Caption(exam->Label16), L"0:00");
    EXPECT_FALSE(exam->paper.Ended());
    exam->Timer1Timer();  // the tick after 0:00 ends the paper
    EXPECT_TRUE(exam->paper.Ended());
    EXPECT_EQ(Caption(exam->Label16), L"0:00");
    EXPECT_FALSE(exam->Timer1->Enabled);
    EXPECT_EQ(Caption(exam->Label12), L"你的成绩为：0");
    EXPECT_EQ(Blue(), 100);
    // The next move replaces the score in the answer label.
    Type(L'6');
    EXPECT_EQ(Caption(exam->Label12), L"");
}

TEST_F(ExamTest, HandingInWithNoAnswersAndWithAllRight) {
    TForm5* exam = Open();
    Application->SetBoxResponder([](const TOpenBox& box) { return box.Text == L"确实要交卷吗？" ? IDYES : IDOK; });
    Type(L'*');
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Caption, L"提示");
    EXPECT_TRUE(exam->paper.Ended());
    EXPECT_EQ(Caption(exam->Label20), L"你的成绩为：0");
    EXPECT_EQ(Blue(), 100);
    EXPECT_FALSE(exam->Timer1->Enabled);

    form_->paper.handed_in = "t";
    form_.reset();
    exam = Open();
    AnswerAll(true);
    Type(L'+');
    EXPECT_EQ(Caption(exam->Label20), L"你的成绩为：100");
    EXPECT_EQ(Blue(), 0);
}

TEST_F(ExamTest, NoToTheConfirmationLeavesThePaperOpenAndTheClockRunning) {
    TForm5* exam = Open();
    Application->SetBoxResponder([](const TOpenBox&) { return IDNO; });
    Type(L'*');
    EXPECT_FALSE(exam->paper.Ended());
    EXPECT_TRUE(exam->Timer1->Enabled);
    EXPECT_EQ(Caption(exam->Label20), L"");
}

TEST_F(ExamTest, AStoredAnswerOutsideTheLettersNeverCountsAsRight) {
    TForm5* exam = Open();
    const int id = exam->paper.paper_ids[1];
    bank_->ExecuteOnBank("update kaoti set daan='X' where id=" + std::to_string(id));
    exam->ADOQuery1->Close();
    exam->ADOQuery1->Open();
    exam->GoToPosition(1);
    Type(L'1');
    EXPECT_EQ(exam->paper.verdicts[1], 0);
    EXPECT_EQ(CellColour(1), clRed);
    Application->SetBoxResponder([](const TOpenBox&) { return IDYES; });
    Type(L'*');
    EXPECT_EQ(CellColour(1), clBlue);
}

TEST_F(ExamTest, AfterTheEndOnlyMovingActsAndShowsTheCorrectAnswers) {
    TForm5* exam = Open();
    exam->GoToPosition(2);
    Type(L'2');
    Application->SetBoxResponder([](const TOpenBox&) { return IDYES; });
    Type(L'*');
    const auto boxes = Application->ShownBoxes().size();
    const auto before = exam->paper.given_answers;
    exam->GoToPosition(1);
    Type(L'3');
    Type(L'1');
    Type(L'5');
    Type(L'+');
    EXPECT_EQ(exam->paper.given_answers, before);
    EXPECT_EQ(exam->paper.current_index, 1);
    EXPECT_EQ(Application->ShownBoxes().size(), boxes);
    Type(L'6');
    EXPECT_EQ(Caption(exam->Label12), L"你的答案是:2");
    EXPECT_EQ(Caption(exam->Label21), CorrectAnswerText(Daan(exam->paper.paper_ids[2])).value());
    EXPECT_EQ(Caption(exam->Label20), L"你的成绩为：" + std::to_wstring(exam->paper.Score()));
}

TEST_F(ExamTest, ClosingIsRefusedOnlyWhileAStartedPaperRuns) {
    TForm5* exam = Open();
    Application->SetBoxResponder([](const TOpenBox&) { return IDOK; });
    Type(L'8');  // starts the clock, but it has not ticked: the window closes
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
    EXPECT_TRUE(Application->ShownBoxes().empty());

    exam = Open();
    Type(L'6');
    exam->Timer1Timer();
    Type(L'8');
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"已经开始作题，交卷后才能关闭");
    EXPECT_TRUE(IsWindowVisible(exam->WindowHandle()));
    Application->SetBoxResponder([](const TOpenBox&) { return IDYES; });
    Type(L'+');
    Type(L'8');
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
}

TEST_F(ExamTest, ATimeOutDuringTheConfirmationThenYesMarksAgainAndFillsTheScoreLabel) {
    TForm5* exam = Open();
    Type(L'6');
    exam->clock.minutes_left = 0;
    exam->clock.seconds_left = 1;
    bool ticked = false;
    Application->SetBoxResponder([&](const TOpenBox&) {
        if (!ticked) {
            exam->Timer1Timer();  // 0:00
            exam->Timer1Timer();  // time is up while the question is on screen
            ticked = true;
            return kBoxNotYet;
        }
        return IDYES;
    });
    Type(L'*');
    EXPECT_TRUE(exam->paper.Ended());
    EXPECT_EQ(Caption(exam->Label12), L"你的成绩为：0");
    EXPECT_EQ(Caption(exam->Label20), L"你的成绩为：0");
    EXPECT_EQ(Caption(exam->Label16), L"0:00");
}

TEST_F(ExamTest, OpeningAndClosingTwoHundredTimesLeavesTheObjectCountsAsTheyWere) {
    Open();
    form_.reset();
    const int gdi = GdiObjectCount();
    const int windows = ThreadWindowCount();
    for (int i = 0; i < 200; ++i) {
        Open();
        form_.reset();
    }
    PumpFor(20);
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace
