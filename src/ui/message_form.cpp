#include "ui/message_form.h"

#include <algorithm>

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMinClientWidth = 180;

}  // namespace

TMessageForm::TMessageForm(const std::wstring& text, const std::wstring& caption, HWND ownerWindow)
    : TForm(nullptr), text_(text), ownerWindow_(ownerWindow) {
    Name = L"MessageForm";
    Caption = caption;
    BorderStyle = bsDialog;
    BorderIcons = biSystemMenu;
    Position = poScreenCenter;

    Message = new TLabel(this);
    Message->Name = L"Message";
    Message->Parent = this;
    Message->WordWrap = true;
    Message->Caption = text;

    OKButton = new TBitBtn(this);
    OKButton->Name = L"OKButton";
    OKButton->Parent = this;
    OKButton->Caption = L"确定";
    OKButton->ModalResult = mrOk;
    OKButton->Default = true;
    OKButton->Cancel = true;
    OKButton->SetControlId(IDOK);

    // Lay the text out in at most half the screen's width, as wide as it needs.
    const int maxWidth = std::max(200, GetSystemMetrics(SM_CXSCREEN) / 2);
    RECT textRect{0, 0, maxWidth, 0};
    {
        ClientDC screen(nullptr);
        SelectGuard font(screen.Get(), Font->Handle());
        const std::wstring measured = text.empty() ? std::wstring(L" ") : text;
        DrawTextW(screen.Get(), measured.c_str(), int(measured.size()), &textRect,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    }
    const int textWidth = int(textRect.right);
    const int textHeight = int(textRect.bottom);
    const int clientWidth = std::max({textWidth + 2 * kMargin, kButtonWidth + 2 * kMargin, kMinClientWidth});
    Message->SetBounds(kMargin, kMargin, textWidth, textHeight);
    OKButton->SetBounds((clientWidth - kButtonWidth) / 2, kMargin + textHeight + kGap, kButtonWidth, kButtonHeight);
    SetClientSize(clientWidth, kMargin + textHeight + kGap + kButtonHeight + kMargin);
}

void TMessageForm::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    if (ownerWindow_) params.parent = ownerWindow_;
}
