// Chapter practice driven through its real messages on a copy of the sample bank: the tree as
// it is built from runs of sections, choices in the tree by mouse and in the chapter list,
// the range label, the keys that arrive in the chapter line, the bookmarks, and the jump.
#include <windows.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "data/ado_query.h"
#include "drill/answer_codes.h"
#include "practice/win/form4.h"
#include "support/sample_bank.h"
#include "ui_test_support.h"

namespace {

class ChapterTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        bank_ = std::make_unique<SampleBank>();
        // A box no test expected is answered No (and recorded) instead of waiting forever.
        Application->SetBoxResponder([](const TOpenBox& box) { return box.Kind == TBoxKind::MessageBox ? IDNO : IDOK; });
    }
    void TearDown() override {
        Application->SetBoxResponder({});
        form_.reset();
        bank_.reset();
        UiTest::TearDown();
    }
    TForm4* Open() {
        form_.reset(new TForm4(nullptr, &bank_->Module().ADOConnection1, &bank_->Module().ADOConnection2));
        // A window that closes releases itself: the test lets go of it then.
        form_->AddFreeNotification([this] { (void)form_.release(); });
        form_->Show();
        EXPECT_TRUE(PumpUntil([&] { return form_->Active() && form_->Edit1->Focused(); }));
        return form_.get();
    }
    // Types a character as the keypad or the main keyboard makes it, into the focused window.
    void Type(wchar_t key) { PressKey(WORD(VkKeyScanW(key) & 0xFF)); }
    int ShownId() { return form_->ADOQuery1->IsEmpty() ? 0 : form_->ADOQuery1->FieldByName("id")->AsInteger(); }
    std::wstring Caption(TLabel* label) { return label->Caption.Get(); }
    // The bookmark rows as the file holds them, "chapter=id" in row order.
    std::vector<std::string> Bookmarks() {
        TADOQuery q;
        q.Connection = &bank_->Module().ADOConnection2;
        q.SQL.SetText("select * from zhangjie");
        q.Open();
        std::vector<std::string> rows;
        for (; !q.Eof(); q.Next()) rows.push_back(q.FieldByName("zhangjie")->AsString() + "=" + q.FieldByName("id")->AsString());
        return rows;
    }
    TTreeNode* Root(int n) {
        TTreeNode* node = form_->TreeView1->Items->GetFirstNode();
        for (int i = 1; i < n; ++i) node = node->GetNextSibling();
        return node;
    }
    // The section nodes of chapter n with that text, in tree order.
    std::vector<TTreeNode*> Sections(int n, const std::wstring& text) {
        std::vector<TTreeNode*> found;
        TTreeNode* chapter = Root(n);
        for (int i = 0; i < chapter->Count(); ++i)
            if (chapter->Item(i)->GetText() == text) found.push_back(chapter->Item(i));
        return found;
    }
    void ShowTree() {
        const RECT r = form_->Label20->BoundsRect();
        DoubleClickAt(form_->WindowHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PumpFor(30);
    }
    // Clicks a node's text in the tree as the learner does (its chapter and section are
    // opened first, as the learner would).
    void ClickNode(TTreeNode* node) {
        for (TTreeNode* p = node->Parent(); p; p = p->Parent()) p->Expand(false);
        TreeView_EnsureVisible(form_->TreeView1->WindowHandle(), node->ItemId());
        const RECT r = node->DisplayRect();
        ASSERT_FALSE(IsRectEmpty(&r));
        ClickAt(form_->TreeView1->WindowHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PumpFor(30);
    }

    std::unique_ptr<SampleBank> bank_;
    Owned<TForm4> form_;
};

TEST_F(ChapterTest, OpensOnChapterOneWithTheTreeBuiltFromRunsOfSectionsAndHidden) {
    TForm4* w = Open();
    EXPECT_EQ(w->Caption.Get(), L"章节练习");
    EXPECT_EQ(w->Edit1->Text.Get(), kChapterListTexts[0]);
    EXPECT_EQ(Caption(w->Label19), L"题号1-861");
    EXPECT_EQ(Caption(w->Label20), kShowTreeText);
    EXPECT_FALSE(w->Panel3->Visible.Get());
    EXPECT_FALSE(w->Panel3->Enabled.Get());
    EXPECT_EQ(ShownId(), 1);
    EXPECT_EQ(w->current_chapter, 1);
    EXPECT_FALSE(w->ADOQuery3->Active());
    EXPECT_EQ(w->ComboBox1->Items->Count(), 4);
    EXPECT_EQ(w->ComboBox1->Items->Strings(2), L"三章 城市公交车,中型客车,大型货车,小型汽车专用试题(题号1081-1149)");
    EXPECT_FALSE(w->ComboBox1->TabStop.Get());
    EXPECT_EQ(w->FocusOrder(), (std::vector<TWinControl*>{w->Edit1}));

    // Four chapters; a section for every run of one name, so a name in two runs shows twice;
    // both kinds under every section; nothing open, nothing chosen.
    TTreeNodes& items = *w->TreeView1->Items;
    ASSERT_EQ(items.RootCount(), 4);
    const int sections[] = {14, 7, 3, 4};
    int nodes = 0;
    for (int n = 1; n <= 4; ++n) {
        TTreeNode* chapter = Root(n);
        EXPECT_EQ(chapter->GetText(), kChapterTitles[size_t(n - 1)]);
        EXPECT_EQ(chapter->Count(), sections[n - 1]) << n;
        EXPECT_EQ(chapter->GetImageIndex(), 0);
        for (int i = 0; i < chapter->Count(); ++i) {
            TTreeNode* section = chapter->Item(i);
            EXPECT_EQ(section->GetImageIndex(), 1);
            ASSERT_EQ(section->Count(), 2);
            EXPECT_EQ(section->Item(0)->GetText(), L"单项选择题");
            EXPECT_EQ(section->Item(1)->GetText(), L"判断题");
            EXPECT_EQ(section->Item(1)->GetSelectedIndex(), 2);
        }
        nodes += 1 + 3 * chapter->Count();
    }
    EXPECT_EQ(items.Count(), nodes);
    EXPECT_EQ(Sections(1, L"交通标志").size(), 2u);
    EXPECT_EQ(Sections(2, L"大型车辆安全驾驶").size(), 2u);
    EXPECT_EQ(Sections(4, L"摩托车驾驶").size(), 2u);
    EXPECT_EQ(w->TreeView1->VisibleNodes().size(), 4u);
    EXPECT_EQ(w->TreeView1->Selected.Get(), nullptr);

    // The switch shows and hides the tree over the right column.
    ShowTree();
    EXPECT_TRUE(w->Panel3->Visible.Get());
    EXPECT_TRUE(w->Panel3->Enabled.Get());
    EXPECT_EQ(Caption(w->Label20), kHideTreeText);
    EXPECT_EQ(w->Panel3->BoundsRect().right, w->ClientWidth());
    EXPECT_LE(w->Panel3->Left.Get(), w->Image1->Left.Get());
    ShowTree();
    EXPECT_FALSE(w->Panel3->Visible.Get());
    EXPECT_EQ(Caption(w->Label20), kShowTreeText);
}

TEST_F(ChapterTest, TreeChoicesSelectByNameAndTheRangeLabelCountsFromTheFirstId) {
    // A section that has no single-choice question, and a section name with a quote.
    bank_->ExecuteOnBank("update kaoti set lei3='判断题', C='' where lei2='小型汽车驾驶'");
    bank_->ExecuteOnBank("update kaoti set lei2='驾驶人''s 须知' where lei2='城市公交车驾驶'");
    const std::vector<int> quoted = bank_->Ids("lei2='驾驶人''s 须知'");
    TForm4* w = Open();
    ShowTree();

    // Either node of a name in two runs selects the questions of both runs.
    const std::vector<int> signs = bank_->Ids("lei2='交通标志'");
    ASSERT_EQ(Sections(1, L"交通标志").size(), 2u);
    ClickNode(Sections(1, L"交通标志")[1]);
    EXPECT_EQ(w->TreeView1->Selected.Get(), Sections(1, L"交通标志")[1]);
    EXPECT_EQ(w->ADOQuery1->RecordCount(), int(signs.size()));
    EXPECT_EQ(ShownId(), signs.front());
    EXPECT_TRUE(w->Edit1->Focused()) << "the tree gives the focus back to the chapter line";
    // First id + count - 1 even though the second run ends far above.
    EXPECT_EQ(Caption(w->Label19), L"题号" + std::to_wstring(signs.front()) + L"-" +
                                       std::to_wstring(signs.front() + int(signs.size()) - 1));
    EXPECT_LT(signs.front() + int(signs.size()) - 1, signs.back());
    w->JumpTo(signs.back());
    EXPECT_EQ(ShownId(), signs.back()) << "the second run is in the set";
    ClickNode(Sections(1, L"交通标志")[0]);
    EXPECT_EQ(w->ADOQuery1->RecordCount(), int(signs.size()));

    // A kind node: single choice only, and the badge follows the kind.
    TTreeNode* kind = Sections(1, L"交通标志")[1]->Item(1);
    ClickNode(kind);
    EXPECT_EQ(w->ADOQuery1->RecordCount(), int(bank_->Ids("lei2='交通标志' and lei3='判断题'").size()));
    EXPECT_FALSE(w->Image5->Visible.Get());
    EXPECT_EQ(Caption(w->Label12), L"");

    // The kind a section lacks: an empty card, and keys change nothing.
    const std::wstring lineBefore = w->Edit1->Text.Get();
    ClickNode(Sections(3, L"小型汽车驾驶")[0]->Item(0));
    EXPECT_EQ(Caption(w->Label19), kEmptySetRange);
    EXPECT_TRUE(w->ADOQuery1->IsEmpty());
    EXPECT_TRUE(w->Card().Image2->Picture->Empty());
    EXPECT_EQ(w->Card().DBText6->DisplayText(), L"");
    EXPECT_EQ(w->Edit1->Text.Get(), lineBefore) << "an empty set names no chapter";
    Application->ClearShownBoxes();
    Application->SetBoxResponder([](const TOpenBox&) { return IDYES; });
    for (wchar_t key : std::wstring(L"1234560")) Type(key);
    EXPECT_EQ(Caption(w->Label12), L"");
    EXPECT_TRUE(w->ADOQuery1->IsEmpty());
    ASSERT_EQ(Application->ShownBoxes().size(), 1u) << "only \"0\" asks";
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"确实要将此题加入到强化练习题库吗？");
    EXPECT_TRUE(bank_->Ids("bz='t'").empty()) << "a yes on an empty set marks nothing";

    // A name with a quote stays one value: the section and its kinds select its questions.
    TTreeNode* quotedSection = Sections(3, L"驾驶人's 须知").at(0);
    ClickNode(quotedSection);
    EXPECT_EQ(w->ADOQuery1->RecordCount(), int(quoted.size()));
    ClickNode(quotedSection->Item(0));
    EXPECT_EQ(w->ADOQuery1->RecordCount(), int(bank_->Ids("lei2='驾驶人''s 须知' and lei3='单项选择题'").size()));
    EXPECT_GT(w->ADOQuery1->RecordCount(), 0);
    for (const TBoxRecord& box : Application->ShownBoxes()) EXPECT_NE(box.Kind, TBoxKind::ErrorBox) << WideToUtf8(box.Text);
}

