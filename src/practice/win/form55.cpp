#include "practice/win/form55.h"

#include "base/utf.h"
#include "data/read_transaction.h"
#include "data/statements.h"
#include "drill/answer_codes.h"
#include "drill/win/drill_form.h"
#include "drill/win/intensive_mark.h"
#include "ui/application.h"
#include "ui/builders.h"
#include "ui/resource_picture.h"

namespace {

constexpr int kCardWidth = 527;
constexpr int kCardHeight = 531;
constexpr int kRightLeft = 533;
constexpr int kRightWidth = 221;
// The decorative picture gives up a little height to the longer help panel (whose first red
// note takes two lines in the bold 宋体).
constexpr int kDecorationHeight = 186;
constexpr TBounds kSetList = {80, 2, 100, 21};

// The set number 1..12 a set name stands for; 0 for any other text.
int SetNumber(const std::wstring& name) {
    for (int k = 1; k <= 12; ++k) {
        if (name == kSetNames[k - 1]) return k;
    }
    return 0;
}

}  // namespace

TForm55::TForm55(TComponent* owner, TADOConnection* bank)
    : TForm(owner), query_(std::make_unique<TADOQuery>()), ADOQuery1(query_.get()) {
    PrepareDrillForm(this, L"Form55", L"分套练习", 769, 568);
    BorderIcons = biSystemMenu | biMaximize;
    PrepareQuery(ADOQuery1, "ADOQuery1", bank, statements::SetPaper(1));

    card_ = std::make_unique<QuestionCard>(this, this, ADOQuery1, CardHeading::kPaperPosition, 0, 0, kCardWidth);
    Label14 = card_->Label14;
    Label12 = card_->Label12;
    Label12->Width = 120;
    Label21 = card_->Label21;
    Image5 = card_->Image5;
    const ClockLabels clockLabels = PlaceClockLabels(this);
    Label17 = clockLabels.Label17;
    Label16 = clockLabels.Label16;

    // The top row: the set selector, the score beside it, the intensive link at the right.
    Label23 = SongLabel(this, this, L"Label23", L"选择套数：", {8, 6, 72, 16}, 12, clBlue);
    ComboBox1 = Place<TComboBox>(this, this, L"ComboBox1", kSetList);
    ComboBox1->TabStop = false;
    for (const wchar_t* name : kSetNames) ComboBox1->Items->Add(name);
    ComboBox1->DropDownCount = 12;
    ComboBox1->ItemIndex = 0;
    ComboBox1->OnClick = [this] { ComboBox1Click(); };
    ComboBox1->OnChange = [this] { ComboBox1Change(); };
    ComboBox1->OnCloseUp = [this] { ComboBox1CloseUp(); };
    // The field covers the list's text and leaves only its arrow to click.
    Edit1 = Place<TEdit>(this, this, L"Edit1",
                         {kSetList.left, kSetList.top, kSetList.width - GetSystemMetrics(SM_CXVSCROLL), kSetList.height});
    Edit1->ReadOnly = true;
    Edit1->Color = clWhite;
    Edit1->Text = kSetNames[0];
    Edit1->OnKeyDown = [this](WORD& key, TShiftState shift) { Edit1KeyDown(key, shift); };
    Edit1->OnKeyPress = [this](wchar_t& key) { Edit1KeyPress(key); };
    Edit1->BringToFront();
    ActiveControl = Edit1;
    Label20 = SongLabel(this, this, L"Label20", L"", {192, 5, 220, 16}, 14, clRed);
    Label25 = LinkLabel(this, this, L"Label25", L"加入强化练习", {430, 6, 90, 16}, 12, [this] { Label25Click(); });

    Image1 = Place<TImage>(this, this, L"Image1", {kRightLeft, 0, kRightWidth, kDecorationHeight});
    Image1->Center = true;
    Panel1 = PlacePlainPanel(this, L"Panel1",
                             {kRightLeft, kDecorationHeight, kRightWidth, kCardHeight - kDecorationHeight});
    sheet_ = std::make_unique<AnswerSheet>(
        this, Panel1,
        std::initializer_list<const wchar_t*>{L"１、答题请使用数字小键盘", L"２、数字键4为跳到上一题",
                                              L"３、数字键6为跳到下一题", L"４、数字键8为关闭当前窗口",
                                              L"５、数字键1,2,3为您要选择的答案", L"自动跳至下一题",
                                              L"６、数字键*或+为交卷", L"７、数字键9跳题"},
        std::initializer_list<const wchar_t*>{L"其中有18道题未包含在分套中，题号为：", L"1201-1218可在顺序练习中跳题查看"});

    Timer1 = MakeClockTimer(this, [this] { Timer1Timer(); });

    // A paper without questions (an empty set) can be neither answered nor handed in.
    DrillActions actions;
    actions.handIn = [this] {
        if (!paper.Ended() && !PaperEmpty()) HandIn();
    };
    actions.jump = [this] {
        if (JumpDialog) JumpDialog->ShowFor(L"55");
    };
    actions.previous = [this] { Previous(); };
    actions.next = [this] { Next(); };
    actions.close = [this] { Close(); };
    actions.answer = [this](int code) {
        if (!paper.Ended() && !PaperEmpty()) Answer(code);
    };
    actions.thirdOptionShown = [this] { return card_->ThirdOptionShown(); };
    keys_ = std::make_unique<KeypadScheme>(std::vector<DrillKey>{DrillKey::kHandIn, DrillKey::kJump, DrillKey::kPrevious,
                                                                 DrillKey::kNext, DrillKey::kClose, DrillKey::kAnswer},
                                           std::move(actions));

    OnCreate = [this] { FormCreate(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
}

void TForm55::FormCreate() {
    Image1->Picture->Assign(LoadResourcePicture(L"DECO"));
    // Only reads follow: the file is locked once for all of them instead of once a statement.
    TReadTransaction reads(ADOQuery1->Connection);
    ADOQuery1->Open();
    // The clock label and the cells keep their design-time "45:00" and black.
    ResetPaper();
    Edit1->Text = kSetNames[0];
    FillPaper();
}

// What loading a set and opening have in common: no score, no answer shown, the clock at its
// start, position 1 of an open paper without answers.
void TForm55::ResetPaper() {
    Label20->Caption = L"";
    Label21->Caption = L"";
    Label12->Caption = L"";
    clock.Restart();
    Label14->Caption = L"1";
    paper.ResetAnswers();
}

// The set paper: the query's rows from the first, one per position; a set of fewer than 100
// questions repeats its last one. A set without questions leaves every position empty (0),
// so that no id of an earlier paper survives, and the card shows no question.
void TForm55::FillPaper() {
    paper.paper_ids.fill(0);
    if (ADOQuery1->Active() && !ADOQuery1->IsEmpty()) {
        // The card's controls follow the query: they are refreshed once, at the first
        // question, not at every row read.
        ADOQuery1->DisableControls();
        try {
            ADOQuery1->First();
            for (int n = 1; n <= kPaperSize; ++n) {
                paper.paper_ids[size_t(n)] = ADOQuery1->FieldByName("id")->AsInteger();
                ADOQuery1->Next();
            }
            ADOQuery1->Locate("id", paper.paper_ids[1]);
        } catch (...) {
            ADOQuery1->EnableControls();
            throw;
        }
        ADOQuery1->EnableControls();
    }
    card_->ShowCard();
}

void TForm55::ComboBox1Change() {
    sheet_->ColourAll(clWindowText);
    Label16->Caption = kClockStartLabel;
    Timer1->Enabled = false;
    ResetPaper();
    // Until the new set is read the paper is empty: a query the database refuses leaves
    // nothing of the old paper to answer.
    paper.paper_ids.fill(0);
    TReadTransaction reads(ADOQuery1->Connection);  // the set's statement and its first card
    const std::wstring chosen = Utf8ToWide(TrimBlanks(WideToUtf8(ComboBox1->Text.Get())));
    if (const int k = SetNumber(chosen)) {
        Edit1->Text = chosen;
        ADOQuery1->Close();
        ADOQuery1->SQL.SetText(statements::SetPaper(k));
        ADOQuery1->Open();
    }
    FillPaper();
    Edit1->SetFocus();
}

void TForm55::ComboBox1Click() { Edit1->SetFocus(); }

void TForm55::ComboBox1CloseUp() { Edit1->SetFocus(); }

void TForm55::Label25Click() { AddToIntensive(ADOQuery1); }

void TForm55::GoToPosition(int position) {
    paper.current_index = position;
    Label14->Caption = std::to_wstring(position);
    if (!PaperEmpty()) ADOQuery1->Locate("id", paper.paper_ids[size_t(position)]);
    card_->ShowCard();
    const int given = paper.given_answers[size_t(position)];
    Label12->Caption = given ? GivenAnswerText(given) : std::wstring();
    if (paper.Ended()) {
        if (const auto text = CorrectAnswerText(ADOQuery1->FieldByName("daan")->AsString())) Label21->Caption = *text;
    }
}

void TForm55::JumpTo(int n) {
    if (n > 0 && n < kPaperSize + 1) GoToPosition(n);
}

void TForm55::Previous() {
    if (paper.current_index > 1) GoToPosition(paper.current_index - 1);
}

void TForm55::Next() {
    if (paper.current_index < kPaperSize) GoToPosition(paper.current_index + 1);
}

void TForm55::Edit1KeyDown(WORD& key, TShiftState) {
    // Any key-down but Num Lock and the main keyboard's 8 starts the clock, before the key's
    // own handling; a paper without questions has nothing to time (and could never be
    // handed in to let the window close).
    if (!paper.Ended() && !PaperEmpty() && Label16->Caption.Get() == kClockStartLabel && key != kVkNumLock &&
        key != kVk8)
        Timer1->Enabled = true;
    keys_->KeyDown(key);
}

void TForm55::Edit1KeyPress(wchar_t& key) { keys_->KeyPress(key); }

void TForm55::Answer(int code) {
    const int p = paper.current_index;
    if (p == kPaperSize) Application->ShowMessage(kLastQuestionMessage);
    paper.RecordAnswer(p, code, ADOQuery1->FieldByName("daan")->AsString());
    sheet_->Colour(p, clRed);
    // Answering moves on at once; the last position stays, its answer label unchanged.
    if (p < kPaperSize) GoToPosition(p + 1);
}

void TForm55::MarkEndOfPaper() {
    for (int p : paper.PositionsNotRight()) sheet_->Colour(p, clBlue);
}

void TForm55::HandIn() {
    if (Application->MessageBox(kHandInQuestion, kPromptCaption, MB_YESNO) != IDYES) return;
    Timer1->Enabled = false;
    paper.handed_in = "t";
    MarkEndOfPaper();
    Label20->Caption = kScorePrefix + std::to_wstring(paper.Score());
}

void TForm55::Timer1Timer() {
    if (!clock.Tick()) {
        paper.handed_in = "t";
        MarkEndOfPaper();
        Label12->Caption = kScorePrefix + std::to_wstring(paper.Score());
        Timer1->Enabled = false;
        Label16->Caption = L"0:00";
        return;
    }
    Label16->Caption = clock.Label();
}

void TForm55::FormClose(TCloseAction& action) {
    if (Label16->Caption.Get() == kClockStartLabel || paper.Ended()) {
        action = caFree;
        return;
    }
    Application->ShowMessage(kCloseRefusedMessage);
    action = caNone;
}
