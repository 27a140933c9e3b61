#pragma once
// Intensive practice: drills the questions the learner marked as difficult (kaoti.bz = "t") in
// id order with instant feedback, and takes a question off the list or empties the list.
#include <memory>

#include "data/ado_query.h"
#include "drill/keypad_scheme.h"
#include "drill/win/question_card.h"
#include "practice/win/help_column.h"
#include "practice/win/instant_feedback.h"
#include "ui/form.h"

class TADOConnection;

inline constexpr const wchar_t* kRemoveFromIntensiveQuestion = L"确实要将此题移出强化练习题库吗？";
inline constexpr const wchar_t* kClearIntensiveQuestion = L"确实要清空强化练习题库吗？";

class TFormqh2 : public TForm {
public:
    // `bank` is the connection to jjj, `aux` the one to bz.
    TFormqh2(TComponent* owner, TADOConnection* bank, TADOConnection* aux);
    std::wstring ClassName() const override { return L"TFormqh2"; }

private:
    std::unique_ptr<TADOQuery> query1_;
    std::unique_ptr<TADOQuery> query2_;
    std::unique_ptr<QuestionCard> card_;

public:
    TADOQuery* const ADOQuery1;  // the list
    TADOQuery* const ADOQuery2;  // bzq, opened with the list
    TPanel* Panel2;              // the card
    TDBText* DBText4;            // id
    TDBText* DBText5;            // tihao
    TLabel* Label12;             // the feedback line
    TImage* Image5;              // the third badge
    TImage* Image1;              // the decorative picture
    TPanel* Panel1;              // the help captions and the two links
    std::vector<TLabel*> HelpLines;
    TLabel* Label7;              // "6、数字键9跳题", hidden: this window has no jump
    TLabel* Label15;             // "5从强化练习中移出"
    TLabel* Label16;             // "7清空强化练习"

    // Shows the first listed question, or an empty card when nothing is listed.
    void FormCreate();
    void FormClose(TCloseAction& action);
    void FormKeyPress(wchar_t& key);
    void FormKeyDown(WORD& key, TShiftState shift);
    void Label15Click();
    void Label16Click();
    void tpxs() { card_->tpxs(); }

    QuestionCard& Card() { return *card_; }

    // What the remove and clear actions do once the learner has said yes. Removing takes the
    // question on the card off the list and shows the one that followed it (the first when it
    // was the last); an empty list changes nothing. Clearing empties the list; with
    // `runWhenEmpty` false the statement is skipped when the list shows nothing.
    void RemoveCurrent();
    void ClearAll(bool runWhenEmpty);

private:
    void Remove();
    void ClearList(bool runWhenEmpty);
    void OpenList(const char* statement);

    std::unique_ptr<InstantFeedback> feedback_;
    std::unique_ptr<KeypadScheme> keys_;
};
