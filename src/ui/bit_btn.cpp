#include "ui/bit_btn.h"

#include "ui/form.h"

TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner) {
    width_ = 75;
    height_ = 25;
    SetTabStop(true);
}

void TBitBtn::CreateParams(TCreateParams& params) {
    params.systemClass = L"BUTTON";
    params.style |= WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TBitBtn::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    default_ = isDefault;
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TBitBtn::Click() {
    if (!enabled_) return;
    if (ModalResult != mrNone) {
        if (TForm* form = ParentForm()) form->ModalResult = ModalResult;
    }
    TWinControl::Click();
}

void TBitBtn::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_COMMAND:
            if (HIWORD(message.WParam) == BN_CLICKED) Click();
            message.Result = 0;
            return;
        case CM_DIALOGKEY: {
            const bool enter = message.WParam == VK_RETURN && (default_ || Focused());
            const bool escape = message.WParam == VK_ESCAPE && cancel_;
            if ((enter || escape) && CanFocus()) {
                Click();
                message.Result = 1;
            }
            return;
        }
    }
    TWinControl::WndProc(message);
}
