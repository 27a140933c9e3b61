#pragma once
// One-call construction of a form's components, so that a form's constructor reads like its
// layout table: create, name, bounds and parent in one call, the program's 宋体 font in
// another.
#include "ui/control.h"
#include "ui/label.h"
#include "ui/win_control.h"

struct TBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A component of type T owned by `owner`, named, placed at `bounds` on `parent`.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const wchar_t* name, TBounds bounds) {
    T* control = new T(owner);
    control->Name = name;
    control->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    control->Parent = parent;
    return control;
}

// Gives a control the program's face, 宋体, at a pixel height, colour and style.
void SetSongFont(TControl* control, int height, TColor colour = clBlack, TFontStyles style = fsBold);

// A 宋体 label with its caption.
TLabel* SongLabel(TComponent* owner, TWinControl* parent, const wchar_t* name, const std::wstring& caption,
                  TBounds bounds, int fontHeight, TColor colour = clBlack, TFontStyles style = fsBold);

// A link label: blue, underlined, with the hand cursor; `onClick` runs on a click.
TLabel* LinkLabel(TComponent* owner, TWinControl* parent, const wchar_t* name, const std::wstring& caption,
                  TBounds bounds, int fontHeight, TNotifyEvent onClick);
