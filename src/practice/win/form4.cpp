#include "practice/win/form4.h"

#include "base/utf.h"
#include "data/read_transaction.h"
#include "data/statements.h"
#include "drill/answer_codes.h"
#include "drill/win/drill_form.h"
#include "drill/win/intensive_mark.h"
#include "ui/builders.h"
#include "ui/resource_picture.h"

namespace {

constexpr int kListWidth = 579;
constexpr int kCardTop = 44;
constexpr int kCardWidth = 577;
constexpr int kCardHeight = 490;
constexpr int kRightLeft = 585;
constexpr int kRightWidth = 225;
constexpr int kPictureHeight = 265;
constexpr int kTreeWidth = 228;
constexpr int kTreeHeight = 529;
constexpr int kHelpLineHeight = 19;

// Pictures of the image list, one per tree level.
constexpr int kWindowIcon = 0;
constexpr int kFolderIcon = 1;
constexpr int kPointerIcon = 2;

// The help lines; a continuation line (true) stands indented under its number.
struct HelpLine {
    const wchar_t* text;
    bool continuation;
};
constexpr HelpLine kHelpLines[] = {
    {L"1、答题请使用数字小键盘", false},
    {L"2、数字键4为跳到上一题", false},
    {L"3、数字键6为跳到下一题", false},
    {L"4、数字键8为关闭当前窗口", false},
    {L"5、数字键1,2,3为您要选择的答案", false},
    {L"自动跳至下一题", true},
    {L"6、数字键9跳题", false},
    {L"7、如果您选择的答案不正确软件", false},
    {L"自动给出正确答案", true},
    {L"8、显示的如1.1.1.1为您书上对应", false},
    {L"的章节及题号", true},
    {L"9、数字键0将练习中的难题加入强化", false},
    {L"练习，针对进行练习", true},
};

std::string NodeText(const TTreeNode* node) { return TrimBlanks(WideToUtf8(node->GetText())); }

TTreeNode* AddNode(TTreeView* tree, TTreeNode* parent, const std::wstring& text, int image) {
    TTreeNode* node = tree->Items->AddChild(parent, text);
    node->ImageIndex = image;
    node->SelectedIndex = image;
    return node;
}

}  // namespace

