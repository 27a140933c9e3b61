#pragma once
// TDateTimePicker: a date or a time in the system's picker ("SysDateTimePick32"); a date
// drops a month calendar, a time steps with an up-down.
#include "ui/win_control.h"

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);
    std::wstring ClassName() const override { return L"TDateTimePicker"; }

    TDateTimeKind GetKind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    Property<&TDateTimePicker::GetKind, &TDateTimePicker::SetKind> Kind{this};

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TDateTimeKind kind_ = dtkDate;
};
