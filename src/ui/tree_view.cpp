#include "ui/tree_view.h"

#include <algorithm>

#include "base/errors.h"
#include "base/utf.h"
#include "ui/image_list.h"

namespace {

// Runs the tree's own changes to its window without events.
class Quiet {
public:
    explicit Quiet(int& counter) : counter_(counter) { ++counter_; }
    ~Quiet() { --counter_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    int& counter_;
};

bool Contains(const TTreeNode* ancestor, const TTreeNode* node) {
    for (; node; node = node->Parent()) {
        if (node == ancestor) return true;
    }
    return false;
}

int CountNodes(const TTreeNode& node) {
    int n = 1;
    for (int i = 0; i < node.Count(); ++i) n += CountNodes(*node.Item(i));
    return n;
}

}  // namespace

// ---- TTreeNode

TTreeNode::TTreeNode(TTreeView* tree, TTreeNode* parent, const std::wstring& text)
    : tree_(tree), parent_(parent), text_(text) {}

void TTreeNode::SetText(const std::wstring& text) {
    text_ = text;
    if (!item_) return;
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = item_;
    item.pszText = const_cast<wchar_t*>(text_.c_str());
    tree_->Feed(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    tree_->RedrawNode(this);  // the window asks again when it draws the node
}

void TTreeNode::SetSelectedIndex(int index) {
    if (index == selectedIndex_) return;
    selectedIndex_ = index;
    tree_->RedrawNode(this);
}

void TTreeNode::SetExpanded(bool expanded) {
    if (expanded)
        Expand(false);
    else
        Collapse(false);
}

bool TTreeNode::GetSelected() const { return tree_->selected_ == this; }

void TTreeNode::SetSelected(bool selected) {
    if (selected)
        tree_->SetSelected(this);
    else if (GetSelected())
        tree_->SetSelected(nullptr);
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

int TTreeNode::AbsoluteIndex() const {
    tree_->items_.Order();
    return absoluteIndex_;
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const {
    return parent_ ? parent_->children_ : tree_->items_.roots_;
}

int TTreeNode::Index() const {
    const auto& siblings = Siblings();
    for (size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i].get() == this) return int(i);
    }
    return -1;
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return children_[size_t(index)].get();
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = Siblings();
    const int i = Index();
    return i >= 0 && size_t(i) + 1 < siblings.size() ? siblings[size_t(i) + 1].get() : nullptr;
}

void TTreeNode::Expand(bool recurse) {
    if (HasChildren()) {
        expanded_ = true;
        // Expanding from code sends no notification, so the node keeps its state itself.
        if (item_) {
            tree_->InsertChildren(this);
            tree_->Feed(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
        }
    }
    if (recurse) {
        for (auto& child : children_) child->Expand(true);
    }
}

void TTreeNode::Collapse(bool recurse) {
    if (expanded_) {
        expanded_ = false;
        if (item_) tree_->Feed(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
    }
    if (recurse) {
        for (auto& child : children_) child->Collapse(true);
    }
}

bool TTreeNode::IsVisible() const {
    for (const TTreeNode* p = parent_; p; p = p->parent_) {
        if (!p->expanded_) return false;
    }
    return true;
}

RECT TTreeNode::DisplayRect() const {
    RECT r{};
    if (!item_ || !IsVisible()) return r;
    if (!tree_->ItemRect(item_, true, r)) return RECT{};
    return r;
}

// ---- TTreeNodes

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::wstring& text) {
    if (parent && parent->tree_ != tree_) throw Exception("The parent node belongs to another tree");
    auto& siblings = parent ? parent->children_ : roots_;
    siblings.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(tree_, parent, text)));
    TTreeNode* node = siblings.back().get();
    ++count_;
    Changed();
    tree_->InsertItem(node);
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::wstring& text) {
    return AddChild(sibling ? sibling->parent_ : nullptr, text);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node->tree_ != tree_) return;
    tree_->DeleteItem(node);
    TTreeNode* parent = node->parent_;
    auto& siblings = node->Siblings();
    count_ -= CountNodes(*node);
    Changed();
    const auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto& p) { return p.get() == node; });
    siblings.erase(it);
    if (parent && parent->children_.empty()) {
        parent->expanded_ = false;
        tree_->ShowButton(parent);
    }
}