TForm4::TForm4(TComponent* owner, TADOConnection* bank, TADOConnection* aux)
    : TForm(owner),
      query1_(std::make_unique<TADOQuery>()),
      query2_(std::make_unique<TADOQuery>()),
      query3_(std::make_unique<TADOQuery>()),
      ADOQuery1(query1_.get()),
      ADOQuery2(query2_.get()),
      ADOQuery3(query3_.get()) {
    PrepareDrillForm(this, L"Form4", L"章节练习", 819, 569, poMainFormCenter);
    PrepareQuery(ADOQuery1, "ADOQuery1", bank, statements::kFirstChapter);
    PrepareQuery(ADOQuery2, "ADOQuery2", aux, statements::kBookmarks);
    ADOQuery3->Name = "ADOQuery3";
    ADOQuery3->Connection = bank;

    ComboBox1 = Place<TComboBox>(this, this, L"ComboBox1", {0, 0, kListWidth, 22});
    SetSongFont(ComboBox1, 14, clPurple, 0);
    ComboBox1->TabStop = false;
    ComboBox1->Items->Assign(std::vector<std::wstring>(kChapterListTexts.begin(), kChapterListTexts.end()));
    ComboBox1->DropDownCount = kChapterCount;
    ComboBox1->ItemIndex = 0;
    ComboBox1->OnClick = [this] { ComboBox1Click(); };
    ComboBox1->OnChange = [this] { ComboBox1Change(); };
    ComboBox1->OnCloseUp = [this] { ComboBox1CloseUp(); };

    // Laid over the list's text, so that the keypad's keys arrive in a field that shows the
    // chapter; the list's button stays free for the mouse.
    Edit1 = Place<TEdit>(this, this, L"Edit1", {3, 3, 560, 17});
    SetSongFont(Edit1, 16, clBlue);
    Edit1->BorderStyle = bsNone;
    Edit1->ReadOnly = true;
    Edit1->Text = kChapterListTexts[0];
    Edit1->OnKeyPress = [this](wchar_t& key) { Edit1KeyPress(key); };
    Edit1->OnKeyDown = [this](WORD& key, TShiftState shift) { Edit1KeyDown(key, shift); };

    Panel2 = PlacePlainPanel(this, L"Panel2", {0, kCardTop, kCardWidth, kCardHeight});
    card_ = std::make_unique<QuestionCard>(this, Panel2, ADOQuery1, CardHeading::kIdAndBookNumber, 0, 0, kCardWidth);
    Label12 = card_->Label12;
    Image5 = card_->Image5;
    Label18 = LinkLabel(this, Panel2, L"Label18", L"加入强化练习", {kCardWidth - 112, 28, 100, 16}, 14, [this] { Label18Click(); });

    DBText7 = Place<TDBText>(this, this, L"DBText7", {8, 26, 300, 16});
    DBText7->DataSource = static_cast<DataSetView*>(ADOQuery1);
    DBText7->DataField = "lei2";
    SetSongFont(DBText7, 14, clRed);
    Label19 = SongLabel(this, this, L"Label19", kChapterRanges[0], {310, 26, 150, 16}, 14, clBlue);
    Label19->Alignment = taCenter;
    Label20 = SongLabel(this, this, L"Label20", kShowTreeText, {464, 27, 114, 14}, 12, clRed, fsUnderline);
    Label20->OnDblClick = [this] { Label20DblClick(); };

    Image1 = Place<TImage>(this, this, L"Image1", {kRightLeft, 0, kRightWidth, kPictureHeight});
    Image1->Center = true;
    Panel1 = PlacePlainPanel(this, L"Panel1", {kRightLeft, kPictureHeight, kRightWidth, kTreeHeight - kPictureHeight});
    int line = 0;
    for (const HelpLine& help : kHelpLines) {
        const int left = help.continuation ? 28 : 4;
        SongLabel(this, Panel1, (L"Help" + std::to_wstring(line + 1)).c_str(), help.text,
                  {left, 6 + line * kHelpLineHeight, kRightWidth - left - 2, 14}, 12, clBlack);
        ++line;
    }

    // The tree panel covers the right column while it is shown; it is made hidden and disabled
    // (hiding a made window asks the focus and the window server again).
    Panel3 = Place<TPanel>(this, this, L"Panel3", {kRightLeft - 2, 0, kTreeWidth, kTreeHeight});
    Panel3->BevelOuter = bvNone;
    Panel3->Visible = false;
    Panel3->Enabled = false;
    TreeView1 = Place<TTreeView>(this, Panel3, L"TreeView1", {0, 0, kTreeWidth, kTreeHeight});
    SetSongFont(TreeView1, 12, clWindowText, 0);
    ImageList1 = new TImageList(this);
    ImageList1->Name = L"ImageList1";
    TreeView1->Images = ImageList1;
    TreeView1->HideSelection = false;
    TreeView1->OnChange = [this](TTreeNode* node) { TreeView1Change(node); };
    TreeView1->OnGetSelectedIndex = [this](TTreeNode* node) { TreeView1GetSelectedIndex(node); };

    DrillActions actions;
    actions.add = [this] { Label18Click(); };
    actions.jump = [this] {
        if (JumpDialog) JumpDialog->ShowFor(L"4");
    };
    actions.previous = [this] { Previous(); };
    actions.next = [this] { Next(); };
    actions.close = [this] { CloseOnce(); };
    actions.answer = [this](int code) { Answer(code); };
    actions.thirdOptionShown = [this] { return card_->ThirdOptionShown(); };
    keys_ = std::make_unique<KeypadScheme>(std::vector<DrillKey>{DrillKey::kAdd, DrillKey::kJump, DrillKey::kPrevious,
                                                                 DrillKey::kNext, DrillKey::kClose, DrillKey::kAnswer},
                                           std::move(actions), true);

    ActiveControl = Edit1;
    OnCreate = [this] { FormCreate(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
}

void TForm4::FormCreate() {
    Image1->Picture->Assign(LoadResourcePicture(L"DECO"));
    if (const Bitmap32 icons = LoadResourcePicture(L"TREEICONS"); !icons.Empty()) ImageList1->AddMasked(icons, clWhite);
    Panel3->Left = ClientWidth() - kTreeWidth;
    // Only reads follow: each file is locked once for all of them instead of once a statement.
    TReadTransaction bankReads(ADOQuery1->Connection);
    TReadTransaction auxReads(ADOQuery2->Connection);
    ADOQuery2->Open();

    BuildTree();
    Label12->Caption = L"";
    ADOQuery1->Close();
    ADOQuery1->SQL.SetText(statements::kFirstChapter);
    ADOQuery1->Open();
    tpxs();
    current_chapter = 1;
    card_->SetThirdBadgeFromKind();
}

void TForm4::BuildTree() {
    // The four chapters' rows in one statement; a row belongs to the chapter whose number
    // stands before the first point of its book number, as each chapter's own statement
    // selects it. One section for every run of equal section names, in id order.
    std::array<std::vector<std::string>, kChapterCount> sections;
    ADOQuery3->Close();
    ADOQuery3->SQL.SetText(statements::kChapterTrees);
    ADOQuery3->Open();
    const int rows = ADOQuery3->RecordCount();
    for (int i = 0; i < rows; ++i, ADOQuery3->Next()) {
        const std::string tihao = ADOQuery3->FieldByName("tihao")->AsString();
        const int n = tihao.size() > 1 && tihao[1] == '.' ? tihao[0] - '0' : 0;
        if (n < 1 || n > kChapterCount) continue;
        std::vector<std::string>& runs = sections[size_t(n - 1)];
        std::string section = TrimBlanks(ADOQuery3->FieldByName("lei2")->AsString());
        if (runs.empty() || section != runs.back()) runs.push_back(std::move(section));
    }
    ADOQuery3->Close();

    TreeView1->Items->BeginUpdate();
    TreeView1->Items->Clear();
    for (int n = 1; n <= kChapterCount; ++n) {
        TTreeNode* chapter = AddNode(TreeView1, nullptr, kChapterTitles[size_t(n - 1)], kWindowIcon);
        for (const std::string& section : sections[size_t(n - 1)]) {
            TTreeNode* node = AddNode(TreeView1, chapter, Utf8ToWide(section), kFolderIcon);
            for (const wchar_t* kind : kKindTexts) AddNode(TreeView1, node, kind, kPointerIcon);
        }
    }
    TreeView1->Items->EndUpdate();
}

// ---- the chapter list

void TForm4::ComboBox1Click() {
    const int k = ComboBox1->ItemIndex;
    if (k < 0 || k >= kChapterCount) return;
    Edit1->Text = ComboBox1->Text.Get();
    Label19->Caption = kChapterRanges[size_t(k)];
}

void TForm4::ComboBox1Change() {
    const int k = ComboBox1->ItemIndex;
    if (k < 0 || k >= kChapterCount) return;
    WriteBookmark();
    ADOQuery1->Close();
    ADOQuery1->SQL.SetText(statements::Chapter(k + 1));
    ADOQuery1->Open();
    SetRefresh();
    current_chapter = k + 1;
}

void TForm4::ComboBox1CloseUp() { Edit1->SetFocus(); }

void TForm4::WriteBookmark() {
    if (!ADOQuery2->Locate("zhangjie", std::to_string(current_chapter), loCaseInsensitive)) return;
    const std::string shown = ADOQuery1->Active() && !ADOQuery1->IsEmpty() ? ADOQuery1->FieldByName("id")->AsString() : "";
    ADOQuery2->Edit();
    try {
        ADOQuery2->FieldByName("id")->SetAsString(shown);
        ADOQuery2->Post();
    } catch (...) {
        // A refused write is not kept pending: the next locate would post it unasked.
        ADOQuery2->Cancel();
        throw;
    }
}

// ---- the tree

void TForm4::Label20DblClick() {
    const bool show = Label20->Caption.Get() == kShowTreeText;
    Panel3->Enabled = show;
    Panel3->Visible = show;
    Label20->Caption = show ? kHideTreeText : kShowTreeText;
}

std::string TForm4::NodeStatement(const TTreeNode* node) {
    switch (node->Level()) {
        case 0: return statements::TreeChapter(NodeText(node));
        case 1: return statements::TreeSection(NodeText(node->Parent()), NodeText(node));
        default:
            return statements::TreeKind(NodeText(node->Parent()->Parent()), NodeText(node->Parent()), NodeText(node));
    }
}

void TForm4::TreeView1Change(TTreeNode* node) {
    // The set and its first picture are read under one lock of the file.
    TReadTransaction reads(ADOQuery1->Connection);
    ADOQuery1->Close();
    ADOQuery1->SQL.SetText(NodeStatement(node));
    ADOQuery1->Open();
    const bool empty = ADOQuery1->IsEmpty();
    if (!empty) {
        // The chapter line names the chapter the set comes from; the bookmark stays with the
        // chapter chosen in the list.
        const std::wstring chapter = Utf8ToWide(TrimBlanks(ADOQuery1->FieldByName("lei1")->AsString()));
        for (int k = 0; k < kChapterCount; ++k) {
            if (chapter != kChapterTitles[size_t(k)]) continue;
            ComboBox1->ItemIndex = k;
            Edit1->Text = ComboBox1->Text.Get();
            break;
        }
    }
    card_->SetThirdBadgeFromKind();
    Label12->Caption = L"";
    if (empty) {
        Label19->Caption = kEmptySetRange;
    } else {
        // First id + count - 1: a set with gaps in its ids ends below its last id.
        const std::string first = TrimBlanks(ADOQuery1->FieldByName("id")->AsString());
        const int64_t last = ADOQuery1->FieldByName("id")->AsLargeInt() + ADOQuery1->RecordCount() - 1;
        Label19->Caption = L"题号" + Utf8ToWide(first) + L"-" + std::to_wstring(last);
    }
    tpxs();
}

void TForm4::TreeView1GetSelectedIndex(TTreeNode*) { Edit1->SetFocus(); }

// ---- keys

void TForm4::Edit1KeyPress(wchar_t& key) {
    if (key == L'4') Edit1->SelStart = 0;
    keys_->KeyPress(key);
}

void TForm4::Edit1KeyDown(WORD& key, TShiftState) {
    // Every key press may close anew: a close whose bookmark write failed left the window
    // open, and only the character of the same press must not try again.
    closing_ = false;
    keys_->KeyDown(key);
}

void TForm4::Label18Click() { AddToIntensive(ADOQuery1); }

void TForm4::CardRefresh() {
    card_->ShowCard();
    Label12->Caption = L"";
}

void TForm4::SetRefresh() {
    tpxs();
    card_->SetThirdBadgeFromKind();
    Label12->Caption = L"";
}

void TForm4::Previous() {
    ADOQuery1->Prior();
    CardRefresh();
}

void TForm4::Next() {
    ADOQuery1->Next();
    CardRefresh();
}

void TForm4::Answer(int code) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    const std::string daan = ADOQuery1->FieldByName("daan")->AsString();
    if (JudgeAnswer(code, daan) == 1) {
        Next();
        return;
    }
    if (const auto text = CorrectAnswerText(daan)) Label12->Caption = *text;
}

void TForm4::JumpTo(int n) {
    ADOQuery1->Locate("id", n);
    CardRefresh();
}

// ---- closing

void TForm4::CloseOnce() {
    // The main keyboard's 8 closes through the key-down and again through its character.
    if (!closing_) Close();
}

void TForm4::FormClose(TCloseAction& action) {
    closing_ = true;
    WriteBookmark();
    action = caFree;
}
