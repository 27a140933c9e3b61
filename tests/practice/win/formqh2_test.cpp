// Intensive practice driven through its real keys and links on a copy of the sample bank: the
// empty list, removing from the middle, the end and the only question, clearing by key and by
// link, answering, and the keys that close it.
#include "practice/win/formqh2.h"

#include "drill/answer_codes.h"
#include "practice/win/form2.h"
#include "practice_fixture.h"

namespace {

class IntensiveTest : public PracticeTest {
protected:
    void TearDown() override {
        form_.reset();
        PracticeTest::TearDown();
    }
    TFormqh2* Open() {
        return OpenWindow(form_, [](TADOConnection* bank, TADOConnection* aux) { return new TFormqh2(nullptr, bank, aux); });
    }
    // The id on the card, 0 for an empty card.
    int Shown() {
        const std::wstring id = form_->DBText4->DisplayText();
        return id.empty() ? 0 : std::stoi(id);
    }
    std::wstring Feedback() { return form_->Label12->Caption.Get(); }
    bool PictureShown() { return !form_->Card().Image2->Picture->Empty(); }
    void Click(TLabel* link) { ClickAt(form_->Panel1->Handle(), link->Left.Get() + 10, link->Top.Get() + 6); }
    wchar_t RightKey(int id) { return wchar_t(L'1' + (TrimBlanks(bank_->Column(id, "daan"))[0] - 'A')); }
    void ExpectEmptyCard() {
        EXPECT_EQ(Shown(), 0);
        EXPECT_EQ(form_->Card().DBText6->DisplayText(), L"");
        EXPECT_FALSE(PictureShown());
        EXPECT_EQ(Feedback(), L"");
    }

