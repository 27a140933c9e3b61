// By-set practice driven through its real key messages, all arriving in the set-name field:
// the set paper, answering that moves on, the clock's start keys, hand-in and score, choosing
// another set with the dropped list, short and empty sets, the intensive link and the
// closing rule.
#include <windows.h>

#include "base/utf.h"
#include "drill/answer_codes.h"
#include "practice/win/form55.h"
#include "ui/gdi.h"
#include "support/paper_window_test.h"

namespace {

class BySetTest : public PaperWindowTest<TForm55> {
protected:
    TForm55* Open() { return OpenPaperWindow([this] { return form_->Edit1->Focused(); }); }
    void AnswerYes() { Application->SetBoxResponder([](const TOpenBox&) { return IDYES; }); }
    // Chooses set k (1..12) as the learner does: the arrow drops the list, a click picks.
    void ChooseSet(int k) {
        TComboBox* combo = form_->ComboBox1;
        ClickAt(combo->WindowHandle(), combo->Width - 6, combo->Height / 2);
        ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetComboBoxInfo(combo->WindowHandle(), &info));
        RECT item{};
        SendMessageW(info.hwndList, LB_GETITEMRECT, WPARAM(k - 1), reinterpret_cast<LPARAM>(&item));
        const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
        PostMessageW(info.hwndList, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        ClickAt(info.hwndList, x, y);
        EXPECT_TRUE(PumpUntil([&] { return !combo->DroppedDown() && form_->Edit1->Focused(); }));
    }
    int ShownId() { return form_->ADOQuery1->IsEmpty() ? 0 : form_->ADOQuery1->FieldByName("id")->AsInteger(); }
    // The key that answers the question at the current position right (or wrong).
    wchar_t AnswerKey(bool right) {
        const char stored = Daan(form_->paper.paper_ids[size_t(form_->paper.current_index)])[0];
        const char pick = right ? stored : (stored == 'A' ? 'B' : 'A');
        return wchar_t(L'1' + (pick - 'A'));
    }
};

TEST_F(BySetTest, OpensOnSetOneInIdOrderWithItsSelectorAndHelp) {
    TForm55* w = Open();
    EXPECT_EQ(w->Caption.Get(), L"分套练习");
    const std::vector<int> set1 = bank_->Ids("t=1");
    ASSERT_EQ(set1.size(), 100u);
    for (int p = 1; p <= 100; ++p) ASSERT_EQ(w->paper.paper_ids[size_t(p)], set1[size_t(p - 1)]) << p;
    EXPECT_EQ(ShownId(), set1[0]);
    EXPECT_EQ(Caption(w->Label14), L"1");
    EXPECT_EQ(Caption(w->Label16), L"45:00");
    EXPECT_EQ(w->Edit1->Text.Get(), L"第一套");
    EXPECT_TRUE(w->Edit1->ReadOnly.Get());
    EXPECT_EQ(w->ComboBox1->Items->Count(), 12);
    EXPECT_EQ(w->ComboBox1->Items->Strings(11), L"第十二套");
    EXPECT_EQ(w->ComboBox1->DropDownCount.Get(), 12);
    // Tab never reaches the list: the focus stays in the set-name field.
    PressKey(VK_TAB);
    EXPECT_TRUE(w->Edit1->Focused());
    // The field covers the list's text and leaves its arrow free.
    EXPECT_EQ(w->Edit1->Left.Get(), w->ComboBox1->Left.Get());
    EXPECT_LT(w->Edit1->BoundsRect().right, w->ComboBox1->BoundsRect().right);
    EXPECT_EQ(Caption(w->Label23), L"选择套数：");
    EXPECT_EQ(Caption(w->Label25), L"加入强化练习");
    for (const wchar_t* name : {L"Legend1", L"Legend6", L"Legend8", L"Note1", L"Note2"}) {
        auto* line = dynamic_cast<TLabel*>(w->FindComponent(name));
        ASSERT_NE(line, nullptr) << WideToUtf8(name);
        EXPECT_LE(line->BoundsRect().bottom, w->Sheet().Cell(1)->Top.Get());
    }
    EXPECT_EQ(Caption(dynamic_cast<TLabel*>(w->FindComponent(L"Legend1"))), L"１、答题请使用数字小键盘");
    EXPECT_EQ(Caption(dynamic_cast<TLabel*>(w->FindComponent(L"Legend6"))), L"自动跳至下一题");
    EXPECT_EQ(Caption(dynamic_cast<TLabel*>(w->FindComponent(L"Note1"))), L"其中有18道题未包含在分套中，题号为：");
    EXPECT_EQ(dynamic_cast<TLabel*>(w->FindComponent(L"Note2"))->Font->Color, clRed);
    // Each note shows whole inside the panel: its text, laid out as the label lays it out,
    // needs no more room than the label has.
    for (const wchar_t* name : {L"Note1", L"Note2"}) {
        auto* note = dynamic_cast<TLabel*>(w->FindComponent(name));
        const std::wstring text = note->Caption.Get();
        RECT need{0, 0, note->Width.Get(), 0};
        {
            ClientDC screen(nullptr);
            SelectGuard font(screen.Get(), note->Font->Handle());
            DrawTextW(screen.Get(), text.c_str(), int(text.size()), &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        }
        EXPECT_LE(need.right, note->Width.Get()) << WideToUtf8(text);
        EXPECT_LE(need.bottom, note->Height.Get()) << WideToUtf8(text);
        EXPECT_LE(note->BoundsRect().right, w->Panel1->Width.Get());
    }
    EXPECT_LE(w->Sheet().Cell(100)->BoundsRect().bottom, w->Panel1->Height.Get());
    EXPECT_LE(w->Panel1->BoundsRect().bottom, w->ClientHeight());
}

TEST_F(BySetTest, AnsweringMovesOnAndTheLastPositionSaysSo) {
    TForm55* w = Open();
    w->GoToPosition(7);
    Type(L'2');
    EXPECT_EQ(CellColour(7), clRed);
    EXPECT_EQ(Caption(w->Label14), L"8");
    EXPECT_EQ(Caption(w->Label12), L"");
    Type(L'4');
    EXPECT_EQ(Caption(w->Label12), L"你的答案是:2");
    EXPECT_EQ(w->paper.verdicts[7], Daan(w->paper.paper_ids[7]) == "B" ? 1 : 2);
    // No key "5" here; "6" and the arrows move, both ends hold.
    Type(L'5');
    EXPECT_EQ(w->paper.current_index, 7);
    PressKey(VK_RIGHT);
    EXPECT_EQ(w->paper.current_index, 8);
    w->GoToPosition(1);
    Type(L'4');
    PressKey(VK_LEFT);
    EXPECT_EQ(w->paper.current_index, 1);
    w->GoToPosition(100);
    w->Label12->Caption = L"不变";
    Type(L'1');
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"已经到最后一题");
    EXPECT_EQ(w->paper.given_answers[100], 1);
    EXPECT_EQ(CellColour(100), clRed);
    EXPECT_EQ(w->paper.current_index, 100);
    EXPECT_EQ(Caption(w->Label12), L"不变");
    Type(L'6');
    EXPECT_EQ(w->paper.current_index, 100);
}

TEST_F(BySetTest, TheMainKeyboardEightAndNumLockDoNotStartTheClock) {
    TForm55* w = Open();
    PressKey(VK_NUMLOCK);
    PressKey(VK_NUMLOCK);
    EXPECT_FALSE(w->Timer1->Enabled);
    Type(L'8');  // the main keyboard's 8: closes, the clock never started
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
    EXPECT_TRUE(Application->ShownBoxes().empty());

    w = Open();
    Type(L'6');
    EXPECT_TRUE(w->Timer1->Enabled);
    w->Timer1Timer();
    EXPECT_EQ(Caption(w->Label16), L"44:59");
    Type(L'8');
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"已经开始作题，交卷后才能关闭");
    EXPECT_TRUE(IsWindowVisible(w->WindowHandle()));
    // Time out: the score goes to the answer label, and the window may close.
    for (int i = 0; i < 2700; ++i) w->Timer1Timer();
    EXPECT_TRUE(w->paper.Ended());
    EXPECT_EQ(Caption(w->Label16), L"0:00");
    EXPECT_EQ(Caption(w->Label12), L"你的成绩为：0");
    Type(L'8');
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
}

