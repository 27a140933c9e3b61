#pragma once
// TEdit: a single-line entry field (the system "EDIT" class). Its WindowProc hands typed
// characters to OnKeyPress and key-downs to OnKeyDown, so a form can keep the focus in a
// read-only field and take every key there. Enter, Escape and Tab reach OnKeyPress as
// characters 13, 27 and 9 but never the system edit, which would only beep at them; a
// read-only field passes no printable characters to the system edit either.
#include "ui/win_control.h"

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    std::wstring ClassName() const override { return L"TEdit"; }

    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    int GetSelStart() const;
    void SetSelStart(int position);

    // The text (the same as Caption).
    Property<&TControl::GetCaption, &TControl::SetCaption> Text{this};
    Property<&TEdit::GetReadOnly, &TEdit::SetReadOnly> ReadOnly{this};
    // bsSingle: a sunken border; bsNone: none.
    Property<&TEdit::GetBorderStyle, &TEdit::SetBorderStyle> BorderStyle{this};
    // The caret position (setting it clears the selection).
    Property<&TEdit::GetSelStart, &TEdit::SetSelStart> SelStart{this};

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;
    void ColorChanged() override;

private:
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    int selStart_ = 0;
    Gdi<HBRUSH> brush_;
};

// The background brush and colours a control picks in answer to a reflected WM_CTLCOLOR*.
LRESULT ControlColors(HDC dc, TColor background, TColor text, Gdi<HBRUSH>& brush);
