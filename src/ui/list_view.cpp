#include "ui/list_view.h"

#include <commctrl.h>

#include <algorithm>

TListView::TListView(TComponent* owner) : TWinControl(owner) {
    width_ = 250;
    height_ = 150;
    color_ = clWindow;
    SetTabStop(true);
}

void TListView::CreateParams(TCreateParams& params) {
    params.systemClass = WC_LISTVIEWW;
    params.style |= WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | (ownerData_ ? LVS_OWNERDATA : 0);
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListView::InitWnd() {
    TWinControl::InitWnd();
    // Whole rows selected: the learner's eye follows the row, not its first cell.
    SendMessageW(WindowHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < ColumnCount(); ++i) InsertColumn(i);
    FillWindow();
    // The choice survives a window made anew; putting it back is no change to report.
    if (selected_ >= 0 && selected_ < ItemCount()) {
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(WindowHandle(), LVM_SETITEMSTATE, WPARAM(selected_), reinterpret_cast<LPARAM>(&state));
    }
}

void TListView::SetOwnerData(bool ownerData) {
    if (ownerData == ownerData_) return;
    ownerData_ = ownerData;
    RecreateWnd();
}

void TListView::FillWindow() {
    if (!HandleAllocated()) return;
    if (ownerData_) {
        SendMessageW(WindowHandle(), LVM_SETITEMCOUNT, WPARAM(items_.size()), 0);
        ::InvalidateRect(WindowHandle(), nullptr, TRUE);
        return;
    }
    for (int i = 0; i < ItemCount(); ++i) InsertItem(i);
}

void TListView::InsertColumn(int index) {
    Column& c = columns_[size_t(index)];
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = c.caption.data();
    column.cx = c.width;
    column.iSubItem = index;
    SendMessageW(WindowHandle(), LVM_INSERTCOLUMNW, WPARAM(index), reinterpret_cast<LPARAM>(&column));
}

void TListView::InsertItem(int index) {
    std::vector<std::wstring>& texts = items_[size_t(index)];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = texts[0].data();
    SendMessageW(WindowHandle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (size_t sub = 1; sub < texts.size(); ++sub) {
        LVITEMW subItem{};
        subItem.iSubItem = int(sub);
        subItem.pszText = texts[sub].data();
        SendMessageW(WindowHandle(), LVM_SETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&subItem));
    }
}

void TListView::AddColumn(const std::wstring& caption, int width) {
    columns_.push_back({caption, width});
    if (HandleAllocated()) InsertColumn(ColumnCount() - 1);
}

int TListView::AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems) {
    std::vector<std::wstring> texts{caption};
    texts.insert(texts.end(), subItems.begin(), subItems.end());
    items_.push_back(std::move(texts));
    if (HandleAllocated()) {
        if (ownerData_)
            SendMessageW(WindowHandle(), LVM_SETITEMCOUNT, WPARAM(items_.size()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        else
            InsertItem(ItemCount() - 1);
    }
    return ItemCount() - 1;
}

void TListView::SetItems(std::vector<std::vector<std::wstring>> items) {
    Clear();
    for (auto& texts : items) {
        if (texts.empty()) texts.emplace_back();
    }
    items_ = std::move(items);
    FillWindow();
}

void TListView::Clear() {
    items_.clear();
    if (HandleAllocated()) {
        SendMessageW(WindowHandle(), LVM_DELETEALLITEMS, 0, 0);
        SelectionChanged();
    } else if (selected_ != -1) {
        selected_ = -1;
        if (OnChange) OnChange();
    }
}

HWND TListView::HeaderHandle() const {
    return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(WindowHandle(), LVM_GETHEADER, 0, 0)) : nullptr;
}

int TListView::TopIndex() const {
    return HandleAllocated() ? int(SendMessageW(WindowHandle(), LVM_GETTOPINDEX, 0, 0)) : 0;
}

int TListView::GetItemIndex() const {
    if (!HandleAllocated()) return selected_;
    return int(SendMessageW(WindowHandle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int index) {
    if (index < -1 || index >= ItemCount()) index = -1;
    if (!HandleAllocated()) {
        if (index == selected_) return;
        selected_ = index;
        if (OnChange) OnChange();
        return;
    }
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (index < 0) {
        SendMessageW(WindowHandle(), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
    } else {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(WindowHandle(), LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
        SendMessageW(WindowHandle(), LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
    }
    SelectionChanged();
}

// The list reports every state change of every item; the form hears only of a new choice.
void TListView::SelectionChanged() {
    const int now = GetItemIndex();
    if (now == selected_) return;
    selected_ = now;
    if (OnChange) OnChange();
}

void TListView::GiveText(NMLVDISPINFOW& info) const {
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
    info.item.pszText[0] = L'\0';
    if (info.item.iItem < 0 || info.item.iItem >= ItemCount()) return;
    const auto& texts = items_[size_t(info.item.iItem)];
    if (info.item.iSubItem < 0 || size_t(info.item.iSubItem) >= texts.size()) return;
    const std::wstring& text = texts[size_t(info.item.iSubItem)];
    const size_t length = std::min(text.size(), size_t(info.item.cchTextMax - 1));
    text.copy(info.item.pszText, length);
    info.item.pszText[length] = L'\0';
}

void TListView::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        if (header->code == LVN_GETDISPINFOW) {
            GiveText(*reinterpret_cast<NMLVDISPINFOW*>(message.LParam));
            message.Result = 0;
            return;
        }
        if (header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(message.LParam);
            if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) SelectionChanged();
            message.Result = 0;
            return;
        }
    }
    TWinControl::WndProc(message);
}
