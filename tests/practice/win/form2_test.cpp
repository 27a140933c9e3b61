// Sequential practice driven through its real keys and clicks on a copy of the sample bank:
// the resume point in every state the file can hold it, instant feedback, the intensive mark,
// the jump, and what closing stores.
#include "practice/win/form2.h"

#include "base/utf.h"
#include "drill/answer_codes.h"
#include "practice_fixture.h"

namespace {

constexpr const wchar_t* kResumeQuestion500 = L"上次练习到: 题目500 点击<是>继续联系点击<否>从头开始";

class SequentialTest : public PracticeTest {
protected:
    void TearDown() override {
        form_.reset();
        PracticeTest::TearDown();
    }
    TForm2* Open() {
        return OpenWindow(form_, [](TADOConnection* bank, TADOConnection* aux) { return new TForm2(nullptr, bank, aux); });
    }
    void StoreResumePoint(const std::string& value) { RunOnAux("update bz1 set bz=" + value); }
    int Shown() { return std::stoi(form_->DBText4->DisplayText()); }
    std::wstring Feedback() { return form_->Label12->Caption.Get(); }
    int FirstId(const std::string& where) {
        const auto ids = bank_->Ids(where);
        return ids.empty() ? 0 : ids.front();
    }
    void ClickLink() {
        TLabel* link = form_->Label16;
        ClickAt(form_->Panel2->Handle(), link->Left.Get() + 10, link->Top.Get() + 6);
    }

    Owned<TForm2> form_;
};

TEST_F(SequentialTest, WindowLinkAndHelpCaptions) {
    TForm2* form = Open();
    EXPECT_EQ(form->Caption.Get(), L"顺序练习");
    EXPECT_EQ(form->Width.Get(), 819);
    EXPECT_EQ(form->Height.Get(), 568);
    EXPECT_EQ(form->DBText4->Font->Color.Get(), clRed);
    EXPECT_EQ(form->DBText5->Font->Color.Get(), clRed);
    EXPECT_EQ(form->DBText5->DisplayText(), Utf8ToWide(bank_->Column(1, "tihao")));
    EXPECT_EQ(form->Label16->Caption.Get(), L"加入强化练习");
    EXPECT_EQ(form->Label16->Font->Color.Get(), clBlue);
    EXPECT_TRUE(form->Label16->Font->Style.Get() & fsUnderline);
    EXPECT_EQ(form->Label16->Cursor.Get(), crHandPoint);
    const std::vector<std::wstring> expected = {
        L"1、答题请使用数字小键盘", L"2、数字键4为跳到上一题", L"3、数字键6为跳到下一题", L"4、数字键8为关闭当前窗口",
        L"5、数字键1,2,3为您要选择的答案     ", L"自动跳至下一题", L"6、数字键9跳题", L"7、如果您选择的答案不正确软件",
        L"自动给出正确答案", L"8、显示的如1.1.1.1为您书上对应", L"的章节及题号", L"9、 数字键0将练习中的难题加入强化",
        L"练习，针对进行练习"};
    ASSERT_EQ(form->HelpLines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(form->HelpLines[i]->Caption.Get(), expected[i]) << i;
        EXPECT_TRUE(form->HelpLines[i]->Visible.Get()) << i;
        EXPECT_LE(form->HelpLines[i]->BoundsRect().bottom, form->Panel1->Height.Get()) << i;
        if (i > 0) {
            EXPECT_GT(form->HelpLines[i]->Top.Get(), form->HelpLines[i - 1]->Top.Get()) << i;
        }
    }
    EXPECT_FALSE(form->Image1->Picture->Empty());
    // Everything stays inside the window.
    EXPECT_LE(form->Panel1->BoundsRect().bottom, form->ClientHeight());
    EXPECT_LE(form->Panel1->BoundsRect().right, form->ClientWidth());
}

// Every state the stored resume point can be in, from opening to closing on the first card.
TEST_F(SequentialTest, ResumePointFromOpeningToClosing) {
    struct Case {
        const char* stored;  // an SQL value for bz1.bz; nullptr: bz1 has no row
        int answer;
        const wchar_t* asked;  // the question shown, or nullptr when none may be asked
        int firstId;
        int setSize;
    };
    const Case cases[] = {
        {"'1'", IDYES, nullptr, 1, 1218},
        {"'1218'", IDYES, nullptr, 1, 1218},
        {"' 1218 '", IDYES, nullptr, 1, 1218},
        {"''", IDYES, nullptr, 1, 1218},
        {"NULL", IDYES, nullptr, 1, 1218},
        {nullptr, IDYES, nullptr, 1, 1218},
        {"'abc'", IDYES, nullptr, 1, 1218},
        {"'5x'", IDYES, nullptr, 1, 1218},
        {"'-3'", IDYES, nullptr, 1, 1218},
        {"'0'", IDYES, nullptr, 1, 1218},
        {"'000'", IDYES, nullptr, 1, 1218},
        {"'0001'", IDYES, nullptr, 1, 1218},
        {"'1219'", IDYES, nullptr, 1, 1218},
        {"'99999999999'", IDYES, nullptr, 1, 1218},
        {"'500'", IDNO, kResumeQuestion500, 1, 1218},
        {"' 500 '", IDYES, kResumeQuestion500, 500, 719},
        {"'1217'", IDYES, L"上次练习到: 题目1217 点击<是>继续联系点击<否>从头开始", 1217, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "no row");
        RunOnAux("delete from bz1");
        if (c.stored) RunOnAux(std::string("insert into bz1 (bz) values (") + c.stored + ")");
        AnswerBoxes(c.answer);
        TForm2* form = Open();
        const auto boxes = TakeShownBoxes();
        if (c.asked) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0], c.asked);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_EQ(Shown(), c.firstId);
        EXPECT_EQ(form->ADOQuery1->RecordCount(), c.setSize);
        EXPECT_EQ(Feedback(), L"");
        // The first question of the set is as far back as the keys go.
        Type(L'4');
        PressKey(VK_LEFT);
        EXPECT_EQ(Shown(), c.firstId);
        Type(L'8');
        EXPECT_TRUE(PumpUntil([&] { return !form_; }));
        EXPECT_TRUE(TakeShownBoxes().empty());
        // The card on screen is what the next opening offers; with no row nothing is kept.
        EXPECT_EQ(StoredResumePoint(), c.stored ? std::to_string(c.firstId) : "(none)");
    }
}

