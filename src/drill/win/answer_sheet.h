#pragma once
// The right-hand panel of the exam-like windows: the key legend, the colour key and the answer
// sheet of 100 cells L1..L100 in ten rows of ten. The cells only show; a cell is found by its
// name, the letter L and the position.
#include <initializer_list>
#include <string>

#include "ui/label.h"
#include "ui/panel.h"

class AnswerSheet {
public:
    // Creates the legend lines (one label each, in order) and the cells on `panel`, owned by
    // `form`.
    AnswerSheet(TComponent* form, TPanel* panel, std::initializer_list<const wchar_t*> legend);
    // The same with red note lines between the colour key and the cells.
    AnswerSheet(TComponent* form, TPanel* panel, std::initializer_list<const wchar_t*> legend,
                std::initializer_list<const wchar_t*> notes);

    // The cell of a position 1..100 (nullptr outside).
    TLabel* Cell(int position) const;
    void Colour(int position, TColor colour);
    void ColourAll(TColor colour);

private:
    TComponent* form_;
};

// The colour key under every exam-like window's legend.
inline constexpr const wchar_t* kAnsweredKey = L"红色-->已答题目";
inline constexpr const wchar_t* kUnansweredKey = L"黑色-->未答题目";
inline constexpr const wchar_t* kWrongKey = L"蓝色-->错误题目[交卷后]";
