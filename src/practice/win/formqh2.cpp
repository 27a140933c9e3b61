#include "practice/win/formqh2.h"

#include "data/statements.h"
#include "data/read_transaction.h"
#include "drill/answer_codes.h"
#include "drill/exam_paper.h"
#include "drill/win/drill_form.h"
#include "ui/application.h"
#include "ui/builders.h"

namespace {

constexpr int kCardWidth = 576;
constexpr int kCardHeight = 522;
constexpr int kRightLeft = 580;

}  // namespace

TFormqh2::TFormqh2(TComponent* owner, TADOConnection* bank, TADOConnection* aux)
    : TForm(owner),
      query1_(std::make_unique<TADOQuery>()),
      query2_(std::make_unique<TADOQuery>()),
      ADOQuery1(query1_.get()),
      ADOQuery2(query2_.get()) {
    PrepareDrillForm(this, L"Formqh2", L"强化练习", 819, 568);
    PrepareQuery(ADOQuery1, "ADOQuery1", bank, statements::kIntensiveList);
    PrepareQuery(ADOQuery2, "ADOQuery2", aux, statements::kIntensiveCompanion);

    Panel2 = PlacePlainPanel(this, L"Panel2", {0, 0, kCardWidth, kCardHeight});
    card_ = std::make_unique<QuestionCard>(this, Panel2, ADOQuery1, CardHeading::kIdAndBookNumber, 0, 0, kCardWidth);
    feedback_ = std::make_unique<InstantFeedback>(*card_);
    DBText4 = card_->DBText4;
    DBText5 = card_->DBText5;
    Label12 = card_->Label12;
    Image5 = card_->Image5;

    HelpColumn help = PlaceHelpColumn(this, kRightLeft,
                                      {{L"Label1", L"1、答题请使用数字小键盘"},
                                       {L"Label2", L"2、数字键4为跳到上一题"},
                                       {L"Label3", L"3、数字键6为跳到下一题"},
                                       {L"Label4", L"4、数字键8为关闭当前窗口"},
                                       {L"Label5", L"5、数字键1,2,3为您要选择的答案"},
                                       {L"Label6", L"自动跳至下一题"},
                                       {L"Label7", L"6、数字键9跳题"},
                                       {L"Label8", L"7、如果您选择的答案不正确软件"},
                                       {L"Label9", L"自动给出正确答案"},
                                       {L"Label10", L"8、显示的如1.1.1.1为您书上对应"},
                                       {L"Label11", L"的章节及题号"}});
    Image1 = help.Image1;
    Panel1 = help.Panel1;
    HelpLines = help.Lines;
    Label7 = HelpLines[6];
    Label7->Visible = false;
    const int linksTop = Panel1->Height - 52;
    Label15 = LinkLabel(this, Panel1, L"Label15", L"5从强化练习中移出", {20, linksTop, 180, 18}, 14,
                        [this] { Label15Click(); });
    Label16 = LinkLabel(this, Panel1, L"Label16", L"7清空强化练习", {20, linksTop + 26, 180, 18}, 14,
                        [this] { Label16Click(); });

    DrillActions actions;
    actions.remove = [this] { Remove(); };
    actions.clear = [this] { ClearList(true); };
    actions.previous = [this] { feedback_->Previous(); };
    actions.next = [this] { feedback_->Next(); };
    actions.close = [this] { Close(); };
    actions.answer = [this](int code) { feedback_->Answer(code); };
    actions.thirdOptionShown = [this] { return card_->ThirdOptionShown(); };
    keys_ = std::make_unique<KeypadScheme>(std::vector<DrillKey>{DrillKey::kRemove, DrillKey::kClear, DrillKey::kPrevious,
                                                                 DrillKey::kNext, DrillKey::kClose, DrillKey::kAnswer},
                                           std::move(actions), /*upCloses=*/true);

    OnCreate = [this] { FormCreate(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnKeyPress = [this](wchar_t& key) { FormKeyPress(key); };
    OnKeyDown = [this](WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
}

void TFormqh2::FormCreate() {
    // Only reads follow: each file is locked once for all of them instead of once a statement.
    TReadTransaction bankReads(ADOQuery1->Connection);
    TReadTransaction auxReads(ADOQuery2->Connection);
    ADOQuery1->Open();
    ADOQuery2->Open();
    Label12->Caption = L"";
    if (!ADOQuery1->IsEmpty()) card_->ShowCard();
}

void TFormqh2::FormClose(TCloseAction& action) { action = caFree; }

void TFormqh2::FormKeyPress(wchar_t& key) { keys_->KeyPress(key); }

void TFormqh2::FormKeyDown(WORD& key, TShiftState) { keys_->KeyDown(key); }

void TFormqh2::Label15Click() { Remove(); }

void TFormqh2::Label16Click() { ClearList(false); }

void TFormqh2::OpenList(const char* statement) {
    ADOQuery1->Close();
    ADOQuery1->SQL.SetText(statement);
    ADOQuery1->Open();
}

void TFormqh2::Remove() {
    if (Application->MessageBox(kRemoveFromIntensiveQuestion, kPromptCaption, MB_YESNO) == IDYES) RemoveCurrent();
}

void TFormqh2::RemoveCurrent() {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    ADOQuery1->Edit();
    try {
        ADOQuery1->FieldByName("bz")->SetAsString("");
        ADOQuery1->Post();  // its own transaction: off the list on disk when this returns
    } catch (...) {
        ADOQuery1->Cancel();  // the question stays listed and the card as it was
        throw;
    }
    // The removed row is still in the open result: step past it unless it was the last.
    if (!ADOQuery1->Eof()) ADOQuery1->Next();
    const std::string following = TrimBlanks(ADOQuery1->FieldByName("id")->AsString());
    OpenList(statements::kIntensiveList);
    // No such row (the removed one was the last): the first listed question stays current.
    ADOQuery1->Locate("id", following, loCaseInsensitive);
    feedback_->Refresh();
}

void TFormqh2::ClearList(bool runWhenEmpty) {
    if (Application->MessageBox(kClearIntensiveQuestion, kPromptCaption, MB_YESNO) == IDYES) ClearAll(runWhenEmpty);
}

void TFormqh2::ClearAll(bool runWhenEmpty) {
    const bool listed = ADOQuery1->Active() && !ADOQuery1->IsEmpty();
    ADOQuery1->Close();
    if (listed || runWhenEmpty) {
        ADOQuery1->SQL.SetText(statements::kClearIntensive);
        try {
            ADOQuery1->ExecSQL();  // its own transaction: the list is empty on disk when this returns
        } catch (...) {
            // Nothing was cleared: the window goes back to the list as it is.
            OpenList(statements::kIntensiveList);
            feedback_->Refresh();
            throw;
        }
    }
    OpenList(statements::kIntensiveListUnordered);
    // The card shows no question: no badge, no picture, no feedback.
    feedback_->Refresh();
}
