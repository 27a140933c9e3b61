#pragma once
// By-set practice "分套练习": the exam-like paper over one of the twelve fixed question sets,
// the set's first 100 questions in id order. It works as the mock exam does (answer sheet,
// clock, hand-in, score, closing rule) except that answering moves on at once, there is no
// "first unanswered" key, the main keyboard's 8 does not start the clock, a link marks the
// question for intensive practice, and choosing a set in the list starts a fresh paper. Every
// key arrives through the read-only set-name field laid over the list, which keeps the focus.
#include <memory>

#include "data/ado_query.h"
#include "drill/exam_clock.h"
#include "drill/exam_paper.h"
#include "drill/jump_dialog.h"
#include "drill/jump_target.h"
#include "drill/keypad_scheme.h"
#include "drill/win/answer_sheet.h"
#include "drill/win/question_card.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/timer.h"

class TADOConnection;

// The twelve set names in set order: the k-th names set k.
inline constexpr const wchar_t* kSetNames[] = {L"第一套", L"第二套", L"第三套", L"第四套",   L"第五套",   L"第六套",
                                               L"第七套", L"第八套", L"第九套", L"第十套", L"第十一套", L"第十二套"};

class TForm55 : public TForm, public TJumpTarget {
public:
    // `bank` is the connection to jjj the question query runs over.
    TForm55(TComponent* owner, TADOConnection* bank);
    std::wstring ClassName() const override { return L"TForm55"; }

private:
    std::unique_ptr<TADOQuery> query_;
    std::unique_ptr<QuestionCard> card_;

public:
    TADOQuery* const ADOQuery1;
    TLabel* Label23;       // "选择套数："
    TComboBox* ComboBox1;  // the twelve sets
    TEdit* Edit1;          // the chosen set's name, over the list's text; holds the focus
    TLabel* Label20;       // the score after a hand-in
    TLabel* Label25;       // link "加入强化练习"
    TLabel* Label14;       // position
    TLabel* Label12;       // the learner's answer (and the score after a time-out)
    TLabel* Label21;       // the correct answer once the paper has ended
    TImage* Image5;        // the third badge
    TLabel* Label17;       // "剩余时间："
    TLabel* Label16;       // the clock
    TImage* Image1;        // the decorative picture
    TPanel* Panel1;        // help, colour key, note and answer sheet
    TTimer* Timer1;

    ExamPaper paper;
    ExamClock clock;
    // The program's jump dialog, handed over by whoever opens the window; key "9" shows it.
    TJumpDialog* JumpDialog = nullptr;

    void FormCreate();
    void FormClose(TCloseAction& action);
    void Edit1KeyDown(WORD& key, TShiftState shift);
    void Edit1KeyPress(wchar_t& key);
    void Timer1Timer();
    // Loads the set the list shows and starts a fresh paper.
    void ComboBox1Change();
    void ComboBox1Click();
    void ComboBox1CloseUp();
    void Label25Click();
    void tpxs() { card_->tpxs(); }

    // Moves the card to position p (1..100).
    void GoToPosition(int position);
    // The jump dialog's Enter: positions 1..100 only.
    void JumpTo(int n) override;
    // True while the chosen set holds no question: the card is empty and nothing can be
    // answered, handed in or timed.
    bool PaperEmpty() const { return paper.paper_ids[1] == 0; }

    QuestionCard& Card() { return *card_; }
    AnswerSheet& Sheet() { return *sheet_; }

private:
    void ResetPaper();
    void FillPaper();
    void Answer(int code);
    void Previous();
    void Next();
    void HandIn();
    void MarkEndOfPaper();

    std::unique_ptr<AnswerSheet> sheet_;
    std::unique_ptr<KeypadScheme> keys_;
};
