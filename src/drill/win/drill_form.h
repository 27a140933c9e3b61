#pragma once
// The opening the drill windows share: a white window centred on the desktop in the program's
// 12 px 宋体, its queries named and bound before the window opens them, white unbevelled
// panels for the card and the right-hand column, and the exam-like windows' clock.
#include <string_view>

#include "data/ado_query.h"
#include "ui/builders.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/timer.h"

class TADOConnection;

// Names and captions the form, sizes it at the origin (the position centres it) and gives it
// the white colour and 12 px 宋体 in the window-text colour.
void PrepareDrillForm(TForm* form, const wchar_t* name, const wchar_t* caption, int width, int height,
                      TPosition position = poDesktopCenter);

// Names a query and binds it to `connection` with `statement` as its text; the window opens it.
void PrepareQuery(TADOQuery* query, const char* name, TADOConnection* connection, std::string_view statement);

// A white panel without bevels owned by and placed on `form`.
TPanel* PlacePlainPanel(TForm* form, const wchar_t* name, TBounds bounds);

// The exam-like windows' clock beside the card's heading: the caption "剩余时间：" (Label17)
// and the time in red (Label16), which reads kClockStartLabel until the paper starts.
struct ClockLabels {
    TLabel* Label17;
    TLabel* Label16;
};
ClockLabels PlaceClockLabels(TForm* form);

// The clock's one-second Timer1, stopped until the first key starts the paper.
TTimer* MakeClockTimer(TForm* form, TNotifyEvent onTick);