TEST_F(SequentialTest, ClosingOnTheLastQuestionMeansFromTheBeginningNextTime) {
    StoreResumePoint("'1217'");
    AnswerBoxes(IDYES);
    TForm2* form = Open();
    Type(L'6');
    ASSERT_EQ(Shown(), 1218);
    // The close box saves like "8".
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !form_; }));
    EXPECT_EQ(StoredResumePoint(), "1218");
    TakeShownBoxes();
    Open();
    EXPECT_TRUE(TakeShownBoxes().empty());
    EXPECT_EQ(Shown(), 1);
}

TEST_F(SequentialTest, InstantFeedbackThroughTheKeys) {
    const int b = FirstId("trim(daan)='B' and trim(C)<>'' and id < 1218");
    const int twoOptions = FirstId("trim(C)='' and trim(daan)='A' and id > 10");
    // A question with a picture followed by one without.
    const int withPicture = FirstId(
        "length(image) > 0 and id > 10 and coalesce((select length(k.image) from kaoti k where k.id = kaoti.id + 1), 0) = 0");
    const int afterPicture = withPicture + 1;
    ASSERT_TRUE(b && twoOptions && withPicture);
    bank_->ExecuteOnBank("update kaoti set daan='A ' where id=3");
    bank_->ExecuteOnBank("update kaoti set daan='X' where id=5");
    TForm2* form = Open();

    // A wrong answer names the right option and stays; the right one moves on and clears it.
    form->JumpTo(b);
    Type(L'1');
    EXPECT_EQ(Feedback(), L"正确答案为:2");
    EXPECT_EQ(Shown(), b);
    Type(L'3');
    EXPECT_EQ(Feedback(), L"正确答案为:2");
    Type(L'2');
    EXPECT_EQ(Shown(), b + 1);
    EXPECT_EQ(Feedback(), L"");

    // Two options: the badge is hidden and "3" does nothing at all, not even clear the line.
    form->JumpTo(twoOptions);
    EXPECT_FALSE(form->Image5->Visible.Get());
    Type(L'2');
    EXPECT_EQ(Feedback(), L"正确答案为:1");
    Type(L'3');
    EXPECT_EQ(Feedback(), L"正确答案为:1");
    EXPECT_EQ(Shown(), twoOptions);
    Type(L'6');
    EXPECT_EQ(Feedback(), L"");

    // A stored "A " is matched by "1"; an "X" is never right and leaves the line alone.
    form->JumpTo(3);
    Type(L'1');
    EXPECT_EQ(Shown(), 4);
    Type(L'6');
    Type(L'1');
    Type(L'2');
    EXPECT_EQ(Shown(), 5);
    EXPECT_EQ(Feedback(), L"");

    // Keys without a meaning here change nothing.
    for (wchar_t key : {L'5', L'7', L'*', L'a'}) Type(key);
    EXPECT_EQ(Shown(), 5);
    EXPECT_TRUE(TakeShownBoxes().empty());

    // The picture follows the card and is cleared for a question without one.
    form->JumpTo(withPicture);
    EXPECT_FALSE(form->Card().Image2->Picture->Empty());
    PressKey(VK_RIGHT);
    EXPECT_EQ(Shown(), afterPicture);
    EXPECT_TRUE(form->Card().Image2->Picture->Empty());
    PressKey(VK_LEFT);
    EXPECT_EQ(Shown(), withPicture);

    // At the end of the set "6", the right arrow and a right answer all stay on the last card.
    form->JumpTo(1218);
    Type(L'6');
    PressKey(VK_RIGHT);
    EXPECT_EQ(Shown(), 1218);
    const char right = TrimBlanks(bank_->Column(1218, "daan"))[0];
    Type(wchar_t(L'1' + (right - 'A')));
    EXPECT_EQ(Shown(), 1218);
    EXPECT_EQ(Feedback(), L"");
}