TEST_F(ChapterTest, ATreeChoiceNamesItsChapterButTheBookmarkStaysWithTheListsChapter) {
    TForm4* w = Open();
    Type(L'6');
    Type(L'6');
    ASSERT_EQ(ShownId(), 3);
    ShowTree();
    // A section of chapter 3 while chapter 1 is the list's chapter.
    ClickNode(Root(3)->Item(1));
    EXPECT_EQ(w->Edit1->Text.Get(), kChapterListTexts[2]);
    EXPECT_EQ(w->ComboBox1->ItemIndex.Get(), 2);
    EXPECT_EQ(w->current_chapter, 1);
    const int first = ShownId();
    EXPECT_GE(first, 1081);
    // The chapter node of chapter 2: every question of it.
    ClickNode(Root(2));
    EXPECT_EQ(ShownId(), 862);
    EXPECT_EQ(Caption(w->Label19), L"题号862-1080");
    Type(L'6');
    w->Close();
    PumpUntil([&] { return !form_; });
    EXPECT_EQ(form_.get(), nullptr);
    // Closing wrote the bookmark of chapter 1 with the question on the card.
    EXPECT_EQ(Bookmarks(), (std::vector<std::string>{"1=863", "2=862", "3=1081", "4=1150"}));
}

TEST_F(ChapterTest, TheListSwitchesChaptersAndWritesTheBookmarkOfTheChapterLeft) {
    // Chapter 3 has lost its bookmark row.
    TADOQuery drop;
    drop.Connection = &bank_->Module().ADOConnection2;
    drop.SQL.SetText("delete from zhangjie where zhangjie='3'");
    drop.ExecSQL();
    TForm4* w = Open();
    for (int i = 0; i < 4; ++i) Type(L'6');
    ASSERT_EQ(ShownId(), 5);
    // The learner takes the list with the mouse; the keys move its choice.
    w->ComboBox1->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return w->ComboBox1->Focused(); }));
    PressKey(VK_DOWN);
    EXPECT_EQ(w->Edit1->Text.Get(), kChapterListTexts[1]);
    EXPECT_EQ(Caption(w->Label19), L"题号862-1080");
    EXPECT_EQ(ShownId(), 862);
    EXPECT_EQ(w->current_chapter, 2);
    EXPECT_EQ(Bookmarks()[0], "1=5");
    PressKey(VK_DOWN);
    EXPECT_EQ(w->current_chapter, 3);
    EXPECT_EQ(Bookmarks(), (std::vector<std::string>{"1=5", "2=862", "4=1150"}));
    // Closing the list hands the focus back to the chapter line.
    SendMessageW(w->ComboBox1->WindowHandle(), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(w->ComboBox1->WindowHandle(), CB_SHOWDROPDOWN, FALSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return w->Edit1->Focused(); }));

    // Leaving the chapter without a bookmark row: nothing is written and nothing said.
    Type(L'6');
    w->ComboBox1->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return w->ComboBox1->Focused(); }));
    PressKey(VK_DOWN);
    EXPECT_EQ(w->current_chapter, 4);
    EXPECT_EQ(Bookmarks(), (std::vector<std::string>{"1=5", "2=862", "4=1150"}));
    for (const TBoxRecord& box : Application->ShownBoxes()) ADD_FAILURE() << WideToUtf8(box.Text);
}