TEST_F(BySetTest, HandingInScoresAndANewSetStartsAFreshPaper) {
    TForm55* w = Open();
    AnswerYes();
    // 90 right, 6 wrong, 4 unanswered.
    for (int p = 1; p <= 96; ++p) Type(AnswerKey(p <= 90));
    EXPECT_EQ(w->paper.current_index, 97);
    Type(L'*');
    EXPECT_EQ(Caption(w->Label20), L"你的成绩为：90");
    EXPECT_EQ(Count(clBlue), 10);
    EXPECT_EQ(CellColour(91), clBlue);
    EXPECT_EQ(CellColour(97), clBlue);
    // After the end answers are fixed; moving shows the right answer.
    Type(L'1');
    EXPECT_EQ(w->paper.given_answers[97], 0);
    Type(L'4');
    EXPECT_EQ(Caption(w->Label21), CorrectAnswerText(Daan(w->paper.paper_ids[96])).value());

    ChooseSet(3);
    const std::vector<int> set3 = bank_->Ids("t=3");
    EXPECT_EQ(w->Edit1->Text.Get(), L"第三套");
    EXPECT_EQ(w->paper.paper_ids[1], set3[0]);
    EXPECT_EQ(w->paper.paper_ids[100], set3[99]);
    EXPECT_EQ(ShownId(), set3[0]);
    EXPECT_EQ(Count(clWindowText), 100);
    EXPECT_EQ(Caption(w->Label14), L"1");
    EXPECT_EQ(Caption(w->Label16), L"45:00");
    EXPECT_EQ(Caption(w->Label20), L"");
    EXPECT_EQ(Caption(w->Label21), L"");
    EXPECT_FALSE(w->paper.Ended());
    EXPECT_FALSE(w->Timer1->Enabled);
    // The new paper can be answered again.
    Type(L'2');
    EXPECT_EQ(w->paper.given_answers[1], 2);
    EXPECT_TRUE(w->Timer1->Enabled);
    // Choosing mid-paper, with the clock running, discards it without a question.
    const auto boxes = Application->ShownBoxes().size();
    w->Timer1Timer();
    ChooseSet(12);
    EXPECT_EQ(w->Edit1->Text.Get(), L"第十二套");
    EXPECT_EQ(w->paper.paper_ids[1], bank_->Ids("t=12")[0]);
    EXPECT_EQ(Caption(w->Label16), L"45:00");
    EXPECT_FALSE(w->Timer1->Enabled);
    EXPECT_EQ(w->paper.given_answers[1], 0);
    EXPECT_EQ(Application->ShownBoxes().size(), boxes);
}

