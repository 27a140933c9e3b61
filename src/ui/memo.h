#pragma once
// TMemo: a multi-line entry field (the system "EDIT" class) with the scroll bars ScrollBars
// asks for; without a horizontal bar the lines wrap. TRichEdit: the same over the system's
// rich-text control (RichEdit 2.0), plain text only here.
#include "ui/edit.h"
#include "ui/win_control.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);
    std::wstring ClassName() const override { return L"TMemo"; }

    TScrollStyle GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    Property<&TMemo::GetScrollBars, &TMemo::SetScrollBars> ScrollBars{this};
    Property<&TMemo::GetReadOnly, &TMemo::SetReadOnly> ReadOnly{this};
    // The text; lines are separated by CR LF.
    Property<&TControl::GetCaption, &TControl::SetCaption> Text{this};

    // The first line shown.
    int TopLine() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void ColorChanged() override;

private:
    TScrollStyle scrollBars_ = ssNone;
    bool readOnly_ = false;
    Gdi<HBRUSH> brush_;
};

class TRichEdit : public TMemo {
public:
    explicit TRichEdit(TComponent* owner);
    std::wstring ClassName() const override { return L"TRichEdit"; }

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void ColorChanged() override;
};
