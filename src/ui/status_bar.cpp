#include "ui/status_bar.h"

#include <commctrl.h>

#include "base/errors.h"

void TStatusPanel::SetWidth(int width) {
    width_ = width < 0 ? 0 : width;
    bar_->UpdatePanels();
}

void TStatusPanel::SetText(const std::wstring& text) {
    text_ = text;
    bar_->UpdatePanels();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    bar_->UpdatePanels();
}

void TStatusPanel::SetBevel(TBevelCut bevel) {
    bevel_ = bevel;
    bar_->UpdatePanels();
}

TStatusPanel* TStatusPanels::Add() {
    panels_.push_back(std::make_unique<TStatusPanel>(bar_));
    bar_->UpdatePanels();
    return panels_.back().get();
}

void TStatusPanels::Clear() {
    panels_.clear();
    bar_->UpdatePanels();
}

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return panels_[size_t(index)].get();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    width_ = 200;
    height_ = 19;
}

void TStatusBar::CreateParams(TCreateParams& params) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    params.systemClass = STATUSCLASSNAMEW;
    params.style |= CCS_BOTTOM | (sizeGrip_ ? SBARS_SIZEGRIP : 0);
}

void TStatusBar::InitWnd() {
    TWinControl::InitWnd();
    UpdatePanels();
    ParentResized();
}

void TStatusBar::ParentResized() {
    // The bar places itself at the bottom of its parent when told the parent's size changed.
    if (HandleAllocated()) SendMessageW(WindowHandle(), WM_SIZE, 0, 0);
}

void TStatusBar::SetSimplePanel(bool simple) {
    simplePanel_ = simple;
    if (HandleAllocated()) SendMessageW(WindowHandle(), SB_SIMPLE, simple, 0);
}

void TStatusBar::SetSizeGrip(bool sizeGrip) {
    if (sizeGrip == sizeGrip_) return;
    sizeGrip_ = sizeGrip;
    RecreateWnd();
}

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND hwnd = WindowHandle();
    const int count = panels_.Count();
    std::vector<int> edges;
    int x = 0;
    for (int i = 0; i < count; ++i) {
        x += panels_.Items(i)->GetWidth();
        edges.push_back(i + 1 < count ? x : -1);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageW(hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) {
        const TStatusPanel* panel = panels_.Items(i);
        // The status bar centres the text after one tab and right-aligns it after two.
        std::wstring text = panel->GetText();
        if (panel->GetAlignment() == taCenter) text = L"\t" + text;
        if (panel->GetAlignment() == taRightJustify) text = L"\t\t" + text;
        const WPARAM bevel = panel->GetBevel() == bvRaised ? SBT_POPOUT : panel->GetBevel() == bvNone ? SBT_NOBORDERS : 0;
        SendMessageW(hwnd, SB_SETTEXTW, WPARAM(i) | bevel, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(hwnd, SB_SIMPLE, simplePanel_, 0);
}

std::wstring TStatusBar::DisplayText() const {
    std::wstring text;
    for (int i = 0; i < panels_.Count(); ++i) {
        if (i) text += L" | ";
        text += panels_.Items(i)->GetText();
    }
    return text;
}

std::wstring TStatusBar::PanelTextShown(int index) const {
    if (!HandleAllocated()) return std::wstring();
    const LRESULT info = SendMessageW(WindowHandle(), SB_GETTEXTLENGTHW, WPARAM(index), 0);
    std::wstring text(size_t(LOWORD(info)) + 1, L'\0');
    SendMessageW(WindowHandle(), SB_GETTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
}
