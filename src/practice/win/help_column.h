#pragma once
// The right-hand column of a practice window: the decorative picture Image1 on top and, below
// it, the help panel Panel1 listing the window's keys one caption per line.
#include <initializer_list>
#include <vector>

#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"

struct HelpLine {
    const wchar_t* name;     // the label's component name
    const wchar_t* caption;  // shown exactly, trailing blanks included
};

struct HelpColumn {
    TImage* Image1;
    TPanel* Panel1;
    std::vector<TLabel*> Lines;  // in the order given
};

// Places the column at `left` in the form's client area, the lines from the top of the panel.
HelpColumn PlaceHelpColumn(TForm* form, int left, std::initializer_list<HelpLine> lines);
