#include "ui/date_time_picker.h"

#include <commctrl.h>

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    width_ = 186;
    height_ = 21;
    color_ = clWindow;
    SetTabStop(true);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    params.systemClass = DATETIMEPICK_CLASSW;
    params.style |= WS_TABSTOP | (kind_ == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT);
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    RecreateWnd();  // the format is fixed when the window is made
}
