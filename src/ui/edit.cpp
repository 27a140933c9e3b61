#include "ui/edit.h"

LRESULT ControlColors(HDC dc, TColor background, TColor text, Gdi<HBRUSH>& brush) {
    SetTextColor(dc, ColorToRGB(text));
    SetBkColor(dc, ColorToRGB(background));
    if (!brush) brush.Reset(CreateSolidBrush(ColorToRGB(background)));
    return reinterpret_cast<LRESULT>(brush.Get());
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = 21;
    color_ = clWindow;
    SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params) {
    params.systemClass = L"EDIT";
    params.style |= WS_TABSTOP | ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
    if (borderStyle_ == bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::InitWnd() {
    TWinControl::InitWnd();
    SendMessageW(WindowHandle(), EM_SETSEL, selStart_, selStart_);
}

void TEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETREADONLY, readOnly, 0);
}

void TEdit::SetBorderStyle(TBorderStyle style) {
    if (style != bsNone) style = bsSingle;
    if (style == borderStyle_) return;
    borderStyle_ = style;
    if (!HandleAllocated()) return;
    HWND hwnd = WindowHandle();
    LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    ex = borderStyle_ == bsSingle ? (ex | WS_EX_CLIENTEDGE) : (ex & ~LONG_PTR(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TEdit::GetSelStart() const {
    if (!HandleAllocated()) return selStart_;
    DWORD start = 0;
    SendMessageW(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return int(start);
}

void TEdit::SetSelStart(int position) {
    selStart_ = position < 0 ? 0 : position;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETSEL, selStart_, selStart_);
}

void TEdit::ColorChanged() {
    brush_.Reset();
    TWinControl::ColorChanged();
}

void TEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_CHAR: {
            if (DoKeyPress(message)) return;
            const wchar_t key = wchar_t(message.WParam);
            const bool lineKey = key == L'\r' || key == L'\n' || key == L'\t' || key == 27;
            if (lineKey || (readOnly_ && key >= L' ')) {
                message.Result = 0;
                return;
            }
            DefaultHandler(message);
            return;
        }
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC:
            message.Result = ControlColors(reinterpret_cast<HDC>(message.WParam), color_, Font->GetColor(), brush_);
            return;
    }
    TWinControl::WndProc(message);
}