TEST_F(ChapterTest, KeysInTheChapterLineAnswerMoveMarkAndClose) {
    const std::vector<int> twoOption = bank_->Ids("trim(C)='' and id<=861");
    const std::vector<int> threeOption = bank_->Ids("trim(C)<>'' and id<=861");
    TForm4* w = Open();
    // A wrong answer names the right one and stays; the right one moves on and clears it.
    w->JumpTo(threeOption[0]);
    const std::string daan = TrimBlanks(bank_->Column(threeOption[0], "daan"));
    const wchar_t right = wchar_t(L'1' + (daan[0] - 'A'));
    const wchar_t wrong = right == L'1' ? L'2' : L'1';
    Type(wrong);
    EXPECT_EQ(ShownId(), threeOption[0]);
    EXPECT_EQ(Caption(w->Label12), *CorrectAnswerText(daan));
    Type(right);
    EXPECT_EQ(ShownId(), threeOption[0] + 1);
    EXPECT_EQ(Caption(w->Label12), L"");

    // "3" on a two-option question does nothing at all.
    w->JumpTo(twoOption[0]);
    EXPECT_FALSE(w->Image5->Visible.Get());
    Type(L'3');
    EXPECT_EQ(ShownId(), twoOption[0]);
    EXPECT_EQ(Caption(w->Label12), L"");

    // "4" and "6", and the arrows; both ends hold.
    w->JumpTo(1);
    Type(L'4');
    EXPECT_EQ(ShownId(), 1);
    EXPECT_EQ(w->Edit1->SelStart.Get(), 0);
    Type(L'6');
    KeyDown(VK_RIGHT);
    EXPECT_EQ(ShownId(), 3);
    KeyDown(VK_LEFT);
    EXPECT_EQ(ShownId(), 2);
    w->JumpTo(861);
    const std::string lastDaan = TrimBlanks(bank_->Column(861, "daan"));
    Type(wchar_t(L'1' + (lastDaan[0] - 'A')));
    EXPECT_EQ(ShownId(), 861) << "a right answer on the last question keeps it";
    EXPECT_EQ(Caption(w->Label12), L"");
    // An id outside the set leaves the card where it is.
    w->JumpTo(900);
    EXPECT_EQ(ShownId(), 861);

    // "0" asks first; No leaves the mark off, Yes marks the question.
    Type(L'0');
    EXPECT_EQ(bank_->Column(861, "bz"), "");
    Application->SetBoxResponder([](const TOpenBox& box) { return box.Text == L"确实要将此题加入到强化练习题库吗？" ? IDYES : IDOK; });
    Type(L'0');
    EXPECT_EQ(bank_->Column(861, "bz"), "t");
    ASSERT_EQ(Application->ShownBoxes().size(), 2u);
    EXPECT_EQ(Application->ShownBoxes()[1].Caption, L"提示");

    // The main keyboard's 8 closes through the key-down and again through its character:
    // once, with the bookmark written, and without an error.
    Application->ClearShownBoxes();
    PressKey(0x38);
    PumpUntil([&] { return !form_; });
    EXPECT_EQ(form_.get(), nullptr);
    EXPECT_TRUE(Application->ShownBoxes().empty());
    EXPECT_EQ(Bookmarks()[0], "1=861");
}

