#include "ui/list_view.h"

#include <commctrl.h>

TListView::TListView(TComponent* owner) : TWinControl(owner) {
    width_ = 250;
    height_ = 150;
    color_ = clWindow;
    SetTabStop(true);
}

void TListView::CreateParams(TCreateParams& params) {
    params.systemClass = WC_LISTVIEWW;
    params.style |= WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListView::InitWnd() {
    TWinControl::InitWnd();
    for (int i = 0; i < ColumnCount(); ++i) InsertColumn(i);
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
    if (HandleAllocated()) InsertItem(ItemCount() - 1);
    return ItemCount() - 1;
}

void TListView::Clear() {
    items_.clear();
    if (HandleAllocated()) SendMessageW(WindowHandle(), LVM_DELETEALLITEMS, 0, 0);
}

HWND TListView::HeaderHandle() const {
    return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(WindowHandle(), LVM_GETHEADER, 0, 0)) : nullptr;
}

int TListView::TopIndex() const {
    return HandleAllocated() ? int(SendMessageW(WindowHandle(), LVM_GETTOPINDEX, 0, 0)) : 0;
}
