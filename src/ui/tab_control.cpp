#include "ui/tab_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

// ---- TTabControl

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
    width_ = 289;
    height_ = 193;
    SetTabStop(true);
}

void TTabControl::CreateParams(TCreateParams& params) {
    params.systemClass = WC_TABCONTROLW;
    params.style |= WS_TABSTOP | WS_CLIPSIBLINGS;
    switch (tabPosition_) {
        case tpTop: break;
        case tpBottom: params.style |= TCS_BOTTOM; break;
        case tpLeft: params.style |= TCS_VERTICAL | TCS_MULTILINE; break;
        case tpRight: params.style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    }
    if (multiLine_) params.style |= TCS_MULTILINE;
}

void TTabControl::InitWnd() {
    TWinControl::InitWnd();
    HWND h = WindowHandle();
    for (size_t i = 0; i < tabs_.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = tabs_[i].data();
        SendMessageW(h, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(h, TCM_SETCURSEL, WPARAM(tabIndex_), 0);
}

void TTabControl::SetTabs(const std::vector<std::wstring>& tabs) {
    tabs_ = tabs;
    tabIndex_ = tabs_.empty() ? -1 : std::clamp(GetTabIndex(), 0, int(tabs_.size()) - 1);
    if (!HandleAllocated()) return;
    SendMessageW(WindowHandle(), TCM_DELETEALLITEMS, 0, 0);
    InitWnd();
}

int TTabControl::GetTabIndex() const {
    return HandleAllocated() ? int(SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0)) : tabIndex_;
}

void TTabControl::SetTabIndex(int index) {
    tabIndex_ = index >= 0 && index < int(tabs_.size()) ? index : -1;
    if (HandleAllocated()) SendMessageW(WindowHandle(), TCM_SETCURSEL, WPARAM(tabIndex_), 0);
}

void TTabControl::SetTabPosition(TTabPosition position) {
    if (position == tabPosition_) return;
    tabIndex_ = GetTabIndex();
    tabPosition_ = position;
    RecreateWnd();
}

void TTabControl::SetMultiLine(bool multiLine) {
    if (multiLine == multiLine_) return;
    tabIndex_ = GetTabIndex();
    multiLine_ = multiLine;
    RecreateWnd();
}

RECT TTabControl::DisplayRect() const {
    RECT r{0, 0, width_, height_};
    if (HandleAllocated()) {
        GetClientRect(WindowHandle(), &r);
        SendMessageW(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    }
    return r;
}

void TTabControl::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        message.Result = 0;
        if (header->code == UINT(TCN_SELCHANGE)) {
            tabIndex_ = GetTabIndex();
            if (OnChange) OnChange();
        }
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TTabSet

namespace {

constexpr int kTabSetStart = 5;     // the first tab's distance from the left end
constexpr int kTabSetPadding = 8;   // space each side of a tab's text
constexpr int kTabSetSlant = 4;     // the sloped ends of a tab

}  // namespace

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 21;
}

void TTabSet::SetTabs(const std::vector<std::wstring>& tabs) {
    tabs_ = tabs;
    if (tabIndex_ >= int(tabs_.size())) tabIndex_ = int(tabs_.size()) - 1;
    if (tabIndex_ < 0 && !tabs_.empty()) tabIndex_ = 0;
    Invalidate();
}

void TTabSet::SetTabIndex(int index) {
    if (index < -1 || index >= int(tabs_.size()) || index == tabIndex_) return;
    tabIndex_ = index;
    Invalidate();
}

RECT TTabSet::TabRect(int index) const {
    if (index < 0 || index >= int(tabs_.size())) return RECT{};
    MemDC dc(nullptr);
    SelectGuard font(dc.Get(), Font->Handle());
    int x = kTabSetStart;
    for (int i = 0; i <= index; ++i) {
        SIZE size{};
        const std::wstring& text = tabs_[size_t(i)];
        GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &size);
        const int w = size.cx + 2 * (kTabSetPadding + kTabSetSlant);
        if (i == index) return RECT{x, 0, x + w, height_};
        x += w - kTabSetSlant;  // neighbours overlap at their slopes
    }
    return RECT{};
}

