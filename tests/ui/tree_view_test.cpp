// The tree view: its nodes as a model (order, levels, indices, deletion), the learner's
// mouse and keys on the system control, the pictures it asks for, a re-created window, and
// the image list it draws from.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/utf.h"
#include "ui/edit.h"
#include "ui/gdi.h"
#include "ui/image_list.h"
#include "ui/panel.h"
#include "ui/tree_view.h"
#include "ui_test_support.h"

namespace {

constexpr uint32_t kRed = Rgb(200, 30, 30);
constexpr uint32_t kGreen = Rgb(30, 160, 60);
constexpr uint32_t kBlue = Rgb(30, 60, 200);

// Three 16 x 16 pictures side by side: a square of one colour on a white ground, which the
// list makes transparent.
Bitmap32 Strip() {
    Bitmap32 strip(48, 16, 0xFFFFFF);
    const uint32_t colours[] = {kRed, kGreen, kBlue};
    for (int i = 0; i < 3; ++i)
        for (int y = 3; y < 13; ++y)
            for (int x = 3; x < 13; ++x) strip.At(16 * i + x, y) = colours[i];
    return strip;
}

bool HasRow(const TTreeNode* node) {
    const RECT r = node->DisplayRect();
    return !IsRectEmpty(&r);
}

// The window's count of children as its button shows it (0: no button).
int ButtonOf(const TTreeNode* node) {
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node->ItemId();
    SendMessageW(node->TreeView()->WindowHandle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.cChildren;
}

int WindowCount(const TTreeView* tree) { return int(SendMessageW(tree->WindowHandle(), TVM_GETCOUNT, 0, 0)); }

// The client area as a window procedure draws it for WM_PRINTCLIENT.
Bitmap32 Printed(HWND hwnd, WNDPROC proc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    BITMAPINFO bi = TopDown32(client.right, client.bottom);
    void* bits = nullptr;
    Gdi<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemDC mem(nullptr);
    {
        SelectGuard select(mem.Get(), dib.Get());
        CallWindowProcW(proc, hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.Get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    Bitmap32 image(client.right, client.bottom);
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = p[i] & 0xFFFFFF;
    return image;
}

// Empty when both pictures are the same, else how many pixels differ and where the first is.
std::string Difference(const Bitmap32& ours, const Bitmap32& system) {
    if (ours.width != system.width || ours.height != system.height) return "sizes differ";
    int count = 0;
    std::string first;
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x) {
            if (ours.At(x, y) == system.At(x, y)) continue;
            if (count++ == 0) {
                char text[96];
                snprintf(text, sizeof text, " (first at %d,%d: ours %06x, the system's %06x)", x, y,
                         unsigned(ours.At(x, y)), unsigned(system.At(x, y)));
                first = text;
            }
        }
    return count ? std::to_string(count) + " pixels differ" + first : std::string();
}

std::vector<std::wstring> Texts(const std::vector<TTreeNode*>& nodes) {
    std::vector<std::wstring> texts;
    for (TTreeNode* n : nodes) texts.push_back(n->Text);
    return texts;
}

class TreeViewTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(new TForm(nullptr));
        form->SetBounds(0, 0, 400, 400);
        form->Color = clWhite;
        tree = new TTreeView(form.get());
        tree->Name = L"TreeView1";
        tree->Parent = form.get();
        tree->SetBounds(10, 10, 228, 300);
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    // Two chapters: 甲 with sections 甲一 (kinds 单, 判) and 甲二, 乙 with 乙一.
    void Build() {
        a = tree->Items->AddChild(nullptr, L"甲");
        a1 = tree->Items->AddChild(a, L"甲一");
        a1x = tree->Items->AddChild(a1, L"单");
        a1y = tree->Items->AddChild(a1, L"判");
        a2 = tree->Items->AddChild(a, L"甲二");
        b = tree->Items->Add(a, L"乙");
        b1 = tree->Items->AddChild(b, L"乙一");
    }
    POINT CentreOf(TTreeNode* node) {
        const RECT r = node->DisplayRect();
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(TTreeNode* node) {
        const POINT p = CentreOf(node);
        ClickAt(tree->WindowHandle(), p.x, p.y);
        PumpFor(50);
    }

    Owned<TForm> form;
    TTreeView* tree = nullptr;
    TTreeNode *a = nullptr, *a1 = nullptr, *a1x = nullptr, *a1y = nullptr, *a2 = nullptr, *b = nullptr, *b1 = nullptr;
};

TEST_F(TreeViewTest, NodesKeepTheirOrderLevelsAndIndicesThroughAddingAndDeleting) {
    Build();
    ASSERT_EQ(tree->Items->Count(), 7);
    std::vector<std::wstring> order;
    for (int i = 0; i < tree->Items->Count(); ++i) order.push_back(tree->Items->Item(i)->Text);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"甲", L"甲一", L"单", L"判", L"甲二", L"乙", L"乙一"}));
    EXPECT_EQ(a1y->Level(), 2);
    EXPECT_EQ(a1y->Parent(), a1);
    EXPECT_EQ(a1y->Parent()->Parent(), a);
    EXPECT_EQ(b->Level(), 0);
    EXPECT_EQ(b->Parent(), nullptr);
    EXPECT_EQ(a2->AbsoluteIndex(), 4);
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_EQ(a->GetNextSibling(), b);
    EXPECT_EQ(b->GetNextSibling(), nullptr);
    EXPECT_EQ(a1->GetFirstChild(), a1x);

