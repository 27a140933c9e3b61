#include "ui/label.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    width_ = 65;
    height_ = 17;
}

void TCustomLabel::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    AdjustSize();
}

UINT TCustomLabel::DrawFlags() const {
    UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    switch (alignment_) {
        case taLeftJustify: flags |= DT_LEFT; break;
        case taCenter: flags |= DT_CENTER; break;
        case taRightJustify: flags |= DT_RIGHT; break;
    }
    return flags;
}

void TCustomLabel::AdjustSize() {
    if (!autoSize_) return;
    std::wstring text = LabelText();
    if (text.empty()) text = L" ";  // an empty label keeps the height of a line
    ClientDC screen(nullptr);
    SelectGuard font(screen.Get(), Font->Handle());
    RECT r{0, 0, wordWrap_ ? width_ : 0, 0};
    DrawTextW(screen.Get(), text.c_str(), int(text.size()), &r, DrawFlags() | DT_CALCRECT);
    SetBounds(left_, top_, wordWrap_ ? width_ : int(r.right), int(r.bottom));
}

void TCustomLabel::TextChanged() {
    AdjustSize();
    Invalidate();
}

void TCustomLabel::FontChanged() {
    AdjustSize();
    Invalidate();
}

void TCustomLabel::Paint(HDC dc) {
    RECT r = ClientRect();
    if (!transparent_) {
        Gdi<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color_)));
        FillRect(dc, &r, brush.Get());
    }
    const std::wstring text = LabelText();
    if (text.empty()) return;
    SelectGuard font(dc, Font->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(enabled_ ? Font->GetColor() : clGrayText));
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DrawFlags());
}
