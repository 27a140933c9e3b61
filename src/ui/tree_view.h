#pragma once
// TTreeView: a read-only outline over the system tree control (SysTreeView32). The nodes
// live in the object (TTreeNodes) and the window shows them, so the tree keeps its nodes,
// their expansion and the selection across a re-created window. The window gets a node's
// children only when the node first opens (or one of them is selected): until then the
// node carries just its button, so a large collapsed outline is built at the cost of its
// top level. Every node draws one
// picture of the tree's image list, chosen through ImageIndex and SelectedIndex; the tree
// asks for them whenever it draws a node, and OnGetImageIndex and OnGetSelectedIndex run
// just before each such answer. Labels are never edited in place.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/win_control.h"

class TImageList;
class TTreeView;

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    std::wstring GetText() const { return text_; }
    void SetText(const std::wstring& text);
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int GetSelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    bool GetExpanded() const { return expanded_; }
    void SetExpanded(bool expanded);
    bool GetSelected() const;
    void SetSelected(bool selected);

    Property<&TTreeNode::GetText, &TTreeNode::SetText> Text{this};
    // The picture beside the node, and the one while the node is selected (-1: none).
    Property<&TTreeNode::GetImageIndex, &TTreeNode::SetImageIndex> ImageIndex{this};
    Property<&TTreeNode::GetSelectedIndex, &TTreeNode::SetSelectedIndex> SelectedIndex{this};
    // Whether the node shows its children (only a node that has children is expanded).
    Property<&TTreeNode::GetExpanded, &TTreeNode::SetExpanded> Expanded{this};
    Property<&TTreeNode::GetSelected, &TTreeNode::SetSelected> Selected{this};

    // What the program keeps with the node; the tree never touches it.
    void* Data = nullptr;

    // 0 for a top-level node, 1 for its children, and so on.
    int Level() const;
    // The node above, nullptr for a top-level node.
    TTreeNode* Parent() const { return parent_; }
    // The position among all nodes of the tree, counted from the first top-level node
    // down through every child in order (the order of TTreeNodes::Item).
    int AbsoluteIndex() const;
    // The position among its siblings.
    int Index() const;
    int Count() const { return int(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeView* TreeView() const { return tree_; }

    // Expands or collapses the node, with recurse also every node below it.
    void Expand(bool recurse);
    void Collapse(bool recurse);
    // Every node above is expanded: the node has a row in the tree.
    bool IsVisible() const;
    // The node's text as drawn, in the tree's client coordinates; an empty rectangle when
    // the node has no row or the tree no window.
    RECT DisplayRect() const;
    // The system's item, nullptr while the tree has no window or the node's parent has not
    // opened in it yet.
    HTREEITEM ItemId() const { return item_; }

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNode(TTreeView* tree, TTreeNode* parent, const std::wstring& text);
    std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;

    TTreeView* tree_;
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    std::wstring text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    bool expanded_ = false;
    HTREEITEM item_ = nullptr;
    // Whether the window holds the children's items (they come when the node first opens).
    bool childrenInserted_ = false;
    int absoluteIndex_ = 0;
};

// The nodes of a tree view.
class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* tree) : tree_(tree) {}
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    // Appends a node as the last child of parent (as the last top-level node for nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const std::wstring& text);
    // Appends a node after the last sibling of sibling (a top-level node for nullptr).
    TTreeNode* Add(TTreeNode* sibling, const std::wstring& text);
    // Removes the node with everything below it. No events run.
    void Delete(TTreeNode* node);
    // Removes every node. No events run.
    void Clear();

    // All nodes, at every level.
    int Count() const { return count_; }
    // The node at an absolute index (see TTreeNode::AbsoluteIndex); an index outside the
    // tree throws Exception.
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    int RootCount() const { return int(roots_.size()); }

    // Stops the window redrawing while many nodes change; nested pairs count.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TTreeView;
    const std::vector<TTreeNode*>& Order() const;
    void Changed() { orderValid_ = false; }

    TTreeView* tree_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
    int count_ = 0;
    int updating_ = 0;
    mutable std::vector<TTreeNode*> order_;
    mutable bool orderValid_ = false;
};