    Owned<TFormqh2> form_;
};

TEST_F(IntensiveTest, WindowHelpAndLinks) {
    TFormqh2* form = Open();
    EXPECT_EQ(form->Caption.Get(), L"强化练习");
    EXPECT_EQ(form->Width.Get(), 819);
    EXPECT_EQ(form->Height.Get(), 568);
    const std::vector<std::wstring> expected = {
        L"1、答题请使用数字小键盘", L"2、数字键4为跳到上一题", L"3、数字键6为跳到下一题", L"4、数字键8为关闭当前窗口",
        L"5、数字键1,2,3为您要选择的答案", L"自动跳至下一题", L"6、数字键9跳题", L"7、如果您选择的答案不正确软件",
        L"自动给出正确答案", L"8、显示的如1.1.1.1为您书上对应", L"的章节及题号"};
    ASSERT_EQ(form->HelpLines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(form->HelpLines[i]->Caption.Get(), expected[i]) << i;
        // The jump line is there but hidden: this window has no jump.
        EXPECT_EQ(form->HelpLines[i]->Visible.Get(), i != 6) << i;
    }
    for (TLabel* link : {form->Label15, form->Label16}) {
        EXPECT_EQ(link->Font->Color.Get(), clBlue);
        EXPECT_TRUE(link->Font->Style.Get() & fsUnderline);
        EXPECT_EQ(link->Cursor.Get(), crHandPoint);
        EXPECT_GT(link->Top.Get(), form->HelpLines.back()->BoundsRect().bottom);
        EXPECT_LE(link->BoundsRect().bottom, form->Panel1->Height.Get());
    }
    EXPECT_EQ(form->Label15->Caption.Get(), L"5从强化练习中移出");
    EXPECT_EQ(form->Label16->Caption.Get(), L"7清空强化练习");
}

TEST_F(IntensiveTest, AnEmptyListStaysEmptyWhateverTheKeys) {
    TFormqh2* form = Open();
    ExpectEmptyCard();
    // Opening does nothing more for an empty list: the card keeps its designed badges.
    EXPECT_TRUE(form->Image5->Visible.Get());
    for (wchar_t key : {L'1', L'2', L'3', L'4', L'6', L'0', L'9'}) Type(key);
    PressKey(VK_LEFT);
    PressKey(VK_RIGHT);
    EXPECT_TRUE(TakeShownBoxes().empty());
    ExpectEmptyCard();
    AnswerBoxes(IDYES);
    Type(L'5');
    EXPECT_EQ(TakeShownBoxes(), std::vector<std::wstring>{kRemoveFromIntensiveQuestion});
    Type(L'7');
    Click(form->Label16);
    EXPECT_EQ(TakeShownBoxes(), (std::vector<std::wstring>{kClearIntensiveQuestion, kClearIntensiveQuestion}));
    ExpectEmptyCard();
    EXPECT_TRUE(Marked().empty());
    EXPECT_TRUE(form->Active());
}

TEST_F(IntensiveTest, RemovingShowsTheNextTheFirstOrNothing) {
    const int picture = bank_->Ids("length(image) > 0 and id > 2 and id < 1217").front();
    Mark({1, 2, picture, 1217, 1218});
    std::vector<int> listed = Marked();
    TFormqh2* form = Open();
    EXPECT_EQ(Shown(), 1);

    // No keeps everything.
    Type(L'5');
    EXPECT_EQ(Marked(), listed);
    EXPECT_EQ(Shown(), 1);

    // From the middle: the next one on the list, with a fresh feedback line.
    AnswerBoxes(IDYES);
    Type(L'6');
    form->Label12->Caption = L"正确答案为:1";
    Type(L'5');
    EXPECT_EQ(Shown(), picture);
    EXPECT_EQ(Feedback(), L"");
    EXPECT_EQ(Marked(), (std::vector<int>{1, picture, 1217, 1218}));
    EXPECT_EQ(bank_->Column(2, "bz"), "");

    // The last of the list, by the link: back to the first.
    for (int i = 0; i < 4; ++i) Type(L'6');
    EXPECT_EQ(Shown(), 1218);
    Click(form->Label15);
    EXPECT_EQ(Marked(), (std::vector<int>{1, picture, 1217}));
    EXPECT_EQ(Shown(), 1);
    EXPECT_EQ(form->ADOQuery1->RecordCount(), 3);

    Type(L'5');
    EXPECT_EQ(Shown(), picture);
    Type(L'6');
    Type(L'5');
    EXPECT_EQ(Shown(), picture);
    EXPECT_TRUE(PictureShown());
    // The only one left: the card ends empty, without its picture or third badge.
    Type(L'5');
    EXPECT_TRUE(Marked().empty());
    ExpectEmptyCard();
    EXPECT_FALSE(form->Image5->Visible.Get());
}

TEST_F(IntensiveTest, ClearingByKeyAndByLink) {
    Mark({5, 6, 7});
    TFormqh2* form = Open();
    Type(L'7');  // No
    EXPECT_EQ(Marked().size(), 3u);
    EXPECT_EQ(Shown(), 5);
    AnswerBoxes(IDYES);
    form->Label12->Caption = L"正确答案为:1";
    Type(L'7');
    EXPECT_TRUE(Marked().empty());
    ExpectEmptyCard();
    // An emptied list is refreshed as after a removal: unlike one that opened empty, no badge.
    EXPECT_FALSE(form->Image5->Visible.Get());
    EXPECT_EQ(form->ADOQuery1->RecordCount(), 0);
    form_.reset();

    Mark({8, 9});
    form = Open();
    Click(form->Label16);
    EXPECT_TRUE(Marked().empty());
    ExpectEmptyCard();
    // The window stays open on the empty list.
    EXPECT_TRUE(form->Active());
}

TEST_F(IntensiveTest, AnsweringAndMovingKeepTheList) {
    const auto twoOptions = bank_->Ids("trim(C)='' and trim(daan)='B'");
    const auto threeOptions = bank_->Ids("trim(C)<>'' and trim(daan)='C'");
    ASSERT_GE(twoOptions.size(), 1u);
    ASSERT_GE(threeOptions.size(), 1u);
    const int a = std::min(twoOptions[0], threeOptions[0]);
    const int b = std::max(twoOptions[0], threeOptions[0]);
    Mark({a, b});
    Open();
    EXPECT_EQ(Shown(), a);
    // Right moves on without taking it off the list; wrong names the right option.
    Type(RightKey(a));
    EXPECT_EQ(Shown(), b);
    EXPECT_EQ(Marked(), (std::vector<int>{a, b}));
    Type(L'1');
    EXPECT_EQ(Feedback(), *CorrectAnswerText(bank_->Column(b, "daan")));
    // At the ends the card stays; keys of the other windows mean nothing here.
    Type(L'6');
    PressKey(VK_RIGHT);
    EXPECT_EQ(Shown(), b);
    Type(L'4');
    PressKey(VK_LEFT);
    PressKey(VK_LEFT);
    EXPECT_EQ(Shown(), a);
    Type(L'0');
    Type(L'9');
    EXPECT_TRUE(TakeShownBoxes().empty());
    EXPECT_EQ(Marked(), (std::vector<int>{a, b}));
}

TEST_F(IntensiveTest, UpArrowAndTheMainKeyboardsEightClose) {
    Open();
    PressKey(VK_UP);
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
    Open();
    KeyDown(0x38);  // the key-down alone closes
    EXPECT_TRUE(PumpUntil([&] { return !form_; }));
}

TEST_F(IntensiveTest, QuestionsMarkedInSequentialPracticeAreListedOnce) {
    Owned<TForm2> sequential;
    AnswerBoxes(IDYES);
    TForm2* practice =
        OpenWindow(sequential, [](TADOConnection* bank, TADOConnection* aux) { return new TForm2(nullptr, bank, aux); });
    practice->JumpTo(42);
    Type(L'0');
    Type(L'0');
    Type(L'6');
    Type(L'0');
    sequential.reset();
    Open();
    EXPECT_EQ(form_->ADOQuery1->RecordCount(), 2);
    EXPECT_EQ(Shown(), 42);
    Type(L'6');
    EXPECT_EQ(Shown(), 43);
}

}  // namespace
