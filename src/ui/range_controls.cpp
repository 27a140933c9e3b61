#include "ui/range_controls.h"

#include <commctrl.h>

#include <algorithm>

// ---- TTrackBar

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 45;
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    params.systemClass = TRACKBAR_CLASSW;
    params.style |= WS_TABSTOP | TBS_AUTOTICKS | (orientation_ == trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::InitWnd() {
    TWinControl::InitWnd();
    SendMessageW(WindowHandle(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(WindowHandle(), TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(WindowHandle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetMin(int value) {
    min_ = value;
    max_ = std::max(max_, min_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), TBM_SETRANGEMIN, TRUE, min_);
    SetPosition(GetPosition());
}

void TTrackBar::SetMax(int value) {
    max_ = value;
    min_ = std::min(min_, max_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), TBM_SETRANGEMAX, TRUE, max_);
    SetPosition(GetPosition());
}

int TTrackBar::GetPosition() const {
    return HandleAllocated() ? int(SendMessageW(WindowHandle(), TBM_GETPOS, 0, 0)) : position_;
}

void TTrackBar::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
    if (orientation == orientation_) return;
    position_ = GetPosition();
    orientation_ = orientation;
    RecreateWnd();
}

void TTrackBar::WndProc(TMessage& message) {
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        const int now = GetPosition();
        message.Result = 0;
        if (now == position_) return;
        position_ = now;
        if (OnChange) OnChange();
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TUpDown

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    width_ = 17;
    height_ = 25;
}

void TUpDown::CreateParams(TCreateParams& params) {
    params.systemClass = UPDOWN_CLASSW;
    params.style |= UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    if (orientation_ == udHorizontal) params.style |= UDS_HORZ;
    if (associate_) params.style |= UDS_ALIGNRIGHT;
}

void TUpDown::InitWnd() {
    TWinControl::InitWnd();
    HWND h = WindowHandle();
    SendMessageW(h, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessageW(h, UDM_SETPOS32, 0, position_);
    if (associate_) SendMessageW(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
}

void TUpDown::SetMin(int value) {
    min_ = value;
    max_ = std::max(max_, min_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SetPosition(GetPosition());
}

void TUpDown::SetMax(int value) {
    max_ = value;
    min_ = std::min(min_, max_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SetPosition(GetPosition());
}

int TUpDown::GetPosition() const {
    return HandleAllocated() ? int(SendMessageW(WindowHandle(), UDM_GETPOS32, 0, 0)) : position_;
}

void TUpDown::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
    if (orientation == orientation_) return;
    position_ = GetPosition();
    orientation_ = orientation;
    RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* control) {
    if (control == associate_) return;
    position_ = GetPosition();
    associate_ = control;
    // The buddy and the alignment are taken at creation only.
    RecreateWnd();
}

void TUpDown::WndProc(TMessage& message) {
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        const int now = GetPosition();
        message.Result = 0;
        if (now == position_) return;
        position_ = now;
        if (OnChange) OnChange();
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 17;
}

void TProgressBar::CreateParams(TCreateParams& params) {
    params.systemClass = PROGRESS_CLASSW;
    params.style |= PBS_SMOOTH;
}

void TProgressBar::InitWnd() {
    TWinControl::InitWnd();
    SendMessageW(WindowHandle(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessageW(WindowHandle(), PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::SetMin(int value) {
    min_ = value;
    max_ = std::max(max_, min_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SetPosition(GetPosition());
}

void TProgressBar::SetMax(int value) {
    max_ = value;
    min_ = std::min(min_, max_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SetPosition(GetPosition());
}

int TProgressBar::GetPosition() const {
    return HandleAllocated() ? int(SendMessageW(WindowHandle(), PBM_GETPOS, 0, 0)) : position_;
}

void TProgressBar::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::AutomationFields(std::vector<std::pair<std::string, std::wstring>>& fields) const {
    fields.emplace_back("position", std::to_wstring(GetPosition()));
    fields.emplace_back("min", std::to_wstring(min_));
    fields.emplace_back("max", std::to_wstring(max_));
}