using TTVChangedEvent = std::function<void(TTreeNode* node)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;
    std::wstring ClassName() const override { return L"TTreeView"; }

    TImageList* GetImages() const { return images_; }
    void SetImages(TImageList* images);
    TTreeNode* GetSelected() const { return selected_; }
    void SetSelected(TTreeNode* node);
    bool GetShowButtons() const { return showButtons_; }
    void SetShowButtons(bool show);
    bool GetShowLines() const { return showLines_; }
    void SetShowLines(bool show);
    bool GetShowRoot() const { return showRoot_; }
    void SetShowRoot(bool show);
    bool GetHideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide);

    // The pictures the nodes draw (not owned; cleared when the list goes first).
    Property<&TTreeView::GetImages, &TTreeView::SetImages> Images{this};
    // The selected node, nullptr for none. Selecting from code runs OnChange as a click does.
    Property<&TTreeView::GetSelected, &TTreeView::SetSelected> Selected{this};
    // The expand buttons, the lines between the nodes, and both at the top level too.
    Property<&TTreeView::GetShowButtons, &TTreeView::SetShowButtons> ShowButtons{this};
    Property<&TTreeView::GetShowLines, &TTreeView::SetShowLines> ShowLines{this};
    Property<&TTreeView::GetShowRoot, &TTreeView::SetShowRoot> ShowRoot{this};
    // Whether the selection is shown only while the tree has the focus.
    Property<&TTreeView::GetHideSelection, &TTreeView::SetHideSelection> HideSelection{this};

private:
    TTreeNodes items_;

public:
    TTreeNodes* const Items = &items_;

    // A node became selected (by the mouse, the keys or from code).
    TTVChangedEvent OnChange;
    // The tree is about to draw a node and asks for its picture, or for its picture as a
    // selected node; the handler may change ImageIndex or SelectedIndex. A handler must not
    // add or remove nodes.
    TTVChangedEvent OnGetImageIndex;
    TTVChangedEvent OnGetSelectedIndex;
    // A node was expanded or collapsed by the learner (mouse or keys).
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

    void FullExpand();
    void FullCollapse();
    // The node whose row is at a client point, or nullptr.
    TTreeNode* GetNodeAt(int x, int y);
    // The nodes that have a row (every node above them expanded), top to bottom.
    std::vector<TTreeNode*> VisibleNodes() const;

    // The selected node's text.
    std::wstring DisplayText() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;
    LRESULT CustomDraw(NMTVCUSTOMDRAW& draw);
    // The tree uses no system key; Wine's tree class keeps them all (Alt+F4 closed nothing).
    bool ClassUsesSystemKey(WORD) const override { return false; }
    void ColorChanged() override;
    void FontChanged() override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;

    void InsertItem(TTreeNode* node);
    void InsertItems(TTreeNode* node);
    void InsertChildren(TTreeNode* node);
    // The node's item, with the items of its parents' children put in first.
    HTREEITEM ItemFor(TTreeNode* node);
    // Tells the window whether the node has children (its expand button).
    void ShowButton(TTreeNode* node);
    void ForgetItems(TTreeNode* node);
    void DeleteItem(TTreeNode* node);
    TTreeNode* NodeOf(HTREEITEM item) const;
    // The tree's own requests to its window: changes (Feed) and questions (Ask).
    LRESULT Feed(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT Ask(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // An item's row, or the rectangle of its text.
    bool ItemRect(HTREEITEM item, bool textOnly, RECT& rect) const;
    void RedrawNode(TTreeNode* node);
    void SetRedraw(bool redraw);
    void ApplyColors();
    void CnNotify(TMessage& message);
    void SelectionChanged(const NMTREEVIEWW& info);
    void DispInfo(NMTVDISPINFOW& info);
    void ItemExpanded(const NMTREEVIEWW& info);

    // The tree's own paint (tree_view_paint.cpp): WM_PAINT, and WM_PRINTCLIENT into its HDC.
    struct RowPaint;
    void PaintMessage(TMessage& message);
    void PaintTo(HDC target, const RECT& area);
    void PaintRows(HDC dc, const RECT& area);
    void PaintRow(const RowPaint& p, HTREEITEM item, const RECT& row);
    void PaintLinesAndButton(const RowPaint& p, HTREEITEM item, const TVITEMW& state, const RECT& row, int linesOffset,
                             int centerX, int centerY, int level, bool linesAtRoot);

    TImageList* images_ = nullptr;
    TTreeNode* selected_ = nullptr;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool hideSelection_ = true;
    // While set, the window's notifications of our own changes run no events.
    int quiet_ = 0;
    bool redrawOff_ = false;
    // Whether the window has the focus, from its WM_SETFOCUS and WM_KILLFOCUS (asking would be
    // a round trip to the window server for every row).
    bool focused_ = false;
    // The theme the system's tree opened for its window (not ours to close; nullptr: none),
    // looked up at the first paint (a window property: a round trip under Wine).
    std::optional<HTHEME> theme_;
    // Lets a free notification of the image list know whether this tree is still there.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
