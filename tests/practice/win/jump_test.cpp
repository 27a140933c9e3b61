// The jump dialog on the windows it repositions, driven as a learner does it: key "9" in the
// window, the number typed into the dialog, Enter. The edge cases of every caller: positions
// at and beyond both ends, blanks around the digits, letters, a recorded answer and the
// correct answer after the paper has ended.
#include <functional>

#include "base/utf.h"
#include "drill/answer_codes.h"
#include "exam/win/form5.h"
#include "practice/win/form4.h"
#include "practice/win/form55.h"
#include "practice/win/form6.h"
#include "support/sample_bank.h"
#include "ui_test_support.h"

namespace {

class JumpTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        bank_ = std::make_unique<SampleBank>();
        Application->SetBoxResponder([](const TOpenBox& box) { return box.Kind == TBoxKind::MessageBox ? IDYES : IDOK; });
        dialog_.reset(new TForm6(nullptr));
        dialog_->Create();
        dialog_->FindCaller = [this](const std::wstring& code) { return code == callerCode_ ? caller_ : nullptr; };
    }
    void TearDown() override {
        Application->SetBoxResponder({});
        window_.reset();
        dialog_.reset();
        bank_.reset();
        UiTest::TearDown();
    }
    template <class W>
    W* Open(W* window, const wchar_t* code) {
        window_.reset(window);
        window->JumpDialog = dialog_.get();
        caller_ = window;
        callerCode_ = code;
        window->Show();
        EXPECT_TRUE(PumpUntil([&] { return window->Active(); }));
        PumpFor(50);
        return window;
    }
    // Key "9" in the window, then the text and Enter in the dialog (and `whileUp` if the
    // dialog is still there). Returns once the window is active again.
    void Jump(const std::wstring& text, std::function<void()> whileUp = {}) {
        bool shown = false;
        WhenDialogUp([&] {
            shown = true;
            for (wchar_t c : text) TypeChar(c);
            PressKey(VK_RETURN);
            if (whileUp) whileUp();
            if (dialog_->ModalResult == mrNone) dialog_->Close();
        });
        PressKey('9');
        EXPECT_TRUE(shown) << "key 9 did not bring up the dialog";
        EXPECT_TRUE(PumpUntil([&] { return window_->Active(); }));
        PumpFor(50);
    }
    // Runs `act` from the dialog's modal loop once the dialog takes the keys.
    void WhenDialogUp(std::function<void()> act, int tries = 200) {
        RunAfter(10, [this, act, tries] {
            if (dialog_->Active() && GetFocus() == dialog_->Edit1->WindowHandle()) return act();
            if (tries > 0) WhenDialogUp(act, tries - 1);
        });
    }
    std::string Daan(int id) { return TrimBlanks(bank_->Column(id, "daan")); }

    // Every edge case of a window that numbers its paper's positions 1..100.
    template <class W>
    void WalkPositionEdgeCases(W* w, const std::function<void(wchar_t)>& type) {
        w->GoToPosition(37);
        type(L'2');
        w->GoToPosition(3);
        Jump(L"37");
        EXPECT_EQ(w->Label14->Caption.Get(), L"37");
        EXPECT_EQ(w->paper.current_index, 37);
        EXPECT_EQ(w->ADOQuery1->FieldByName("id")->AsInteger(), w->paper.paper_ids[37]);
        EXPECT_EQ(w->Label12->Caption.Get(), L"你的答案是:2");
        EXPECT_EQ(dialog_->Edit1->Text.Get(), L"");

        for (const wchar_t* outside : {L"0", L"101", L"-1", L"", L"  "}) {
            Jump(outside);
            EXPECT_EQ(w->paper.current_index, 37) << WideToUtf8(outside);
            EXPECT_EQ(dialog_->Edit1->Text.Get(), L"");
        }
        Jump(L"100");
        EXPECT_EQ(w->Label14->Caption.Get(), L"100");
        EXPECT_EQ(w->ADOQuery1->FieldByName("id")->AsInteger(), w->paper.paper_ids[100]);
        EXPECT_EQ(w->Label12->Caption.Get(), L"");  // not answered
        Jump(L" 12 ");
        EXPECT_EQ(w->Label14->Caption.Get(), L"12");
        EXPECT_TRUE(Application->ShownBoxes().empty());

        bool stayed = false;
        Jump(L"abc", [&] {
            stayed = dialog_->Modal() && IsWindowVisible(dialog_->WindowHandle()) && dialog_->Edit1->Text.Get() == L"abc";
        });
        ASSERT_EQ(Application->ShownBoxes().size(), 1u);
        EXPECT_EQ(Application->ShownBoxes()[0].Text, L"'abc' is not a valid integer value");
        EXPECT_TRUE(stayed);
        EXPECT_EQ(w->paper.current_index, 12);
        dialog_->Edit1->Text = L"";

        // After the hand-in a jump also names the right answer.
        type(L'+');
        ASSERT_TRUE(w->paper.Ended());
        Jump(L"37");
        EXPECT_EQ(w->Label12->Caption.Get(), L"你的答案是:2");
        EXPECT_EQ(w->Label21->Caption.Get(), CorrectAnswerText(Daan(w->paper.paper_ids[37])).value());
    }

    std::unique_ptr<SampleBank> bank_;
    Owned<TForm6> dialog_;
    Owned<TForm> window_;
    TJumpTarget* caller_ = nullptr;
    std::wstring callerCode_;
};

void TypeInto(wchar_t key) {
    if (key == L'+') return PressKey(VK_ADD);
    PressKey(WORD(VkKeyScanW(key) & 0xFF));
}

TEST_F(JumpTest, TheMockExamJumpsToPositionsOnly) {
    auto* exam = Open(new TForm5(nullptr, &bank_->Module().ADOConnection1), L"5");
    WalkPositionEdgeCases(exam, TypeInto);
    EXPECT_EQ(dialog_->Label3->Caption.Get(), L"5");
}

TEST_F(JumpTest, BySetPracticeJumpsToPositionsOnly) {
    auto* bySet = Open(new TForm55(nullptr, &bank_->Module().ADOConnection1), L"55");
    WalkPositionEdgeCases(bySet, TypeInto);
    EXPECT_EQ(dialog_->Label3->Caption.Get(), L"55");
    EXPECT_TRUE(bySet->Edit1->Focused());
}

TEST_F(JumpTest, ChapterPracticeJumpsToTheIdsOfItsSetOnly) {
    auto* chapter = Open(new TForm4(nullptr, &bank_->Module().ADOConnection1, &bank_->Module().ADOConnection2), L"4");
    auto shown = [&] { return chapter->ADOQuery1->FieldByName("id")->AsInteger(); };
    chapter->Label12->Caption = L"正确答案为:1";
    Jump(L"12");
    EXPECT_EQ(shown(), 12);
    EXPECT_EQ(chapter->Label12->Caption.Get(), L"");
    Jump(L"1218");  // not in the first chapter: the card stays
    EXPECT_EQ(shown(), 12);
    Jump(L" 30 ");
    EXPECT_EQ(shown(), 30);
    EXPECT_TRUE(Application->ShownBoxes().empty());
    Jump(L"abc");
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"'abc' is not a valid integer value");
    EXPECT_EQ(shown(), 30);
    EXPECT_EQ(dialog_->Label3->Caption.Get(), L"4");
}

}  // namespace