TEST_F(ChapterTest, UpClosesTheWindowAndTheJumpRefreshesTheCard) {
    TForm4* w = Open();
    const std::vector<int> picture = bank_->Ids("length(image)>0 and id<=861");
    ASSERT_FALSE(picture.empty());
    w->Label12->Caption = L"正确答案为:1";
    w->JumpTo(picture[0]);
    EXPECT_EQ(ShownId(), picture[0]);
    EXPECT_FALSE(w->Card().Image2->Picture->Empty());
    EXPECT_EQ(Caption(w->Label12), L"");
    KeyDown(VK_UP);
    PumpUntil([&] { return !form_; });
    EXPECT_EQ(form_.get(), nullptr);
    EXPECT_EQ(Bookmarks()[0], "1=" + std::to_string(picture[0]));
}

// Saves the database refuses (another program holds the file's write lock): each shows the
// error and leaves the window as it was, nothing is written later, and once the file is free
// the same keys work again.
TEST_F(ChapterTest, RefusedSavesAreShownForgottenAndDoNotStopTheKeys) {
    bank_->ShortenLockWaits();
    TForm4* w = Open();
    w->JumpTo(20);
    Application->SetBoxResponder([](const TOpenBox& box) { return box.Kind == TBoxKind::MessageBox ? IDYES : IDOK; });
    {
        SqliteDb writer = bank_->HoldWriteLock("jjj");
        Type(L'0');
        ASSERT_EQ(Application->ShownBoxes().size(), 2u);
        EXPECT_EQ(Application->ShownBoxes()[1].Kind, TBoxKind::ErrorBox);
        EXPECT_NE(Application->ShownBoxes()[1].Text.find(L"锁定"), std::wstring::npos) << WideToUtf8(Application->ShownBoxes()[1].Text);
        Application->ClearShownBoxes();
        // The card moves on as usual while the lock holds.
        Type(L'6');
        EXPECT_EQ(ShownId(), 21);
        EXPECT_TRUE(Application->ShownBoxes().empty());
    }
    Type(L'6');
    KeyDown(VK_LEFT);
    EXPECT_EQ(ShownId(), 21);
    EXPECT_TRUE(Application->ShownBoxes().empty());
    EXPECT_TRUE(bank_->Ids("bz='t'").empty()) << "the refused mark was written later";

    // A refused bookmark keeps the window open; both closing keys still close it afterwards.
    const std::string stored = Bookmarks()[0];
    {
        SqliteDb writer = bank_->HoldWriteLock("bz");
        PressKey(0x38);
        PumpFor(30);
        ASSERT_NE(form_.get(), nullptr);
        ASSERT_EQ(Application->ShownBoxes().size(), 1u) << "one error for one key";
        EXPECT_EQ(Application->ShownBoxes()[0].Kind, TBoxKind::ErrorBox);
        Application->ClearShownBoxes();
        KeyDown(VK_UP);
        PumpFor(30);
        ASSERT_NE(form_.get(), nullptr);
        EXPECT_EQ(Application->ShownBoxes().size(), 1u);
        Application->ClearShownBoxes();
    }
    EXPECT_EQ(Bookmarks()[0], stored) << "the refused bookmark was written later";
    Type(L'6');
    EXPECT_EQ(ShownId(), 22);
    KeyDown(VK_UP);
    PumpUntil([&] { return !form_; });
    EXPECT_EQ(form_.get(), nullptr);
    EXPECT_TRUE(Application->ShownBoxes().empty());
    EXPECT_EQ(Bookmarks()[0], "1=22");
}

