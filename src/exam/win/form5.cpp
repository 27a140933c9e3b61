#include "exam/win/form5.h"

#include "data/statements.h"
#include "data/read_transaction.h"
#include "drill/answer_codes.h"
#include "drill/win/drill_form.h"
#include "ui/application.h"
#include "ui/builders.h"
#include "ui/resource_picture.h"

namespace {

constexpr int kCardWidth = 527;
constexpr int kRightLeft = 533;
constexpr int kRightWidth = 221;

}  // namespace

TForm5::TForm5(TComponent* owner, TADOConnection* bank)
    : TForm(owner), query_(std::make_unique<TADOQuery>()), ADOQuery1(query_.get()) {
    PrepareDrillForm(this, L"Form5", L"模拟考试", 769, 568);
    BorderIcons = biSystemMenu | biMaximize;
    PrepareQuery(ADOQuery1, "ADOQuery1", bank, statements::kAllQuestions);

    card_ = std::make_unique<QuestionCard>(this, this, ADOQuery1, CardHeading::kPaperPosition, 0, 0, kCardWidth);
    Label14 = card_->Label14;
    Label12 = card_->Label12;
    Label12->Width = 120;
    Label21 = card_->Label21;
    Image5 = card_->Image5;
    const ClockLabels clockLabels = PlaceClockLabels(this);
    Label17 = clockLabels.Label17;
    Label16 = clockLabels.Label16;
    Label20 = SongLabel(this, this, L"Label20", L"", {8, 4, 300, 16}, 14, clRed);

    Image1 = Place<TImage>(this, this, L"Image1", {kRightLeft, 0, kRightWidth, 225});
    Image1->Center = true;
    Panel1 = PlacePlainPanel(this, L"Panel1", {kRightLeft, 225, kRightWidth, 306});
    sheet_ = std::make_unique<AnswerSheet>(
        this, Panel1,
        std::initializer_list<const wchar_t*>{L"1、答题请使用数字小键盘", L"2、数字键4为跳到上一题", L"3、数字键6为跳到下一题",
                                              L"4、数字键8为关闭当前窗口", L"5、数字键1,2,3为您要选择的答案",
                                              L"6、数字键5未答题", L"7、数字键*或+为交卷", L"8、数字键9跳题"});

    Timer1 = MakeClockTimer(this, [this] { Timer1Timer(); });

    DrillActions actions;
    actions.handIn = [this] {
        if (!paper.Ended()) HandIn();
    };
    actions.previous = [this] { Previous(); };
    actions.next = [this] { Next(); };
    actions.close = [this] { Close(); };
    actions.answer = [this](int code) {
        if (!paper.Ended()) Answer(code);
    };
    actions.thirdOptionShown = [this] { return card_->ThirdOptionShown(); };
    actions.firstUnanswered = [this] {
        if (!paper.Ended()) FirstUnanswered();
    };
    actions.jump = [this] {
        if (JumpDialog) JumpDialog->ShowFor(L"5");
    };
    keys_ = std::make_unique<KeypadScheme>(std::vector<DrillKey>{DrillKey::kHandIn, DrillKey::kJump, DrillKey::kPrevious,
                                                                 DrillKey::kNext, DrillKey::kClose, DrillKey::kAnswer,
                                                                 DrillKey::kFirstUnanswered},
                                           std::move(actions));

    OnCreate = [this] { FormCreate(); };
    OnKeyPress = [this](wchar_t& key) { FormKeyPress(key); };
    OnKeyDown = [this](WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
}

void TForm5::FormCreate() {
    Image1->Picture->Assign(LoadResourcePicture(L"DECO"));
    // Only reads follow: the file is locked once for all of them instead of once a statement.
    TReadTransaction reads(ADOQuery1->Connection);
    ADOQuery1->Open();
    Label20->Caption = L"";
    Label21->Caption = L"";
    question_count = ADOQuery1->RecordCount();
    draw_ = std::make_unique<PaperDraw>(question_count);
    clock.Restart();
    Label12->Caption = L"";
    Label14->Caption = L"1";
    paper.ResetAnswers();
    for (int n = 1; n <= kPaperSize; ++n) paper.paper_ids[size_t(n)] = get_rand_index(n);
    ADOQuery1->Locate("id", paper.paper_ids[1]);
    card_->ShowCard();
}

int TForm5::get_rand_index(int n) {
    return draw_->Draw(std::span<const int>(paper.paper_ids.data() + 1, size_t(n - 1)));
}

void TForm5::GoToPosition(int position) {
    paper.current_index = position;
    Label14->Caption = std::to_wstring(position);
    ADOQuery1->Locate("id", paper.paper_ids[size_t(position)]);
    card_->ShowCard();
    const int given = paper.given_answers[size_t(position)];
    Label12->Caption = given ? GivenAnswerText(given) : std::wstring();
    if (paper.Ended()) {
        if (const auto text = CorrectAnswerText(ADOQuery1->FieldByName("daan")->AsString())) Label21->Caption = *text;
    }
}

void TForm5::JumpTo(int n) {
    if (n > 0 && n < kPaperSize + 1) GoToPosition(n);
}

void TForm5::FormKeyDown(WORD& key, TShiftState) {
    // Any key-down but Num Lock starts the clock, before the key's own handling.
    if (!paper.Ended() && Label16->Caption.Get() == kClockStartLabel && key != kVkNumLock) Timer1->Enabled = true;
    keys_->KeyDown(key);
}

void TForm5::FormKeyPress(wchar_t& key) { keys_->KeyPress(key); }

void TForm5::Previous() {
    if (paper.current_index > 1) GoToPosition(paper.current_index - 1);
}

void TForm5::Next() {
    if (paper.current_index < kPaperSize) GoToPosition(paper.current_index + 1);
}

void TForm5::Answer(int code) {
    const int p = paper.current_index;
    if (p == kPaperSize) Application->ShowMessage(kLastQuestionMessage);
    paper.RecordAnswer(p, code, ADOQuery1->FieldByName("daan")->AsString());
    sheet_->Colour(p, clRed);
    if (p < kPaperSize) {
        // The card stays on the question; the learner moves on with "6".
        card_->ShowCard();
        Label12->Caption = GivenAnswerText(code);
    }
}

void TForm5::FirstUnanswered() {
    const int p = paper.FirstUnanswered();
    if (p == 0) return;
    Label12->Caption = L"";
    Label21->Caption = L"";
    GoToPosition(p);
}

void TForm5::MarkEndOfPaper() {
    for (int p : paper.PositionsNotRight()) sheet_->Colour(p, clBlue);
}

void TForm5::ShowScoreIn(TLabel* label) { label->Caption = kScorePrefix + std::to_wstring(paper.Score()); }

void TForm5::HandIn() {
    if (Application->MessageBox(kHandInQuestion, kPromptCaption, MB_YESNO) != IDYES) return;
    Timer1->Enabled = false;
    paper.handed_in = "t";
    MarkEndOfPaper();
    ShowScoreIn(Label20);
}

void TForm5::Timer1Timer() {
    if (!clock.Tick()) {
        paper.handed_in = "t";
        MarkEndOfPaper();
        ShowScoreIn(Label12);
        Timer1->Enabled = false;
        Label16->Caption = L"0:00";
        return;
    }
    Label16->Caption = clock.Label();
}

void TForm5::FormClose(TCloseAction& action) {
    if (Label16->Caption.Get() == kClockStartLabel || paper.Ended()) {
        action = caFree;
        return;
    }
    Application->ShowMessage(kCloseRefusedMessage);
    action = caNone;
}