    // A node added later under an early parent moves everything after it along.
    TTreeNode* a1z = tree->Items->AddChild(a1, L"多");
    EXPECT_EQ(a1z->AbsoluteIndex(), 4);
    EXPECT_EQ(a2->AbsoluteIndex(), 5);
    EXPECT_EQ(b1->AbsoluteIndex(), 7);

    // The window holds the top level and the children of the nodes opened so far; a node
    // whose children are still to come has its button all the same.
    form->Show();
    EXPECT_EQ(WindowCount(tree), 2);
    EXPECT_EQ(ButtonOf(a), 1);
    a->Expand(false);
    a1->Expand(false);
    EXPECT_EQ(WindowCount(tree), 7);
    EXPECT_EQ(ButtonOf(a2), 0);
    EXPECT_NE(a1z->ItemId(), nullptr);
    EXPECT_EQ(b1->ItemId(), nullptr) << "乙一 waits for 乙 to open";

    // Deleting a section takes its kinds with it, in the model and in the window.
    tree->Items->Delete(a1);
    EXPECT_EQ(tree->Items->Count(), 4);
    EXPECT_EQ(WindowCount(tree), 3);
    EXPECT_EQ(a2->AbsoluteIndex(), 1);
    EXPECT_EQ(a2->Index(), 0);
    EXPECT_EQ(tree->Items->Item(3)->GetText(), L"乙一");
    EXPECT_THROW(tree->Items->Item(4), Exception);
    tree->Items->Delete(a2);
    EXPECT_FALSE(a->HasChildren());
    EXPECT_FALSE(a->GetExpanded());
    EXPECT_EQ(ButtonOf(a), 0) << "the last child takes the button with it";
    // A first child gives the button back, and goes straight in under an opened parent.
    TTreeNode* a3 = tree->Items->AddChild(a, L"甲三");
    EXPECT_EQ(ButtonOf(a), 1);
    EXPECT_NE(a3->ItemId(), nullptr);
    a->Expand(false);
    EXPECT_TRUE(HasRow(a3));

    // Selecting from code a node whose parent never opened puts it in, and the window opens
    // the parent to show it, as it does for any selected node.
    int changes = 0;
    tree->OnChange = [&](TTreeNode* n) { changes += n == b1 ? 1 : 100; };
    b1->Selected = true;
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(tree->WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)), b1->ItemId());
    EXPECT_NE(b1->ItemId(), nullptr);
    EXPECT_TRUE(HasRow(b1));
}

