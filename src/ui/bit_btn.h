#pragma once
// TBitBtn: a push button (the system "BUTTON" class, which the skin engine paints over). Its
// parent reflects BN_CLICKED back to it (CN_COMMAND), which runs Click(): OnClick, and the
// form's ModalResult when the button has one. Enter clicks the focused button (and the
// Default one), Escape the Cancel one; Space is the system button's own.
#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/bit_button_layout.h"
#include "ui/win_control.h"

class TBitBtn : public TWinControl {
public:
    explicit TBitBtn(TComponent* owner);
    std::wstring ClassName() const override { return L"TBitBtn"; }

    bool GetDefault() const { return default_; }
    void SetDefault(bool isDefault);
    bool GetCancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    Property<&TBitBtn::GetDefault, &TBitBtn::SetDefault> Default{this};
    Property<&TBitBtn::GetCancel, &TBitBtn::SetCancel> Cancel{this};

    // Given to the form on a click (mrNone: none).
    int ModalResult = mrNone;

    // The picture beside the caption: NumGlyphs pictures side by side (the first is the
    // normal look); its top-left pixel's colour is transparent. The skinned button draws
    // it where Layout, Margin (-1: centred) and Spacing (-1: spread) put it.
    Bitmap32 Glyph;
    int NumGlyphs = 1;
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    bool default_ = false;
    bool cancel_ = false;
};
