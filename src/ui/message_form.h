#pragma once
// The box ShowMessage shows: a form of class "TMessageForm" with the application title as
// caption, the text, and one OK button "确定" that Enter, Space and Escape press.
#include "ui/bit_btn.h"
#include "ui/form.h"
#include "ui/label.h"

class TMessageForm : public TForm {
public:
    // ownerWindow: the window the box belongs to (it stays above it), or nullptr for the
    // application window.
    TMessageForm(const std::wstring& text, const std::wstring& caption, HWND ownerWindow);
    std::wstring ClassName() const override { return L"TMessageForm"; }

    const std::wstring& Text() const { return text_; }

    TLabel* Message;
    TBitBtn* OKButton;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    std::wstring text_;
    HWND ownerWindow_;
};