TEST_F(TreeViewTest, TheLearnerChoosesWithTheMouseAndTheArrowKeys) {
    std::vector<std::wstring> changes;
    std::vector<std::wstring> expanded;
    tree->OnChange = [&](TTreeNode* n) { changes.push_back(n->Text); };
    tree->OnExpanded = [&](TTreeNode* n) { expanded.push_back(n->Text); };
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->SetBounds(250, 10, 100, 21);
    form->Show();
    Build();  // into the live window
    EXPECT_TRUE(changes.empty()) << "building selects nothing";
    EXPECT_EQ(tree->Selected.Get(), nullptr);
    EXPECT_EQ(Texts(tree->VisibleNodes()), (std::vector<std::wstring>{L"甲", L"乙"}));
    EXPECT_FALSE(HasRow(a1)) << "a collapsed section has no row";
    // Tab passes the tree by.
    EXPECT_EQ(form->FocusOrder(), (std::vector<TWinControl*>{edit}));

    Click(b);
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"乙"}));
    EXPECT_EQ(tree->Selected.Get(), b);
    EXPECT_TRUE(b->GetSelected());
    EXPECT_TRUE(tree->Focused()) << "a click focuses the tree";

    // A double click on a chapter opens it (and selects it first).
    const POINT p = CentreOf(a);
    DoubleClickAt(tree->WindowHandle(), p.x, p.y);
    PumpFor(50);
    EXPECT_EQ(expanded, (std::vector<std::wstring>{L"甲"}));
    EXPECT_TRUE(a->GetExpanded());
    EXPECT_EQ(Texts(tree->VisibleNodes()), (std::vector<std::wstring>{L"甲", L"甲一", L"甲二", L"乙"}));
    EXPECT_EQ(tree->Selected.Get(), a);

    // Down walks the rows; Right opens a section; Down enters it.
    changes.clear();
    PressKey(VK_DOWN);
    EXPECT_EQ(tree->Selected.Get(), a1);
    PressKey(VK_RIGHT);
    EXPECT_TRUE(a1->GetExpanded());
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(tree->Selected.Get(), a1y);
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"甲一", L"单", L"判"}));
    EXPECT_EQ(tree->GetNodeAt(CentreOf(a2).x, CentreOf(a2).y), a2);

    // Left on a chapter closes it; what was inside has no row any more.
    a->Selected = true;
    PressKey(VK_LEFT);
    EXPECT_FALSE(a->GetExpanded());
    EXPECT_EQ(Texts(tree->VisibleNodes()), (std::vector<std::wstring>{L"甲", L"乙"}));
}

