#include "ui/memo.h"

#include <richedit.h>

// ---- TMemo

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 89;
    color_ = clWindow;
    SetTabStop(true);
}

void TMemo::CreateParams(TCreateParams& params) {
    params.systemClass = L"EDIT";
    params.style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | (readOnly_ ? ES_READONLY : 0);
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.style |= WS_VSCROLL;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::SetScrollBars(TScrollStyle style) {
    if (style == scrollBars_) return;
    scrollBars_ = style;
    RecreateWnd();  // wrapping is fixed when the window is made
}

void TMemo::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETREADONLY, readOnly, 0);
}

int TMemo::TopLine() const {
    return HandleAllocated() ? int(SendMessageW(WindowHandle(), EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
}

void TMemo::ColorChanged() {
    brush_.Reset();
    TWinControl::ColorChanged();
}

void TMemo::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC:
            message.Result = ControlColors(reinterpret_cast<HDC>(message.WParam), color_, Font->GetColor(), brush_);
            return;
    }
    TWinControl::WndProc(message);
}

// ---- TRichEdit

TRichEdit::TRichEdit(TComponent* owner) : TMemo(owner) {
    // The class is registered by its library; it stays loaded for the process.
    static const HMODULE library = LoadLibraryW(L"riched20.dll");
    (void)library;
}

void TRichEdit::CreateParams(TCreateParams& params) {
    TMemo::CreateParams(params);
    params.systemClass = RICHEDIT_CLASSW;
    // The rich-text control shows its bars only while there is something to scroll.
    params.style &= ~DWORD(ES_WANTRETURN);
}

void TRichEdit::InitWnd() {
    TMemo::InitWnd();
    SendMessageW(WindowHandle(), EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(color_)));
}

void TRichEdit::ColorChanged() {
    TMemo::ColorChanged();
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(color_)));
}