void TTreeNodes::Clear() {
    if (tree_->HandleAllocated()) {
        Quiet quiet(tree_->quiet_);
        tree_->Feed(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
    tree_->selected_ = nullptr;
    roots_.clear();
    count_ = 0;
    Changed();
}

const std::vector<TTreeNode*>& TTreeNodes::Order() const {
    if (orderValid_) return order_;
    order_.clear();
    order_.reserve(size_t(count_));
    // Depth first, each node before its children.
    std::vector<TTreeNode*> stack;
    for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) stack.push_back(it->get());
    while (!stack.empty()) {
        TTreeNode* node = stack.back();
        stack.pop_back();
        node->absoluteIndex_ = int(order_.size());
        order_.push_back(node);
        for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) stack.push_back(it->get());
    }
    orderValid_ = true;
    return order_;
}

TTreeNode* TTreeNodes::Item(int index) const {
    const auto& order = Order();
    if (index < 0 || index >= int(order.size()))
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return order[size_t(index)];
}

void TTreeNodes::BeginUpdate() {
    if (updating_++ == 0) tree_->SetRedraw(false);
}

void TTreeNodes::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0) return;
    tree_->SetRedraw(true);
}

// ---- TTreeView

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(this) {
    width_ = 121;
    height_ = 97;
    color_ = clWindow;
    // The outline is chosen with the mouse; Tab passes it by.
    SetTabStop(false);
}

TTreeView::~TTreeView() {
    MarkDestroying();
    OnChange = nullptr;
    OnGetImageIndex = nullptr;
    OnGetSelectedIndex = nullptr;
    OnExpanded = nullptr;
    OnCollapsed = nullptr;
}

void TTreeView::CreateParams(TCreateParams& params) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    params.systemClass = WC_TREEVIEWW;
    params.style |= (GetTabStop() ? WS_TABSTOP : 0) | (showButtons_ ? TVS_HASBUTTONS : 0) |
                    (showLines_ ? TVS_HASLINES : 0) | (showRoot_ ? TVS_LINESATROOT : 0) |
                    (hideSelection_ ? 0 : TVS_SHOWSELALWAYS);
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::InitWnd() {
    TWinControl::InitWnd();
    theme_.reset();
    Quiet quiet(quiet_);
    if (images_) Feed(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_->Handle()));
    ApplyColors();
    // A re-created window shows the nodes as they were: expansion, then the selection.
    redrawOff_ = false;
    SetRedraw(false);
    for (auto& root : items_.roots_) InsertItems(root.get());
    if (selected_) Feed(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemFor(selected_)));
    SetRedraw(items_.updating_ == 0);
}

void TTreeView::InsertItem(TTreeNode* node) {
    if (!HandleAllocated()) return;
    TTreeNode* parent = node->parent_;
    // A parent's first child gives it its button.
    if (parent && parent->children_.size() == 1) ShowButton(parent);
    if (parent && (!parent->item_ || !parent->childrenInserted_)) return;
    node->childrenInserted_ = false;
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent->item_ : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.cChildren = node->HasChildren() ? 1 : 0;
    insert.item.pszText = const_cast<wchar_t*>(node->text_.c_str());
    // Both pictures are asked for whenever a node is drawn, so that the program can pick
    // them (OnGetImageIndex, OnGetSelectedIndex).
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    node->item_ = reinterpret_cast<HTREEITEM>(
        Feed(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!node->item_) throw Exception("Cannot add a node to the tree " + WideToUtf8(Name));
}

void TTreeView::InsertItems(TTreeNode* node) {
    node->item_ = nullptr;
    InsertItem(node);
    if (node->expanded_ && node->HasChildren()) {
        InsertChildren(node);
        Feed(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item_));
    }
}

void TTreeView::InsertChildren(TTreeNode* node) {
    if (!node->item_ || node->childrenInserted_) return;
    node->childrenInserted_ = true;
    for (auto& child : node->children_) InsertItems(child.get());
}

HTREEITEM TTreeView::ItemFor(TTreeNode* node) {
    if (!node->item_ && node->parent_ && HandleAllocated()) {
        ItemFor(node->parent_);
        InsertChildren(node->parent_);
    }
    return node->item_;
}