TEST_F(BySetTest, AShortSetRepeatsItsLastQuestionAndAnEmptySetLeavesNothingToAnswer) {
    const std::vector<int> set5 = bank_->Ids("t=5");
    bank_->ExecuteOnBank("update kaoti set t=NULL where t=5 and id>" + std::to_string(set5[59]));
    bank_->ExecuteOnBank("update kaoti set t=NULL where t=7");
    TForm55* w = Open();
    AnswerYes();
    ChooseSet(5);
    EXPECT_EQ(w->paper.paper_ids[60], set5[59]);
    for (int p = 61; p <= 100; ++p) ASSERT_EQ(w->paper.paper_ids[size_t(p)], set5[59]) << p;
    w->GoToPosition(80);
    EXPECT_EQ(ShownId(), set5[59]);

    Type(L'2');  // an answer and a running clock on the short set, then an empty one
    ChooseSet(7);
    EXPECT_EQ(w->Edit1->Text.Get(), L"第七套");
    for (int p = 1; p <= 100; ++p) ASSERT_EQ(w->paper.paper_ids[size_t(p)], 0) << p;
    EXPECT_EQ(ShownId(), 0);
    EXPECT_EQ(w->Card().DBText6->DisplayText(), L"");
    EXPECT_FALSE(w->Card().ThirdOptionShown());
    EXPECT_TRUE(w->Card().Image2->Picture->Empty());
    const auto boxes = Application->ShownBoxes().size();
    for (wchar_t key : {L'1', L'2', L'3', L'*', L'+', L'6'}) Type(key);
    EXPECT_EQ(w->paper.given_answers, (ExamPaper{}.given_answers));
    EXPECT_EQ(Count(clRed), 0);
    EXPECT_FALSE(w->Timer1->Enabled);
    EXPECT_FALSE(w->paper.Ended());
    w->Label25->Click();  // asks, and marks nothing
    EXPECT_EQ(Application->ShownBoxes().size(), boxes + 1);
    EXPECT_EQ(bank_->Ids("bz='t'").size(), 0u);
    Type(L'8');
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
}

TEST_F(BySetTest, TheLinkMarksTheQuestionOnTheCardAfterYes) {
    TForm55* w = Open();
    Type(L'1');
    const int id = ShownId();
    ASSERT_EQ(id, w->paper.paper_ids[2]);
    w->Label25->Click();  // No
    EXPECT_EQ(bank_->Column(id, "bz"), "");
    AnswerYes();
    w->Label25->Click();
    ASSERT_EQ(Application->ShownBoxes().size(), 2u);
    EXPECT_EQ(Application->ShownBoxes()[1].Text, L"确实要将此题加入到强化练习题库吗？");
    EXPECT_EQ(Application->ShownBoxes()[1].Caption, L"提示");
    EXPECT_EQ(bank_->Column(id, "bz"), "t");
    EXPECT_EQ(ShownId(), id);
    EXPECT_TRUE(w->Edit1->Focused());
}

// On a form of another colour (the skin gives the form its button-face colour) the option
// badges stand on that colour: their pictures' white ground is left out.
TEST_F(BySetTest, TheBadgesTakeTheColourOfTheFormTheyStandOn) {
    TForm55* w = Open();
    const TColor face = TColor(RGB(212, 224, 238));
    w->Color = face;
    PumpFor(60);
    const Bitmap32 shot = ScreenClient(w->Handle());
    for (TImage* badge : {w->Card().Image3, w->Card().Image4}) {
        const RECT r = badge->BoundsRect();
        const RECT corner{r.left, r.top, r.left + 3, r.top + 3};
        EXPECT_EQ(CountColour(shot, corner, Rgb32(face)), 9) << WideToUtf8(badge->Name);
        EXPECT_EQ(CountColour(shot, r, 0xFFFFFF), 0) << WideToUtf8(badge->Name) << ": no white square";
        EXPECT_GT(CountOther(shot, r, Rgb32(face)), 200) << WideToUtf8(badge->Name) << ": the badge itself shows";
        EXPECT_GT(CountNearColour(shot, r, 0xFFFFFF, 2), 10) << WideToUtf8(badge->Name) << ": its white digit shows";
    }
}

}  // namespace
