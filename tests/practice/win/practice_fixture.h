#pragma once
// What the practice window tests share: a copy of the sample bank as the working directory,
// a window of the kind under test opened on it, keys typed as the keyboard makes them, and
// the marks and resume point read back from the files.
#include <memory>
#include <string>
#include <vector>

#include "support/sample_bank.h"
#include "ui_test_support.h"

class PracticeTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a window made by `make` (given the two connections) and waits until it has the keys.
    template <class F, class Make>
    F* OpenWindow(Owned<F>& holder, Make make) {
        holder.reset(make(&bank_->Module().ADOConnection1, &bank_->Module().ADOConnection2));
        // A window that closes releases itself: the test lets go of it then.
        holder->AddFreeNotification([&holder] { (void)holder.release(); });
        holder->Show();
        EXPECT_TRUE(PumpUntil([&] { return holder && holder->Active(); }));
        return holder.get();
    }

    // Types a character as the main keyboard makes it (key-down, character, key-up).
    void Type(wchar_t key);
    // Answers every box that asks a question with Yes (or No), OK the others.
    void AnswerBoxes(int answer);
    // The texts of the boxes shown since the last call.
    std::vector<std::wstring> TakeShownBoxes();

    // Runs a statement on the copy of bz.
    void RunOnAux(const std::string& sql);
    // Column bz of every row of bz1, joined by "|"; "(none)" when the table has no row.
    std::string StoredResumePoint();
    // The ids whose kaoti.bz is "t", in order.
    std::vector<int> Marked() { return bank_->Ids("bz='t'"); }
    void Mark(std::initializer_list<int> ids);

    std::unique_ptr<SampleBank> bank_;
    int keepQuestions_ = 0;
};