int TTabSet::TabAt(POINT point) const {
    // The selected tab lies over its neighbours.
    const RECT selected = TabRect(tabIndex_);
    if (PtInRect(&selected, point)) return tabIndex_;
    for (int i = 0; i < int(tabs_.size()); ++i) {
        const RECT r = TabRect(i);
        if (PtInRect(&r, point)) return i;
    }
    return -1;
}

void TTabSet::PaintBackground(HDC dc, const RECT& area) {
    TWinControl::PaintBackground(dc, area);
    SelectGuard font(dc, Font->Handle());
    SetBkMode(dc, TRANSPARENT);
    Gdi<HPEN> dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)));
    Gdi<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    Gdi<HBRUSH> page(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    // The line the tabs hang from; the selected tab opens it.
    {
        SelectGuard pen(dc, dark.Get());
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, width_, 0);
    }
    auto drawTab = [&](int i) {
        const RECT r = TabRect(i);
        const bool selected = i == tabIndex_;
        const POINT shape[4] = {{r.left, 0}, {r.left + kTabSetSlant, r.bottom - 1}, {r.right - kTabSetSlant, r.bottom - 1},
                                {r.right, 0}};
        SelectGuard pen(dc, dark.Get());
        SelectGuard brush(dc, selected ? page.Get() : face.Get());
        Polygon(dc, shape, 4);
        if (selected) {
            RECT open{r.left + 1, 0, r.right, 1};
            FillRect(dc, &open, page.Get());
        }
        RECT text = r;
        SetTextColor(dc, ColorToRGB(enabled_ ? Font->GetColor() : clGrayText));
        const std::wstring& caption = tabs_[size_t(i)];
        DrawTextW(dc, caption.c_str(), int(caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    };
    for (int i = int(tabs_.size()) - 1; i >= 0; --i)
        if (i != tabIndex_) drawTab(i);
    if (tabIndex_ >= 0) drawTab(tabIndex_);
}

void TTabSet::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDOWN) {
        const int tab = TabAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        if (tab >= 0 && tab != tabIndex_) {
            tabIndex_ = tab;
            Invalidate();
            if (OnChange) OnChange();
        }
    }
    TWinControl::WndProc(message);
}

// ---- TTabSheet and TPageControl

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TPageControl::TPageControl(TComponent* owner) : TTabControl(owner) {}

TTabSheet* TPageControl::AddPage(const std::wstring& caption) {
    auto* sheet = new TTabSheet(Owner() ? Owner() : this);
    sheet->pageControl_ = this;
    sheet->Caption = caption;
    sheet->Parent = this;
    sheet->AddFreeNotification([this, sheet] {
        if (Destroying()) return;
        std::erase(pages_, sheet);
    });
    pages_.push_back(sheet);
    std::vector<std::wstring> captions;
    for (TTabSheet* p : pages_) captions.push_back(p->Caption);
    const int index = GetTabIndex();
    SetTabs(captions);
    SetTabIndex(index < 0 ? 0 : index);
    ShowActivePage();
    return sheet;
}

TTabSheet* TPageControl::Page(int index) const {
    return index >= 0 && index < PageCount() ? pages_[size_t(index)] : nullptr;
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
    TTabControl::SetBounds(left, top, width, height);
    ShowActivePage();
}

void TPageControl::InitWnd() {
    TTabControl::InitWnd();
    ShowActivePage();
}

void TPageControl::ShowActivePage() {
    const RECT r = DisplayRect();
    const int active = GetTabIndex();
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* p = pages_[size_t(i)];
        p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        p->Visible = i == active;
    }
}

void TPageControl::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(message.LParam)->code == UINT(TCN_SELCHANGE)) {
        ShowActivePage();
    }
    TTabControl::WndProc(message);
}
