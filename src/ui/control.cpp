#include "ui/control.h"

#include <algorithm>

#include "base/errors.h"

#include "ui/form.h"
#include "ui/win_control.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        // A change made by the control itself ends the inheritance of its parent's font.
        if (!syncing_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    // Our owner may be deleting a whole form; the events are its member functions and must
    // not run on a half-destroyed window.
    OnClick = nullptr;
    OnDblClick = nullptr;
    font_.OnChange = nullptr;
    if (parent_) SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    for (TControl* p = parent; p; p = p->parent_) {
        if (p == this) throw Exception("A control cannot be its own parent");
    }
    TWinControl* oldParent = parent_;
    if (oldParent) {
        if (TForm* form = ParentForm(); form && form != this) form->ControlRemoved(this);
        if (!IsWindowed() && !oldParent->Destroying()) oldParent->InvalidateRect(BoundsRect());
        oldParent->RemoveControl(this);
    }
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(this);
        SyncParentFont();
        SyncParentColor();
    }
    ParentChanged(oldParent);
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetCaption(const std::wstring& caption) {
    const bool same = caption == GetCaption();
    caption_ = caption;
    if (!same) TextChanged();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentFont(bool parentFont) {
    parentFont_ = parentFont;
    SyncParentFont();
}

void TControl::SetParentColor(bool parentColor) {
    parentColor_ = parentColor;
    SyncParentColor();
}

void TControl::SyncParentFont() {
    if (!parentFont_ || !parent_) return;
    syncing_ = true;
    font_.Assign(parent_->font_);
    syncing_ = false;
}

void TControl::SyncParentColor() {
    if (!parentColor_ || !parent_ || parent_->color_ == color_) return;
    color_ = parent_->color_;
    ColorChanged();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const RECT old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged(old);
}

void TControl::StoreBounds(const RECT& bounds) {
    left_ = bounds.left;
    top_ = bounds.top;
    width_ = bounds.right - bounds.left;
    height_ = bounds.bottom - bounds.top;
}

void TControl::Click() {
    if (OnClick && enabled_) OnClick();
}

void TControl::DblClick() {
    if (OnDblClick && enabled_) OnDblClick();
}

void TControl::Invalidate() {
    if (parent_ && visible_) parent_->InvalidateRect(BoundsRect());
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->handle_)
        SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else
        Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->handle_)
        SetWindowPos(w->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else
        Invalidate();
}

bool TControl::VisibleInForm() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (dynamic_cast<const TForm*>(c)) return true;
        if (!c->visible_) return false;
    }
    return true;
}

TForm* TControl::ParentForm() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (auto* form = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(form);
    }
    return nullptr;
}

void TControl::BoundsChanged(const RECT& oldBounds) {
    if (!parent_ || !visible_) return;
    parent_->InvalidateRect(oldBounds);
    parent_->InvalidateRect(BoundsRect());
}

void TControl::VisibleChanged() {
    if (parent_) parent_->InvalidateRect(BoundsRect());
}

void TControl::EnabledChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::FontChanged() { Invalidate(); }

void TControl::ParentChanged(TWinControl*) { Invalidate(); }
