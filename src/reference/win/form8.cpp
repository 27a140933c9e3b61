#include "reference/win/form8.h"

#include "base/utf.h"
#include "data/statements.h"
#include "ui/builders.h"
#include "ui/resource_picture.h"

namespace {

// The pictures of the tree's image list, in the order of the strip.
constexpr int kWindowIcon = 0;   // W: a small window with a blue arrow
constexpr int kFolderIcon = 1;   // F: a yellow folder
constexpr int kPointerIcon = 2;  // P: a blue pointer

constexpr const wchar_t* kLawsRoot = L"交通法规";
constexpr const wchar_t* kSignsRoot = L"交通标志";
constexpr const wchar_t* kMarkings = L"道路交通标线";

struct TreeEntry {
    int level;
    const wchar_t* text;
    int image;
    int selectedImage;
};

// The tree as the window defines it; the database plays no part in it.
constexpr TreeEntry kTree[] = {
    {0, L"交通法规", kWindowIcon, kWindowIcon},
    {1, L"道路交通安全法", kFolderIcon, kFolderIcon},
    {1, L"道路交通安全法实施条例", kFolderIcon, kFolderIcon},
    {1, L"高速公路交通管理办法", kFolderIcon, kFolderIcon},
    {1, L"收费公路管理条例", kFolderIcon, kFolderIcon},
    {1, L"道路交通安全违法行为处理程序规定", kFolderIcon, kFolderIcon},
    {1, L"交通事故处理程序规定", kFolderIcon, kFolderIcon},
    {1, L"机动车驾驶员培训管理规定", kFolderIcon, kFolderIcon},
    {1, L"机动车登记规定", kFolderIcon, kFolderIcon},
    {1, L"机动车驾驶证申请和使用规定", kFolderIcon, kFolderIcon},
    {1, L"公安部三十条便民利民措施", kFolderIcon, kFolderIcon},
    {0, L"交通标志", kWindowIcon, kFolderIcon},
    {1, L"警告标志", kFolderIcon, kFolderIcon},
    {1, L"禁令标志", kFolderIcon, kFolderIcon},
    {1, L"指示标志", kFolderIcon, kFolderIcon},
    {1, L"指路标志", kFolderIcon, kFolderIcon},
    {1, L"旅游区标志", kFolderIcon, kFolderIcon},
    {1, L"道路施工安全标志", kFolderIcon, kFolderIcon},
    {1, L"辅助标志", kFolderIcon, kFolderIcon},
    {1, L"道路交通标线", kFolderIcon, kFolderIcon},
    {2, L"禁止标线", kPointerIcon, kPointerIcon},
    {2, L"警告标线", kPointerIcon, kPointerIcon},
    {2, L"指示标线", kPointerIcon, kPointerIcon},
    {0, L"汽车徽标", kWindowIcon, kWindowIcon},
};

// Names whose node shows the page of that name wherever the node stands.
bool HasOwnPage(const std::wstring& text) {
    return text == L"禁止标线" || text == L"警告标线" || text == L"指示标线" || text == L"汽车徽标";
}

std::wstring TrimBlanksWide(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

}  // namespace

TForm8::TForm8(TComponent* owner, TADOConnection* texts)
    : TForm(owner), table_(std::make_unique<TADOTable>()), ADOTable1(table_.get()) {
    Name = L"Form8";
    Caption = L"法规法则";
    SetBounds(0, 0, 810, 555);
    Color = clBtnFace;
    Position = poDesktopCenter;
    Font->Name = L"宋体";
    Font->Height = 12;
    Font->Charset = GB2312_CHARSET;

    ADOTable1->Name = "ADOTable1";
    ADOTable1->Connection = texts;
    ADOTable1->TableName = statements::kRegulationTable;

    Panel1 = Place<TPanel>(this, this, L"Panel1", {0, 0, 793, 521});
    Panel1->Color = clHighlight;
    Panel1->BevelOuter = bvNone;
    Label1 = SongLabel(this, Panel1, L"Label1", L"道路交通安全法", {8, 5, 500, 16}, 14, clRed, fsBold);

    ImageList1 = new TImageList(this, 16, 16);
    ImageList1->Name = L"ImageList1";
    ImageList1->AddMasked(LoadResourcePicture(L"TREEICONS"), clWhite);
    TreeView1 = Place<TTreeView>(this, Panel1, L"TreeView1", {4, 24, 218, 497});
    TreeView1->Images = ImageList1;
    TreeView1->TabStop = true;
    BuildTree();
    TreeView1->OnChange = [this](TTreeNode* node) { TreeView1Change(node); };

    DBRichEdit1 = Place<TDBRichEdit>(this, Panel1, L"DBRichEdit1", {228, 24, 561, 497});
    SetSongFont(DBRichEdit1, 14, clBlack, fsBold);
    DBRichEdit1->OnChange = [this] { DBRichEdit1Change(); };

    Panel2 = Place<TPanel>(this, Panel1, L"Panel2", {228, 24, 561, 495});
    Panel2->BevelOuter = bvLowered;
    Panel2->Visible = false;
    WebBrowser1 = Place<TWebBrowser>(this, Panel2, L"WebBrowser1", {1, 1, 559, 492});

    // The table opens with the window; a missing table fails the opening.
    ADOTable1->Open();
    DBRichEdit1->DataField = "nr";
    DBRichEdit1->DataSource = ADOTable1;

    ActiveControl = DBRichEdit1;
    OnCreate = [this] { FormCreate(); };
}

void TForm8::BuildTree() {
    TTreeNode* parents[3] = {nullptr, nullptr, nullptr};
    for (const TreeEntry& entry : kTree) {
        TTreeNode* node = TreeView1->Items->AddChild(entry.level == 0 ? nullptr : parents[entry.level - 1], entry.text);
        node->ImageIndex = entry.image;
        node->SelectedIndex = entry.selectedImage;
        parents[entry.level] = node;
    }
}

void TForm8::FormCreate() {
    TreeView1->FullExpand();
    Label1->Caption = L"道路交通安全法";
}

void TForm8::ShowPage(const std::wstring& name) {
    Panel2->Visible = true;
    WebBrowser1->Navigate(std::wstring(kPageFolder) + name + L".htm");
}

void TForm8::TreeView1Change(TTreeNode* node) {
    if (!node) return;
    const std::wstring text = node->Text;
    Label1->Caption = text;
    if (HasOwnPage(text)) ShowPage(text);
    if (node->Level() == 1) {
        const std::wstring parent = node->Parent()->Text;
        if (parent == kLawsRoot) {
            // No matching row: the current row, and the text on show, stay.
            ADOTable1->Locate("bt", WideToUtf8(text), loCaseInsensitive);
            Panel2->Visible = false;
        } else if (parent == kSignsRoot) {
            ShowPage(text == kMarkings ? std::wstring(L"禁止标线") : text);
        }
    }
    // The roots change only the title line.
}

void TForm8::DBRichEdit1Change() {
    if (!ADOTable1->Active() || ADOTable1->IsEmpty()) return;
    if (TrimBlanksWide(Utf8ToWide(ADOTable1->FieldByName("bt")->AsString())) == L"禁令标志") ShowPage(L"禁令标志");
}
