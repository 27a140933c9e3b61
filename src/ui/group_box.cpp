#include "ui/group_box.h"

#include <algorithm>

#include "ui/check_box.h"

namespace {

// The height of the caption's line in the control's font.
int CaptionHeight(const TFont& font) {
    MemDC dc(nullptr);
    SelectGuard select(dc.Get(), font.Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.Get(), &tm);
    return tm.tmHeight;
}

}  // namespace

// ---- TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 105;
}

RECT TGroupBox::InnerRect() const {
    const int top = CaptionHeight(*Font);
    RECT r{2, top, width_ - 2, height_ - 2};
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void TGroupBox::TextChanged() {
    TWinControl::TextChanged();
    Invalidate();
}

void TGroupBox::PaintBackground(HDC dc, const RECT& area) {
    TWinControl::PaintBackground(dc, area);
    const int line = CaptionHeight(*Font);
    RECT frame{0, line / 2, width_, height_};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption_.empty()) return;
    SelectGuard font(dc, Font->Handle());
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(color_));
    SetTextColor(dc, ColorToRGB(enabled_ ? Font->GetColor() : clGrayText));
    RECT text{8, 0, width_ - 8, line};
    DrawTextW(dc, caption_.c_str(), int(caption_.size()), &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- TRadioGroup

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {}

void TRadioGroup::SetItems(const std::vector<std::wstring>& items) {
    const int checked = GetItemIndex();
    for (TRadioButton* b : buttons_) FreeComponent(b);
    buttons_.clear();
    for (const std::wstring& text : items) {
        auto* b = new TRadioButton(this);
        b->Caption = text;
        b->Parent = this;
        buttons_.push_back(b);
    }
    ArrangeButtons();
    if (checked >= 0 && checked < ItemCount()) SetItemIndex(checked);
}

TRadioButton* TRadioGroup::Button(int index) const {
    return index >= 0 && index < ItemCount() ? buttons_[size_t(index)] : nullptr;
}

int TRadioGroup::GetItemIndex() const {
    for (int i = 0; i < ItemCount(); ++i)
        if (buttons_[size_t(i)]->Checked) return i;
    return -1;
}

void TRadioGroup::SetItemIndex(int index) {
    for (int i = 0; i < ItemCount(); ++i) buttons_[size_t(i)]->Checked = i == index;
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
    TGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    const RECT r = InnerRect();
    const int rowHeight = std::max(1, int(r.bottom - r.top) / ItemCount());
    for (int i = 0; i < ItemCount(); ++i) {
        const int height = std::min(rowHeight, 20);
        buttons_[size_t(i)]->SetBounds(r.left + 6, r.top + i * rowHeight + (rowHeight - height) / 2,
                                       std::max(0, int(r.right - r.left) - 12), height);
    }
}
