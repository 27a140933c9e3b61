#include "ui/combo_box.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/edit.h"
#include "ui/gdi.h"

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    width_ = 145;
    height_ = 21;
    color_ = clWindow;
    SetTabStop(true);
    items_.OnChange = [this] { ItemsChanged(); };
}

void TComboBox::CreateParams(TCreateParams& params) {
    params.systemClass = L"COMBOBOX";
    // The list gets a scroll bar only when it has more items than it shows: otherwise the
    // system shows and hides it as the items come, each time changing the list's frame.
    listHasBar_ = NeedsBar();
    params.style |= (GetTabStop() ? WS_TABSTOP : 0) | (listHasBar_ ? WS_VSCROLL : 0) |
                    (style_ == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
    // Made as its field alone: a resting list taller than an item is cut to whole items of the
    // font it has by the list box each time the combo box places it, and Wine's places it at
    // its creation (in the system font), at its font and at its size, each cut a move of a
    // top-level window and a display look-up. One no taller than an item is left as it is.
    params.height = height_;
}

void TComboBox::InitWnd() {
    TWinControl::InitWnd();
    FillList();
    if (style_ == csDropDown && itemIndex_ < 0) SetWindowTextW(WindowHandle(), caption_.c_str());
}

void TComboBox::FillList() {
    HWND hwnd = WindowHandle();
    // The list is filled through the class's own procedure: nothing of ours (or of a skin)
    // answers these messages, and each trip through the subclass chain costs a window-
    // property look-up per message under Wine.
    const WNDPROC list = DefWndProc();
    CallWindowProcW(list, hwnd, CB_RESETCONTENT, 0, 0);
    if (items_.Count() > 0) {
        size_t characters = 0;
        for (const std::wstring& item : items_.Items()) characters += item.size() + 1;
        CallWindowProcW(list, hwnd, CB_INITSTORAGE, WPARAM(items_.Count()), LPARAM(characters * sizeof(wchar_t)));
    }
    for (const std::wstring& item : items_.Items())
        CallWindowProcW(list, hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    CallWindowProcW(list, hwnd, CB_SETCURSEL, itemIndex_ < items_.Count() ? itemIndex_ : -1, 0);
    CallWindowProcW(list, hwnd, CB_SETMINVISIBLE, dropDownCount_, 0);
}

void TComboBox::ItemsChanged() {
    if (!HandleAllocated()) {
        if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
        return;
    }
    itemIndex_ = GetItemIndex();
    if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
    if (NeedsBar() && !listHasBar_) {
        RecreateWnd();  // the list is filled anew with its bar
        return;
    }
    FillList();
}

bool TComboBox::NeedsBar() const { return items_.Count() > dropDownCount_; }

int TComboBox::GetItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    return int(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_.Count()) index = -1;
    itemIndex_ = index;
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SETCURSEL, index, 0);
}

std::wstring TComboBox::GetCaption() const {
    if (style_ == csDropDownList) {
        const int index = GetItemIndex();
        return index >= 0 && index < items_.Count() ? items_[index] : std::wstring();
    }
    return TWinControl::GetCaption();
}

void TComboBox::SetCaption(const std::wstring& text) {
    if (style_ == csDropDownList) {
        SetItemIndex(items_.IndexOf(text));
        return;
    }
    TWinControl::SetCaption(text);
}

void TComboBox::SetDropDownCount(int count) {
    dropDownCount_ = count < 1 ? 1 : count;
    if (!HandleAllocated()) return;
    if (NeedsBar() && !listHasBar_) {
        itemIndex_ = GetItemIndex();
        RecreateWnd();
        return;
    }
    SendMessageW(WindowHandle(), CB_SETMINVISIBLE, dropDownCount_, 0);
    AdjustDropDown();
}

void TComboBox::AdjustDropDown() {
    // The list's height is the window's beyond the field the class made; set again whenever
    // the list opens.
    RECT field{};
    GetWindowRect(WindowHandle(), &field);
    SetWindowPos(WindowHandle(), nullptr, 0, 0, width_, WindowHeightFor(field.bottom - field.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    itemIndex_ = GetItemIndex();
    style_ = style;
    RecreateWnd();
}

int TComboBox::WindowHeightFor(int height) const {
    // The system keeps a drop-down's height for its list: the field plus the items shown.
    int itemHeight = HandleAllocated() ? int(SendMessageW(WindowHandle(), CB_GETITEMHEIGHT, 0, 0)) : 0;
    if (itemHeight <= 0) {
        const int fontHeight = Font->GetHeight();
        itemHeight = (fontHeight < 0 ? -fontHeight : fontHeight) + 4;
    }
    const int shown = std::max(1, std::min(dropDownCount_, items_.Count()));
    return height + shown * itemHeight + 2;
}

bool TComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::ColorChanged() {
    brush_.Reset();
    TWinControl::ColorChanged();
}

void TComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            switch (HIWORD(message.WParam)) {
                case CBN_SELCHANGE:
                    itemIndex_ = GetItemIndex();
                    Click();
                    if (OnChange) OnChange();
                    break;
                case CBN_DROPDOWN:
                    AdjustDropDown();
                    break;
                case CBN_CLOSEUP:
                    if (OnCloseUp) OnCloseUp();
                    break;
            }
            message.Result = 0;
            return;
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLORSTATIC:
            message.Result = ControlColors(reinterpret_cast<HDC>(message.WParam), color_, Font->GetColor(), brush_);
            return;
    }
    TWinControl::WndProc(message);
}
