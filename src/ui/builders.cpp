#include "ui/builders.h"

#include <utility>

void SetSongFont(TControl* control, int height, TColor colour, TFontStyles style) {
    control->Font->Name = L"宋体";
    control->Font->Height = height;
    control->Font->Color = colour;
    control->Font->Style = style;
}

TLabel* SongLabel(TComponent* owner, TWinControl* parent, const wchar_t* name, const std::wstring& caption,
                  TBounds bounds, int fontHeight, TColor colour, TFontStyles style) {
    TLabel* label = Place<TLabel>(owner, parent, name, bounds);
    label->Caption = caption;
    SetSongFont(label, fontHeight, colour, style);
    return label;
}

TLabel* LinkLabel(TComponent* owner, TWinControl* parent, const wchar_t* name, const std::wstring& caption,
                  TBounds bounds, int fontHeight, TNotifyEvent onClick) {
    TLabel* label = SongLabel(owner, parent, name, caption, bounds, fontHeight, clBlue, fsBold | fsUnderline);
    label->Cursor = crHandPoint;
    label->OnClick = std::move(onClick);
    return label;
}
