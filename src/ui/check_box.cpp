#include "ui/check_box.h"

namespace {

constexpr WPARAM CheckOf(TCheckBoxState state) {
    return state == cbChecked ? BST_CHECKED : state == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
}

}  // namespace

// ---- TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    width_ = 97;
    height_ = 17;
    SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    params.systemClass = L"BUTTON";
    params.style |= WS_TABSTOP | (allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX);
    if (alignment_ == taLeftJustify) params.style |= BS_LEFTTEXT;
}

void TCheckBox::InitWnd() {
    TWinControl::InitWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(state_), 0);
}

TCheckBoxState TCheckBox::GetState() const {
    if (!HandleAllocated()) return state_;
    const LRESULT check = SendMessageW(WindowHandle(), BM_GETCHECK, 0, 0);
    return check == BST_CHECKED ? cbChecked : check == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
}

void TCheckBox::SetState(TCheckBoxState state) {
    state_ = state;
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(state), 0);
}

void TCheckBox::SetAllowGrayed(bool allow) {
    if (allow == allowGrayed_) return;
    allowGrayed_ = allow;
    if (!HandleAllocated()) return;
    state_ = GetState();
    SendMessageW(WindowHandle(), BM_SETSTYLE, allow ? BS_AUTO3STATE : BS_AUTOCHECKBOX, TRUE);
}

void TCheckBox::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    if (!HandleAllocated()) return;
    state_ = GetState();
    RecreateWnd();
}

void TCheckBox::ColorChanged() {
    brush_.Reset();
    TWinControl::ColorChanged();
}

void TCheckBox::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            if (HIWORD(message.WParam) == BN_CLICKED) {
                state_ = GetState();
                Click();
            }
            message.Result = 0;
            return;
        case CN_CTLCOLORSTATIC:
        case CN_CTLCOLORBTN:
            message.Result = ControlColors(reinterpret_cast<HDC>(message.WParam), color_, Font->GetColor(), brush_);
            return;
    }
    TWinControl::WndProc(message);
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    width_ = 113;
    height_ = 17;
    SetTabStop(true);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    params.systemClass = L"BUTTON";
    params.style |= WS_TABSTOP | BS_AUTORADIOBUTTON;
}

void TRadioButton::InitWnd() {
    TWinControl::InitWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::GetChecked() const {
    if (!HandleAllocated()) return checked_;
    return SendMessageW(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked) {
    checked_ = checked;
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked || !parent_) return;
    for (TControl* sibling : parent_->Controls()) {
        auto* other = dynamic_cast<TRadioButton*>(sibling);
        if (other && other != this) other->SetChecked(false);
    }
}

void TRadioButton::ColorChanged() {
    brush_.Reset();
    TWinControl::ColorChanged();
}

void TRadioButton::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            if (HIWORD(message.WParam) == BN_CLICKED) {
                // The system unchecks the others of the group; the objects follow.
                if (GetChecked()) SetChecked(true);
                Click();
            }
            message.Result = 0;
            return;
        case CN_CTLCOLORSTATIC:
        case CN_CTLCOLORBTN:
            message.Result = ControlColors(reinterpret_cast<HDC>(message.WParam), color_, Font->GetColor(), brush_);
            return;
    }
    TWinControl::WndProc(message);
}
