// The jump dialog on its own, driven by real typing while it runs modally: what reaches the
// caller for each kind of entry, which caller is reached, the conversion error, and what the
// close box keeps.
#include <vector>

#include "base/utf.h"
#include "practice/win/form6.h"
#include "ui_test_support.h"

namespace {

struct RecordingTarget : TJumpTarget {
    std::vector<int> jumps;
    void JumpTo(int n) override { jumps.push_back(n); }
};

class JumpDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Application->SetBoxResponder([](const TOpenBox&) { return IDOK; });
        // The drill window the dialog runs on top of, active again whenever the dialog closes.
        caller_.reset(new TForm(nullptr));
        caller_->Show();
        ASSERT_TRUE(PumpUntil([&] { return caller_->Active(); }));
        dialog_.reset(new TForm6(nullptr));
        dialog_->Create();
        dialog_->FindCaller = [this](const std::wstring& code) -> TJumpTarget* {
            codes_.push_back(code);
            if (code == L"55") return &bySet_;
            if (code == L"5") return &exam_;
            return nullptr;
        };
    }
    void TearDown() override {
        Application->SetBoxResponder({});
        dialog_.reset();
        caller_.reset();
        UiTest::TearDown();
    }
    // Shows the dialog for a caller, types the text and presses Enter, then whatever `after`
    // does while the dialog is still up (if it is). Returns once the dialog has closed.
    void Enter(const std::wstring& caller, const std::wstring& text, std::function<void()> after = {}) {
        RunSoon([this, text, after] {
            if (!PumpUntil([&] { return Ready(); })) {
                ADD_FAILURE() << "the dialog did not take the keys";
                dialog_->Close();
                return;
            }
            for (wchar_t c : text) TypeChar(c);
            PressKey(VK_RETURN);
            if (after) return after();
            if (dialog_->ModalResult == mrNone) {
                ADD_FAILURE() << "Enter left the dialog open";
                dialog_->Close();
            }
        });
        dialog_->ShowFor(caller);
        // The caller is active again before the learner's next key, as on a real desktop.
        EXPECT_TRUE(PumpUntil([&] { return caller_->Active() && GetFocus() == caller_->WindowHandle(); }));
        PumpFor(50);
    }
    std::wstring Entry() { return dialog_->Edit1->Text.Get(); }
    // Shown, active and typing into the entry.
    bool Ready() { return dialog_->Active() && GetFocus() == dialog_->Edit1->WindowHandle(); }

    Owned<TForm> caller_;
    Owned<TForm6> dialog_;
    RecordingTarget bySet_;
    RecordingTarget exam_;
    std::vector<std::wstring> codes_;
};

TEST_F(JumpDialogTest, IsTheSmallBoldDialogWithAnEmptyEntry) {
    EXPECT_EQ(dialog_->Caption.Get(), L"跳题");
    EXPECT_EQ(dialog_->Width.Get(), 270);
    EXPECT_EQ(dialog_->Height.Get(), 139);
    EXPECT_EQ(dialog_->BorderIcons.Get(), biSystemMenu);
    EXPECT_EQ(dialog_->Label1->Caption.Get(), L"跳   到：");
    EXPECT_EQ(dialog_->Label2->Caption.Get(), L"题");
    EXPECT_EQ(dialog_->Edit1->Width.Get(), 89);
    EXPECT_FALSE(dialog_->Label3->Visible.Get());
    EXPECT_EQ(Entry(), L"");
    EXPECT_FALSE(IsWindowVisible(dialog_->WindowHandle()));
}

TEST_F(JumpDialogTest, NumbersReachTheCallerTheCodeNamesAndEveryEnterEmptiesTheEntry) {
    Enter(L"55", L"37");
    Enter(L"55", L" 12 ");
    Enter(L"5", L"0");
    Enter(L"5", L"101");
    Enter(L"55", L"-3");
    Enter(L"55", L"+100");
    EXPECT_EQ(bySet_.jumps, (std::vector<int>{37, 12, -3, 100}));
    EXPECT_EQ(exam_.jumps, (std::vector<int>{0, 101}));  // the range is the caller's to judge
    EXPECT_EQ(Entry(), L"");
    EXPECT_EQ(dialog_->Label3->Caption.Get(), L"55");  // the last caller's code stays
    EXPECT_FALSE(IsWindowVisible(dialog_->WindowHandle()));
    EXPECT_TRUE(Application->ShownBoxes().empty());
}

TEST_F(JumpDialogTest, AnEmptyOrBlankEntryOrAnUnknownCallerClosesWithoutAJump) {
    Enter(L"55", L"");
    Enter(L"55", L"   ");
    EXPECT_TRUE(codes_.empty());  // nobody was even looked up
    Enter(L"7", L"12");
    EXPECT_EQ(codes_, std::vector<std::wstring>{L"7"});
    EXPECT_TRUE(bySet_.jumps.empty());
    EXPECT_TRUE(exam_.jumps.empty());
    EXPECT_EQ(Entry(), L"");
    EXPECT_TRUE(Application->ShownBoxes().empty());
}

TEST_F(JumpDialogTest, AnEntryThatIsNoWholeNumberShowsTheConversionErrorAndStays) {
    const std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {L"abc", L"'abc' is not a valid integer value"},
        {L" 1 2 ", L"'1 2' is not a valid integer value"},  // trimmed in the message
        {L"-", L"'-' is not a valid integer value"},
        {L"99999999999", L"'99999999999' is not a valid integer value"},
    };
    for (const auto& [typed, message] : cases) {
        Application->ClearShownBoxes();
        bool stayed = false;
        std::wstring kept;
        Enter(L"55", typed, [&] {
            stayed = PumpUntil([&] { return IsWindowVisible(dialog_->WindowHandle()) && dialog_->Modal(); }, 500);
            kept = Entry();
            PostMessageW(dialog_->WindowHandle(), WM_CLOSE, 0, 0);  // the close box
        });
        ASSERT_EQ(Application->ShownBoxes().size(), 1u) << WideToUtf8(typed);
        EXPECT_EQ(Application->ShownBoxes()[0].Kind, TBoxKind::ErrorBox);
        EXPECT_EQ(Application->ShownBoxes()[0].Text, message);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(kept, typed);
        // The close box jumps nowhere and keeps the typed text for the next opening.
        EXPECT_EQ(Entry(), typed);
        dialog_->Edit1->Text = L"";
    }
    EXPECT_TRUE(bySet_.jumps.empty());
}

TEST_F(JumpDialogTest, TheCloseBoxKeepsTheTypedTextForTheNextOpening) {
    RunSoon([this] {
        ASSERT_TRUE(PumpUntil([&] { return Ready(); }));
        TypeChar(L'4');
        TypeChar(L'2');
        PostMessageW(dialog_->WindowHandle(), WM_CLOSE, 0, 0);
    });
    dialog_->ShowFor(L"55");
    EXPECT_TRUE(bySet_.jumps.empty());
    EXPECT_EQ(Entry(), L"42");
    // Opened again, Enter takes what was kept (the caret stands after it).
    Enter(L"55", L"");
    EXPECT_EQ(bySet_.jumps, std::vector<int>{42});
}

}  // namespace
