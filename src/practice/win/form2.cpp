#include "practice/win/form2.h"

#include <algorithm>
#include <optional>

#include "base/utf.h"
#include "data/statements.h"
#include "data/read_transaction.h"
#include "drill/answer_codes.h"
#include "drill/exam_paper.h"
#include "drill/win/drill_form.h"
#include "drill/win/intensive_mark.h"
#include "ui/application.h"
#include "ui/builders.h"

namespace {

constexpr int kCardWidth = 576;
constexpr int kCardHeight = 522;
constexpr int kRightLeft = 580;

// A resume point the statement can take: decimal digits only, short enough to be a number.
bool IsQuestionNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

}  // namespace

TForm2::TForm2(TComponent* owner, TADOConnection* bank, TADOConnection* aux)
    : TForm(owner),
      query1_(std::make_unique<TADOQuery>()),
      query2_(std::make_unique<TADOQuery>()),
      ADOQuery1(query1_.get()),
      ADOQuery2(query2_.get()) {
    PrepareDrillForm(this, L"Form2", L"顺序练习", 819, 568);
    PrepareQuery(ADOQuery1, "ADOQuery1", bank, statements::kAllQuestions);
    PrepareQuery(ADOQuery2, "ADOQuery2", aux, statements::kResumePoint);

    Panel2 = PlacePlainPanel(this, L"Panel2", {0, 0, kCardWidth, kCardHeight});
    card_ = std::make_unique<QuestionCard>(this, Panel2, ADOQuery1, CardHeading::kIdAndBookNumber, 0, 0, kCardWidth);
    feedback_ = std::make_unique<InstantFeedback>(*card_);
    DBText4 = card_->DBText4;
    DBText5 = card_->DBText5;
    Label12 = card_->Label12;
    Image5 = card_->Image5;
    Label16 = LinkLabel(this, Panel2, L"Label16", L"加入强化练习", {kCardWidth - 112, 28, 100, 16}, 14,
                        [this] { Label16Click(); });

    HelpColumn help = PlaceHelpColumn(this, kRightLeft,
                                      {{L"Label1", L"1、答题请使用数字小键盘"},
                                       {L"Label2", L"2、数字键4为跳到上一题"},
                                       {L"Label3", L"3、数字键6为跳到下一题"},
                                       {L"Label4", L"4、数字键8为关闭当前窗口"},
                                       {L"Label5", L"5、数字键1,2,3为您要选择的答案     "},
                                       {L"Label6", L"自动跳至下一题"},
                                       {L"Label7", L"6、数字键9跳题"},
                                       {L"Label8", L"7、如果您选择的答案不正确软件"},
                                       {L"Label9", L"自动给出正确答案"},
                                       {L"Label10", L"8、显示的如1.1.1.1为您书上对应"},
                                       {L"Label11", L"的章节及题号"},
                                       {L"Label13", L"9、 数字键0将练习中的难题加入强化"},
                                       {L"Label14", L"练习，针对进行练习"}});
    Image1 = help.Image1;
    Panel1 = help.Panel1;
    HelpLines = help.Lines;

    DrillActions actions;
    actions.add = [this] { AddToIntensive(ADOQuery1); };
    actions.jump = [this] {
        if (JumpDialog) JumpDialog->ShowFor(L"2");
    };
    actions.previous = [this] { feedback_->Previous(); };
    actions.next = [this] { feedback_->Next(); };
    actions.close = [this] { Close(); };
    actions.answer = [this](int code) { feedback_->Answer(code); };
    actions.thirdOptionShown = [this] { return card_->ThirdOptionShown(); };
    keys_ = std::make_unique<KeypadScheme>(std::vector<DrillKey>{DrillKey::kAdd, DrillKey::kJump, DrillKey::kPrevious,
                                                                 DrillKey::kNext, DrillKey::kClose, DrillKey::kAnswer},
                                           std::move(actions));

    OnCreate = [this] { FormCreate(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnKeyPress = [this](wchar_t& key) { FormKeyPress(key); };
    OnKeyDown = [this](WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
}

bool TForm2::ResumeWorthOffering(const std::string& n) {
    if (n == "1" || n == "1218") return false;
    // An empty or foreign value would make a statement the database rejects, and a number past
    // the last question an empty set: both start from the beginning without asking.
    if (!IsQuestionNumber(n) || ADOQuery1->IsEmpty()) return false;
    // A point at or before the first question ("0" among them) is the beginning as well.
    const int64_t firstId = ADOQuery1->FieldByName("id")->AsInteger();
    ADOQuery1->Last();
    const int64_t lastId = ADOQuery1->FieldByName("id")->AsInteger();
    ADOQuery1->First();
    const int64_t point = std::stoll(n);
    return point > firstId && point <= lastId;
}

void TForm2::FormCreate() {
    // Only reads follow: each file is locked once for all of them instead of once a statement,
    // but not while the resume question waits for the learner.
    std::optional<TReadTransaction> bankReads(std::in_place, ADOQuery1->Connection);
    std::optional<TReadTransaction> auxReads(std::in_place, ADOQuery2->Connection);
    ADOQuery1->Open();
    ADOQuery2->Open();
    // No row in bz1 reads as empty, like an empty column.
    const std::string n = TrimBlanks(ADOQuery2->FieldByName("bz")->AsString());
    if (ResumeWorthOffering(n)) {
        auxReads.reset();
        bankReads.reset();
        const std::wstring question = L"上次练习到: 题目" + Utf8ToWide(n) + L" 点击<是>继续联系点击<否>从头开始";
        if (Application->MessageBox(question, kPromptCaption, MB_YESNO) == IDYES) {
            ADOQuery1->Close();
            ADOQuery1->SQL.SetText(statements::QuestionsFrom(n));
            ADOQuery1->Open();
        }
    }
    Label12->Caption = L"";
    if (!ADOQuery1->Eof()) card_->ShowCard();
}

void TForm2::FormClose(TCloseAction& action) {
    action = caFree;
    // With no question on screen there is nothing to resume at, and with no row in bz1 there is
    // nowhere to keep it: the stored point stays as it is.
    if (ADOQuery1->IsEmpty() || !ADOQuery2->Active() || ADOQuery2->IsEmpty()) return;
    try {
        ADOQuery2->Edit();
        ADOQuery2->FieldByName("bz")->SetAsString(TrimBlanks(ADOQuery1->FieldByName("id")->AsString()));
        ADOQuery2->Post();
    } catch (const std::exception& error) {
        // The learner still leaves the window; the reason the point was not kept is shown.
        ADOQuery2->Cancel();
        Application->ShowException(error);
    }
}

void TForm2::FormKeyPress(wchar_t& key) { keys_->KeyPress(key); }

void TForm2::FormKeyDown(WORD& key, TShiftState) { keys_->KeyDown(key); }

void TForm2::Label16Click() { AddToIntensive(ADOQuery1); }

void TForm2::JumpTo(int n) {
    ADOQuery1->Locate("id", n);
    Label12->Caption = L"";
    card_->ShowCard();
}
