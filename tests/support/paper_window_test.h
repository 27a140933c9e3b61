#pragma once
// What the tests of the two windows that work on a 100-question paper (the mock exam and
// by-set practice) share: a copy of the sample bank, the window opened on it and freed
// whatever the test left it in, boxes no test expected answered instead of waited for, keys
// typed as the keyboard makes them, and the answer sheet and stored answers read back.
#include <functional>
#include <memory>
#include <string>

#include "base/utf.h"
#include "support/sample_bank.h"
#include "ui_test_support.h"

template <class F>
class PaperWindowTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        bank_ = std::make_unique<SampleBank>(keepQuestions_);
        // A box no test expected is answered (and recorded) instead of waiting forever.
        Application->SetBoxResponder([](const TOpenBox& box) { return box.Kind == TBoxKind::MessageBox ? IDNO : IDOK; });
    }
    void TearDown() override {
        Application->SetBoxResponder({});
        if (form_) {
            form_->paper.handed_in = "t";  // let it close whatever the test left
            form_.reset();
        }
        bank_.reset();
        UiTest::TearDown();
    }

    // Opens the window on the copy's bank and waits until `hasKeys` says the keys reach it.
    F* OpenPaperWindow(const std::function<bool()>& hasKeys) {
        form_.reset(new F(nullptr, &bank_->Module().ADOConnection1));
        // A window that closes releases itself: the test lets go of it then.
        form_->AddFreeNotification([this] { (void)form_.release(); });
        form_->Show();
        EXPECT_TRUE(PumpUntil([&] { return form_->Active() && hasKeys(); }));
        return form_.get();
    }

    // Types a character as the keypad or the main keyboard makes it.
    void Type(wchar_t key) {
        if (key == L'*') return PressKey(VK_MULTIPLY);
        if (key == L'+') return PressKey(VK_ADD);
        TypeOnKeyboard(key);
    }

    std::wstring Caption(TLabel* label) { return label->Caption.Get(); }
    TColor CellColour(int p) { return form_->Sheet().Cell(p)->Font->Color; }
    // How many of the answer sheet's hundred cells show in `colour`.
    int Count(TColor colour) {
        int n = 0;
        for (int p = 1; p <= 100; ++p) n += CellColour(p) == colour;
        return n;
    }
    std::string Daan(int id) { return TrimBlanks(bank_->Column(id, "daan")); }

    // > 0: every question above this number is deleted from the copy before the window opens.
    int keepQuestions_ = 0;
    std::unique_ptr<SampleBank> bank_;
    Owned<F> form_;
};