void TTreeView::ShowButton(TTreeNode* node) {
    if (!node->item_ || !HandleAllocated()) return;
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node->item_;
    item.cChildren = node->HasChildren() ? 1 : 0;
    Feed(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeView::ForgetItems(TTreeNode* node) {
    node->item_ = nullptr;
    node->childrenInserted_ = false;
    for (auto& child : node->children_) ForgetItems(child.get());
}

TTreeNode* TTreeView::NodeOf(HTREEITEM item) const {
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    if (!item || !Ask(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    return reinterpret_cast<TTreeNode*>(query.lParam);
}

void TTreeView::DeleteItem(TTreeNode* node) {
    if (HandleAllocated() && node->item_) {
        Quiet quiet(quiet_);
        Feed(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
        // The window may have moved the selection to a neighbour of the deleted node.
        TTreeNode* now = NodeOf(reinterpret_cast<HTREEITEM>(Ask(TVM_GETNEXTITEM, TVGN_CARET, 0)));
        selected_ = Contains(node, now) ? nullptr : now;
    }
    ForgetItems(node);
    if (Contains(node, selected_)) selected_ = nullptr;
}

// The tree's own requests to its window. Nothing of the toolkit or of a skin answers them,
// and under Wine every message through the system's subclass chain looks the chain up in the
// window server (three round trips): a question, and a change while the window is not on the
// screen, go straight to the class's procedure. A change on the screen passes the subclasses,
// so that a skin sees what it may have to paint again (the scroll bars).
LRESULT TTreeView::Feed(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = WindowHandle();
    if (redrawOff_ || !IsWindowVisible(hwnd)) return CallWindowProcW(DefWndProc(), hwnd, msg, wParam, lParam);
    return SendMessageW(hwnd, msg, wParam, lParam);
}

LRESULT TTreeView::Ask(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(DefWndProc(), WindowHandle(), msg, wParam, lParam);
}

bool TTreeView::ItemRect(HTREEITEM item, bool textOnly, RECT& rect) const {
    *reinterpret_cast<HTREEITEM*>(&rect) = item;
    return Ask(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect)) != 0;
}

void TTreeView::RedrawNode(TTreeNode* node) {
    // A window that draws nothing now is painted whole when it draws again or comes on the screen.
    if (!node->item_ || redrawOff_ || !IsWindowVisible(WindowHandle())) return;
    RECT row{};
    if (ItemRect(node->item_, false, row)) ::InvalidateRect(WindowHandle(), &row, FALSE);
}

void TTreeView::SetRedraw(bool redraw) {
    if (!HandleAllocated()) return;
    if (!redraw) {
        // Only a window on the screen stops drawing: turning drawing back on shows a window, and
        // one off the screen draws nothing anyway.
        if (!visible_ || redrawOff_ || !IsWindowVisible(WindowHandle())) return;
        redrawOff_ = true;
        SendMessageW(WindowHandle(), WM_SETREDRAW, FALSE, 0);
        return;
    }
    if (!redrawOff_) return;
    redrawOff_ = false;
    SendMessageW(WindowHandle(), WM_SETREDRAW, TRUE, 0);
    if (!visible_) ShowWindow(WindowHandle(), SW_HIDE);
    Invalidate();
}

void TTreeView::SetImages(TImageList* images) {
    if (images == images_) return;
    images_ = images;
    if (images) {
        images->AddFreeNotification([this, alive = std::weak_ptr<int>(alive_), images] {
            if (alive.expired() || images_ != images) return;
            images_ = nullptr;
            if (HandleAllocated()) Feed(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
        });
    }
    if (HandleAllocated())
        Feed(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node && node->tree_ != this) throw Exception("The node belongs to another tree");
    if (HandleAllocated() && (!node || ItemFor(node))) {
        // The window reports the change (TVN_SELCHANGED) like a click.
        Feed(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
        if (!node) selected_ = nullptr;
        return;
    }
    if (node == selected_) return;
    selected_ = node;
    if (node && OnChange) OnChange(node);
}

void TTreeView::SetShowButtons(bool show) {
    if (show == showButtons_) return;
    showButtons_ = show;
    RecreateWnd();
}

void TTreeView::SetShowLines(bool show) {
    if (show == showLines_) return;
    showLines_ = show;
    RecreateWnd();
}

void TTreeView::SetShowRoot(bool show) {
    if (show == showRoot_) return;
    showRoot_ = show;
    RecreateWnd();
}

void TTreeView::SetHideSelection(bool hide) {
    if (hide == hideSelection_) return;
    hideSelection_ = hide;
    RecreateWnd();
}

void TTreeView::FullExpand() {
    Items->BeginUpdate();
    for (auto& root : items_.roots_) root->Expand(true);
    Items->EndUpdate();
}

void TTreeView::FullCollapse() {
    Items->BeginUpdate();
    for (auto& root : items_.roots_) root->Collapse(true);
    Items->EndUpdate();
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    const auto item = reinterpret_cast<HTREEITEM>(Ask(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!item || !(hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT))) return nullptr;
    return NodeOf(item);
}

std::vector<TTreeNode*> TTreeView::VisibleNodes() const {
    std::vector<TTreeNode*> rows;
    std::vector<TTreeNode*> stack;
    for (auto it = items_.roots_.rbegin(); it != items_.roots_.rend(); ++it) stack.push_back(it->get());
    while (!stack.empty()) {
        TTreeNode* node = stack.back();
        stack.pop_back();
        rows.push_back(node);
        if (!node->expanded_) continue;
        for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) stack.push_back(it->get());
    }
    return rows;
}

std::wstring TTreeView::DisplayText() const { return selected_ ? selected_->text_ : std::wstring(); }

void TTreeView::ApplyColors() {
    if (!HandleAllocated()) return;
    // The system colours are the control's own defaults (-1 keeps them following the system).
    const LPARAM back = color_ == clWindow ? LPARAM(-1) : LPARAM(ColorToRGB(color_));
    const LPARAM text = Font->GetColor() == clWindowText ? LPARAM(-1) : LPARAM(ColorToRGB(Font->GetColor()));
    Feed(TVM_SETBKCOLOR, 0, back);
    Feed(TVM_SETTEXTCOLOR, 0, text);
}

void TTreeView::ColorChanged() {
    ApplyColors();
    TWinControl::ColorChanged();
}

void TTreeView::FontChanged() {
    ApplyColors();
    TWinControl::FontChanged();
}

// ---- notifications

void TTreeView::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_NOTIFY:
            CnNotify(message);
            return;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintMessage(message);
            return;
        case WM_ERASEBKGND:
            message.Result = 1;  // the paint fills every pixel it draws
            return;
        case WM_SETFOCUS:
            focused_ = true;
            break;
        case WM_KILLFOCUS:
            focused_ = false;
            break;
        case WM_THEMECHANGED:
            theme_.reset();
            break;
    }
    TWinControl::WndProc(message);
}

void TTreeView::CnNotify(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    message.Result = 0;
    switch (header->code) {
        case TVN_SELCHANGEDW:
            SelectionChanged(*reinterpret_cast<NMTREEVIEWW*>(header));
            break;
        case TVN_GETDISPINFOW:
            DispInfo(*reinterpret_cast<NMTVDISPINFOW*>(header));
            break;
        case TVN_ITEMEXPANDINGW: {
            // The children arrive as the node opens, by the mouse, the keys or from code.
            const auto& info = *reinterpret_cast<NMTREEVIEWW*>(header);
            if ((info.action & TVE_EXPAND) && info.itemNew.lParam)
                InsertChildren(reinterpret_cast<TTreeNode*>(info.itemNew.lParam));
            break;
        }
        case TVN_ITEMEXPANDEDW:
            ItemExpanded(*reinterpret_cast<NMTREEVIEWW*>(header));
            break;
        case TVN_BEGINLABELEDITW:
            message.Result = TRUE;  // labels are not edited
            break;
        case NM_CUSTOMDRAW:
            message.Result = CustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
            break;
    }
}

LRESULT TTreeView::CustomDraw(NMTVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    // A tree without the focus marks its selected node in the button-face colour, which hardly
    // shows on white; the windows that hand the focus on (chapter practice keeps it in its
    // chapter line) must still show the learner which node is chosen.
    const auto item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
    const bool selected = (Ask(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_SELECTED) & TVIS_SELECTED) != 0;
    if (selected && (!hideSelection_ || GetFocus() == WindowHandle())) {
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
    return CDRF_DODEFAULT;
}

void TTreeView::SelectionChanged(const NMTREEVIEWW& info) {
    auto* node = reinterpret_cast<TTreeNode*>(info.itemNew.hItem ? info.itemNew.lParam : 0);
    selected_ = node;
    if (quiet_ || !node || !OnChange) return;
    OnChange(node);
}

void TTreeView::DispInfo(NMTVDISPINFOW& info) {
    auto* node = reinterpret_cast<TTreeNode*>(info.item.lParam);
    if (!node) return;
    if (info.item.mask & TVIF_IMAGE) {
        if (OnGetImageIndex && !quiet_) OnGetImageIndex(node);
        info.item.iImage = node->imageIndex_;
    }
    if (info.item.mask & TVIF_SELECTEDIMAGE) {
        if (OnGetSelectedIndex && !quiet_) OnGetSelectedIndex(node);
        info.item.iSelectedImage = node->selectedIndex_;
    }
}

void TTreeView::ItemExpanded(const NMTREEVIEWW& info) {
    auto* node = reinterpret_cast<TTreeNode*>(info.itemNew.lParam);
    if (!node) return;
    const bool expanded = (info.action & TVE_EXPAND) != 0;
    node->expanded_ = expanded;
    if (quiet_) return;
    if (expanded && OnExpanded) OnExpanded(node);
    if (!expanded && OnCollapsed) OnCollapsed(node);
}
