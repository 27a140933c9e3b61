#pragma once
// Sequential practice: the whole bank in id order with instant feedback, a key and a link that
// put the question on the intensive list, and a resume point that outlives the window: the id
// on screen when the window closes, offered back when it next opens.
#include <memory>

#include "data/ado_query.h"
#include "drill/jump_dialog.h"
#include "drill/jump_target.h"
#include "drill/keypad_scheme.h"
#include "drill/win/question_card.h"
#include "practice/win/help_column.h"
#include "practice/win/instant_feedback.h"
#include "ui/form.h"

class TADOConnection;

class TForm2 : public TForm, public TJumpTarget {
public:
    // `bank` is the connection to jjj, `aux` the one to bz (the resume point).
    TForm2(TComponent* owner, TADOConnection* bank, TADOConnection* aux);
    std::wstring ClassName() const override { return L"TForm2"; }

private:
    std::unique_ptr<TADOQuery> query1_;
    std::unique_ptr<TADOQuery> query2_;
    std::unique_ptr<QuestionCard> card_;

public:
    TADOQuery* const ADOQuery1;  // the practice set
    TADOQuery* const ADOQuery2;  // bz1: the resume point in column bz of its row
    TPanel* Panel2;              // the card
    TDBText* DBText4;            // id
    TDBText* DBText5;            // tihao
    TLabel* Label12;             // the feedback line
    TImage* Image5;              // the third badge
    TLabel* Label16;             // "加入强化练习"
    TImage* Image1;              // the decorative picture
    TPanel* Panel1;              // the help captions
    std::vector<TLabel*> HelpLines;

    // Opens the set, offers the resume point, shows the first card.
    void FormCreate();
    // Saves the id on screen as the resume point; closing always goes ahead.
    void FormClose(TCloseAction& action);
    void FormKeyPress(wchar_t& key);
    void FormKeyDown(WORD& key, TShiftState shift);
    void Label16Click();
    void tpxs() { card_->tpxs(); }
    // The jump dialog's Enter: locates id n (staying put when the set has none), clears the
    // feedback line and refreshes the card.
    void JumpTo(int n) override;
    // The program's jump dialog, handed over by whoever opens the window; key "9" shows it.
    TJumpDialog* JumpDialog = nullptr;

    QuestionCard& Card() { return *card_; }

private:
    // The stored resume point when it is worth asking about: a question number other than the
    // two that mean "from the beginning", with a question at or after it.
    bool ResumeWorthOffering(const std::string& n);

    std::unique_ptr<InstantFeedback> feedback_;
    std::unique_ptr<KeypadScheme> keys_;
};