TEST_F(TreeViewTest, EachRowDrawsThePictureItsNodeNamesAndTheSelectedOneWhileSelected) {
    auto* images = new TImageList(form.get());
    EXPECT_EQ(images->AddMasked(Strip(), clWhite), 0);
    EXPECT_EQ(images->Count(), 3);
    EXPECT_THROW(images->AddMasked(Bitmap32(20, 16, 0), clWhite), Exception);
    tree->Images = images;
    tree->HideSelection = false;
    form->Show();
    Build();
    a->ImageIndex = 0;  // red
    a->SelectedIndex = 0;
    b->ImageIndex = 0;
    b->SelectedIndex = 2;  // blue while selected
    std::vector<std::wstring> asked;
    tree->OnGetSelectedIndex = [&](TTreeNode* n) { asked.push_back(n->Text); };

    // The picture lies left of the text, on the row.
    auto pictureArea = [&](TTreeNode* node) {
        const RECT text = node->DisplayRect();
        return RECT{std::max(0L, text.left - 22), text.top, text.left, text.bottom};
    };
    Bitmap32 shot = ScreenClient(tree->WindowHandle());
    EXPECT_GT(CountColour(shot, pictureArea(a), kRed), 60);
    EXPECT_GT(CountColour(shot, pictureArea(b), kRed), 60);
    // The white ground of a picture is transparent: the tree's own background shows.
    EXPECT_EQ(CountColour(shot, pictureArea(b), 0x000000), 0);

    b->Selected = true;
    shot = ScreenClient(tree->WindowHandle());
    EXPECT_GT(CountColour(shot, pictureArea(b), kBlue), 60);
    EXPECT_EQ(CountColour(shot, pictureArea(b), kRed), 0);
    EXPECT_NE(std::find(asked.begin(), asked.end(), L"乙"), asked.end()) << "the tree asks for the selected picture";

    // The handler may pick the picture as the tree asks.
    tree->OnGetSelectedIndex = [](TTreeNode* n) { n->SelectedIndex = 1; };
    shot = ScreenClient(tree->WindowHandle());
    EXPECT_GT(CountColour(shot, pictureArea(b), kGreen), 60);

    // When the list goes first, the tree draws no pictures and keeps going.
    FreeComponent(images);
    EXPECT_EQ(tree->Images.Get(), nullptr);
    EXPECT_EQ(SendMessageW(tree->WindowHandle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
    shot = ScreenClient(tree->WindowHandle());
    EXPECT_EQ(CountColour(shot, pictureArea(a), kRed), 0);
}

TEST_F(TreeViewTest, ANewWindowShowsTheSameNodesAndCodeChangesBehaveAsTheLearnersDo) {
    int changes = 0;
    tree->OnChange = [&](TTreeNode*) { ++changes; };
    Build();  // before the window exists
    a1->Expanded = true;  // a section of a collapsed chapter may stay open inside it
    a1x->Expanded = true;  // a node without children does not open
    EXPECT_FALSE(a1x->GetExpanded());
    form->Show();
    EXPECT_EQ(WindowCount(tree), 2) << "only the top level until a chapter opens";
    EXPECT_EQ(Texts(tree->VisibleNodes()), (std::vector<std::wstring>{L"甲", L"乙"}));
    a->Expand(false);
    EXPECT_EQ(Texts(tree->VisibleNodes()), (std::vector<std::wstring>{L"甲", L"甲一", L"单", L"判", L"甲二", L"乙"}));
    EXPECT_TRUE(HasRow(a1y));

    a1y->Selected = true;
    EXPECT_EQ(changes, 1);
    a1y->Text = L"判断题";
    tree->ShowLines = false;  // the style is taken at creation: a new window
    EXPECT_EQ(WindowCount(tree), 6) << "乙 is still closed";
    EXPECT_EQ(tree->Selected.Get(), a1y);
    EXPECT_EQ(changes, 1) << "re-creating the window is no choice of the learner's";
    const auto caret = reinterpret_cast<HTREEITEM>(SendMessageW(tree->WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    EXPECT_EQ(caret, a1y->ItemId());
    wchar_t text[32] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = caret;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(tree->WindowHandle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"判断题");
    EXPECT_TRUE(a->GetExpanded());
    EXPECT_TRUE(a1->GetExpanded());

    tree->FullExpand();
    EXPECT_EQ(tree->VisibleNodes().size(), 7u);
    tree->FullCollapse();
    EXPECT_EQ(tree->VisibleNodes().size(), 2u);

    // Clearing runs no events and empties the window.
    tree->Items->Clear();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(tree->Items->Count(), 0);
    EXPECT_EQ(tree->Selected.Get(), nullptr);
    EXPECT_EQ(SendMessageW(tree->WindowHandle(), TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(tree->DisplayText(), L"");
}

TEST_F(TreeViewTest, ItsOwnPaintLooksAsTheSystemsTreeDrawsTheSameStates) {
    // The toolkit paints the rows itself; the system's tree, asked to draw the same window,
    // must give the same pixels in every state the windows use.
    auto* images = new TImageList(form.get());
    images->AddMasked(Strip(), clWhite);
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->SetBounds(250, 10, 100, 24);
    tree->Images = images;
    tree->HideSelection = false;
    form->Show();
    Build();
    a->ImageIndex = 0;
    b->ImageIndex = 1;
    b->SelectedIndex = 2;
    a1->ImageIndex = 2;
    a1->SelectedIndex = -1;  // selected, it falls back to its picture
    int asked = 0;
    tree->OnGetImageIndex = [&](TTreeNode*) { ++asked; };
    HWND hwnd = tree->WindowHandle();
    auto classProc = [&] { return reinterpret_cast<WNDPROC>(GetClassLongPtrW(tree->WindowHandle(), GCLP_WNDPROC)); };
    auto toolkit = [&] { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tree->WindowHandle(), GWLP_WNDPROC)); };
    const std::vector<std::pair<const char*, std::function<void()>>> states = {
        {"collapsed, nothing chosen", [] {}},
        {"opened by the learner's key, chosen without the focus",
         [&] {
             tree->Selected = a;
             SendMessageW(hwnd, WM_KEYDOWN, VK_RIGHT, 0);
             a1->Expand(false);
             b->Selected = true;
         }},
        {"chosen with the focus", [&] {
             tree->SetFocus();
             a1->Selected = true;
         }},
        {"the focus gone elsewhere, the selection hidden then", [&] {
             tree->HideSelection = true;
             edit->SetFocus();
             a1y->Selected = true;
         }},
        {"colours of its own", [&] {
             tree->Color = TColor(RGB(255, 250, 200));
             tree->Font->Color = TColor(RGB(0, 0, 160));
         }},
        {"a large font (the buttons' larger sign)", [&] { tree->Font->Height = -24; }},
        {"scrolled down and right", [&] {
             tree->Font->Height = -12;
             for (int i = 0; i < 40; ++i) tree->Items->AddChild(b1, L"乙一的第" + std::to_wstring(i) + L"个很长很长很长很长很长的条目");
             b->Expand(true);
             SendMessageW(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
             SendMessageW(hwnd, WM_HSCROLL, SB_LINERIGHT, 0);
             SendMessageW(hwnd, WM_HSCROLL, SB_LINERIGHT, 0);
         }},
        {"no pictures", [&] { tree->Images = nullptr; }},
        {"no lines", [&] { tree->ShowLines = false; }},
        {"no lines at the top level", [&] {
             tree->ShowLines = true;
             tree->ShowRoot = false;
         }},
        {"no buttons", [&] { tree->ShowButtons = false; }},
    };
    for (const auto& [name, change] : states) {
        change();
        PumpFor(20);
        hwnd = tree->WindowHandle();
        ASSERT_NE(toolkit(), classProc()) << "the toolkit's procedure is in front of the class's";
        asked = 0;
        const Bitmap32 ours = Printed(hwnd, toolkit());
        EXPECT_GT(asked, 0) << name << ": the pictures are asked for as rows are drawn";
        EXPECT_EQ(Difference(ours, Printed(hwnd, classProc())), "") << name;
        EXPECT_EQ(Difference(ScreenClient(hwnd), ours), "") << name << ": on the screen as printed";
    }
}

TEST_F(TreeViewTest, ATreeBuiltOffTheScreenShowsWhatWasDoneWhenItComesOn) {
    // As chapter practice builds its tree: on a hidden panel of a form that is made and not
    // yet shown, in one update, with pictures, and changed afterwards while still hidden.
    auto* panel = new TPanel(form.get());
    panel->Parent = form.get();
    panel->SetBounds(0, 0, 300, 380);
    tree->Parent = panel;
    auto* images = new TImageList(form.get());
    images->AddMasked(Strip(), clWhite);
    tree->Images = images;
    tree->HideSelection = false;
    // Nodes going into the window, as a skin's hook in front of the tree would see them.
    int hookedInserts = 0;
    tree->HookWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == TVM_INSERTITEMW) ++hookedInserts;
        next(m);
    });
    std::vector<std::wstring> changes;
    tree->OnChange = [&](TTreeNode* n) { changes.push_back(n->Text); };
    form->Create();
    panel->Visible = false;
    tree->Items->BeginUpdate();
    Build();
    for (TTreeNode* node : {a, b}) node->ImageIndex = 0;  // red
    b->SelectedIndex = 2;
    tree->Items->EndUpdate();
    a->Expand(false);
    a1y->Selected = true;  // a choice from code is told as a click's is
    tree->Items->Delete(a2);
    b->Text = L"乙章";
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"判"}));
    EXPECT_EQ(hookedInserts, 0) << "nothing on the screen: the nodes went straight to the window's class";

    form->Show();
    panel->Visible = true;
    PumpFor(50);
    EXPECT_EQ(Texts(tree->VisibleNodes()), (std::vector<std::wstring>{L"甲", L"甲一", L"单", L"判", L"乙章"}));
    for (TTreeNode* node : tree->VisibleNodes()) EXPECT_TRUE(HasRow(node)) << WideToUtf8(node->GetText());
    EXPECT_EQ(ButtonOf(b), 1) << "乙章 still shows that it has a section";
    EXPECT_EQ(ButtonOf(a1x), 0);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(tree->WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)),
              a1y->ItemId());
    const Bitmap32 shot = ScreenAsItIs(tree->WindowHandle());
    const RECT chapterRow = a->DisplayRect();
    EXPECT_GT(CountColour(shot, RECT{std::max(0L, chapterRow.left - 22), chapterRow.top, chapterRow.left, chapterRow.bottom},
                          kRed), 60);
    EXPECT_GT(CountColour(shot, a1y->DisplayRect(), Rgb32(GetSysColor(COLOR_HIGHLIGHT))), 20) << "the chosen row";
    EXPECT_GT(CountOther(shot, b->DisplayRect(), Rgb32(GetSysColor(COLOR_WINDOW))), 10) << "乙章's text";

    // On the screen, the learner's click chooses, and a new node passes the hooks.
    Click(b);
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"判", L"乙章"}));
    b->Expand(false);
    tree->Items->AddChild(b, L"乙二");
    EXPECT_GT(hookedInserts, 0);
    EXPECT_EQ(Texts(tree->VisibleNodes()), (std::vector<std::wstring>{L"甲", L"甲一", L"单", L"判", L"乙章", L"乙一", L"乙二"}));
}

}  // namespace