TEST_F(SequentialTest, MarkingWithTheKeyAndTheLink) {
    TForm2* form = Open();
    form->JumpTo(7);
    form->Label12->Caption = L"正确答案为:3";
    Type(L'0');  // answered No
    ASSERT_EQ(TakeShownBoxes(), std::vector<std::wstring>{L"确实要将此题加入到强化练习题库吗？"});
    EXPECT_TRUE(Marked().empty());
    AnswerBoxes(IDYES);
    Type(L'0');
    EXPECT_EQ(Application->ShownBoxes().at(0).Caption, L"提示");
    EXPECT_EQ(Marked(), std::vector<int>{7});
    // Nothing else happens: same card, same line.
    EXPECT_EQ(Shown(), 7);
    EXPECT_EQ(Feedback(), L"正确答案为:3");
    Type(L'0');  // again: still listed once
    Type(L'6');
    ClickLink();
    EXPECT_EQ(TakeShownBoxes().size(), 3u);
    EXPECT_EQ(Marked(), (std::vector<int>{7, 8}));
    EXPECT_EQ(Shown(), 8);
}

TEST_F(SequentialTest, TheJumpStaysInsideAResumedSet) {
    StoreResumePoint("'500'");
    AnswerBoxes(IDYES);
    TForm2* form = Open();
    form->Label12->Caption = L"正确答案为:1";
    const int before = Shown();
    form->JumpTo(100);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(Feedback(), L"");
    form->JumpTo(1218);
    EXPECT_EQ(Shown(), 1218);
    form->JumpTo(500);
    EXPECT_EQ(Shown(), 500);
    EXPECT_EQ(form->Image5->Visible.Get(), IsThreeOptionQuestion(bank_->Column(500, "C")));
}

TEST_F(SequentialTest, AnEmptyBankShowsNothingAndKeepsTheResumePoint) {
    StoreResumePoint("'700'");
    bank_->ExecuteOnBank("delete from kaoti");
    AnswerBoxes(IDYES);
    TForm2* form = Open();
    EXPECT_TRUE(TakeShownBoxes().empty());
    EXPECT_EQ(form->DBText4->DisplayText(), L"");
    EXPECT_TRUE(form->Card().Image2->Picture->Empty());
    for (wchar_t key : {L'1', L'2', L'3', L'4', L'6'}) Type(key);
    Type(L'0');  // asks, and a Yes changes nothing
    EXPECT_EQ(TakeShownBoxes().size(), 1u);
    EXPECT_EQ(Feedback(), L"");
    Type(L'8');
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
    EXPECT_TRUE(TakeShownBoxes().empty());
    EXPECT_EQ(StoredResumePoint(), "700");
}

// A mark the database refuses (another program is writing to jjj) is shown and dropped: the
// card moves on as usual, and nothing is marked later when the file is free again.
TEST_F(SequentialTest, ARefusedMarkIsNeverWrittenLater) {
    bank_->ShortenLockWaits();
    TForm2* form = Open();
    form->JumpTo(7);
    AnswerBoxes(IDYES);
    {
        SqliteDb writer = bank_->HoldWriteLock("jjj");
        Type(L'0');
        ASSERT_EQ(Application->ShownBoxes().size(), 2u);
        EXPECT_EQ(Application->ShownBoxes()[1].Kind, TBoxKind::ErrorBox);
        TakeShownBoxes();
        Type(L'6');
        EXPECT_EQ(Shown(), 8);
        EXPECT_TRUE(TakeShownBoxes().empty());
    }
    Type(L'6');
    Type(L'4');
    EXPECT_EQ(Shown(), 8);
    EXPECT_TRUE(TakeShownBoxes().empty());
    EXPECT_TRUE(Marked().empty());
    Type(L'0');
    EXPECT_EQ(Marked(), std::vector<int>{8});
}

}  // namespace
