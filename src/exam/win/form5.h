#pragma once
// The mock exam: a fresh paper of 100 questions drawn from the whole bank, answered and moved
// through from the keypad, with the answer sheet, the 45-minute clock, hand-in or time-out,
// the score and the correct answers afterwards.
#include <memory>

#include "data/ado_query.h"
#include "drill/jump_dialog.h"
#include "drill/jump_target.h"
#include "drill/keypad_scheme.h"
#include "drill/win/question_card.h"
#include "drill/exam_clock.h"
#include "drill/exam_paper.h"
#include "drill/win/answer_sheet.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/timer.h"

class TADOConnection;

class TForm5 : public TForm, public TJumpTarget {
public:
    // `bank` is the connection to jjj the question query runs over.
    TForm5(TComponent* owner, TADOConnection* bank);
    std::wstring ClassName() const override { return L"TForm5"; }

private:
    std::unique_ptr<TADOQuery> query_;
    std::unique_ptr<QuestionCard> card_;

public:
    TADOQuery* const ADOQuery1;
    // The card's parts, under the names the window uses.
    TLabel* Label14;  // position
    TLabel* Label12;  // the learner's answer (and the score after a time-out)
    TLabel* Label21;  // the correct answer once the paper has ended
    TImage* Image5;   // the third badge
    TLabel* Label17;  // "剩余时间："
    TLabel* Label16;  // the clock
    TLabel* Label20;  // the score after a hand-in
    TImage* Image1;   // the decorative picture
    TPanel* Panel1;   // legend and answer sheet
    TTimer* Timer1;

    // The paper and the clock.
    ExamPaper paper;
    ExamClock clock;
    int question_count = 0;
    // The program's jump dialog, handed over by whoever opens the window; key "9" shows it.
    TJumpDialog* JumpDialog = nullptr;

    void FormCreate();
    void FormKeyPress(wchar_t& key);
    void FormKeyDown(WORD& key, TShiftState shift);
    void FormClose(TCloseAction& action);
    void Timer1Timer();

    // Shows the current row's picture in the frame.
    void tpxs() { card_->tpxs(); }
    // A question number for position n, distinct from positions 1..n-1.
    int get_rand_index(int n);
    // Moves the card to position p (1..100); also used by the jump dialog.
    void GoToPosition(int position);
    // The jump dialog's Enter: positions 1..100 only.
    void JumpTo(int n) override;
    QuestionCard& Card() { return *card_; }
    AnswerSheet& Sheet() { return *sheet_; }

private:
    void Answer(int code);
    void Previous();
    void Next();
    void FirstUnanswered();
    void HandIn();
    void MarkEndOfPaper();
    void ShowScoreIn(TLabel* label);

    std::unique_ptr<AnswerSheet> sheet_;
    std::unique_ptr<PaperDraw> draw_;
    std::unique_ptr<KeypadScheme> keys_;
};
