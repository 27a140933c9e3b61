#include "drill/win/drill_form.h"

#include "drill/exam_clock.h"

void PrepareDrillForm(TForm* form, const wchar_t* name, const wchar_t* caption, int width, int height,
                      TPosition position) {
    form->Name = name;
    form->Caption = caption;
    form->SetBounds(0, 0, width, height);
    form->Color = clWhite;
    form->Position = position;
    SetSongFont(form, 12, clWindowText, 0);
}

void PrepareQuery(TADOQuery* query, const char* name, TADOConnection* connection, std::string_view statement) {
    query->Name = name;
    query->Connection = connection;
    query->SQL.SetText(statement);
}

TPanel* PlacePlainPanel(TForm* form, const wchar_t* name, TBounds bounds) {
    TPanel* panel = Place<TPanel>(form, form, name, bounds);
    panel->Color = clWhite;
    panel->BevelOuter = bvNone;
    return panel;
}

ClockLabels PlaceClockLabels(TForm* form) {
    return {SongLabel(form, form, L"Label17", L"剩余时间：", {372, 26, 86, 20}, 16, clBlack),
            SongLabel(form, form, L"Label16", kClockStartLabel, {458, 26, 60, 20}, 16, clRed)};
}

TTimer* MakeClockTimer(TForm* form, TNotifyEvent onTick) {
    auto* timer = new TTimer(form);
    timer->Name = L"Timer1";
    timer->Enabled = false;
    timer->Interval = 1000;
    timer->OnTimer = std::move(onTick);
    return timer;
}