// What the learner sees and does with the mouse, as the system delivers it: the dropped list's
// items in the list's purple, the chosen chapter chosen again (a switch back to its first
// question), a chapter opened by a double click on its text, and the chosen node marked in
// the highlight colour while the chapter line has the focus.
TEST_F(ChapterTest, TheListAndTheTreeUnderTheMouse) {
    TForm4* w = Open();
    const auto screenPoint = [](HWND hwnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return p;
    };
    const auto click = [&](HWND hwnd, int x, int y, int clicks = 1) {
        for (int i = 0; i < clicks; ++i)
            ASSERT_TRUE(MouseAt(screenPoint(hwnd, x, y), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
        PumpFor(60);
    };
    Type(L'6');
    Type(L'6');
    ASSERT_EQ(ShownId(), 3);

    TComboBox* combo = w->ComboBox1;
    click(combo->WindowHandle(), combo->Width - 6, combo->Height / 2);
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo->WindowHandle(), &info));
    PumpFor(60);
    RECT second{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const Bitmap32 list = ScreenClient(info.hwndList);
    EXPECT_GT(CountNearColour(list, second, Rgb32(RGB(128, 0, 128)), 40), 40) << "the items are purple";
    EXPECT_EQ(CountNearColour(list, second, 0x000000, 40), 0) << "no item is black";
    // The first item, chapter 1, chosen again with the mouse: a switch to its first question.
    RECT first{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    click(info.hwndList, (first.left + first.right) / 2, (first.top + first.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !combo->DroppedDown() && w->Edit1->Focused(); }));
    EXPECT_EQ(ShownId(), 1);
    EXPECT_EQ(Bookmarks()[0], "1=3");

    // A double click on a chapter's text opens it.
    ShowTree();
    TTreeView* tree = w->TreeView1;
    TTreeNode* chapter2 = Root(2);
    RECT text = chapter2->DisplayRect();
    click(tree->WindowHandle(), (text.left + text.right) / 2, (text.top + text.bottom) / 2, 2);
    EXPECT_TRUE(PumpUntil([&] { return chapter2->GetExpanded(); }, 1000)) << "a double click opens the node";
    EXPECT_EQ(tree->Selected.Get(), chapter2);
    ASSERT_TRUE(PumpUntil([&] { return w->Edit1->Focused(); }));
    // The chosen node shows in the highlight colour although the tree has no focus.
    PumpFor(600);
    text = chapter2->DisplayRect();
    const Bitmap32 rows = ScreenClient(tree->WindowHandle());
    EXPECT_GT(CountColour(rows, text, Rgb32(GetSysColor(COLOR_HIGHLIGHT))), (text.right - text.left) * 4)
        << RectText(text);
    const RECT other = Root(1)->DisplayRect();
    EXPECT_EQ(CountColour(rows, other, Rgb32(GetSysColor(COLOR_HIGHLIGHT))), 0);
}

}  // namespace
