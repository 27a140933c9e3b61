#include "drill/win/answer_sheet.h"

#include <algorithm>

#include "drill/exam_paper.h"
#include "ui/builders.h"

namespace {

constexpr int kLegendTop = 4;
constexpr int kLineHeight = 14;
constexpr int kSheetLeft = 1;
constexpr int kCellWidth = 21;
constexpr int kCellHeight = 14;

}  // namespace

AnswerSheet::AnswerSheet(TComponent* form, TPanel* panel, std::initializer_list<const wchar_t*> legend)
    : AnswerSheet(form, panel, legend, {}) {}

AnswerSheet::AnswerSheet(TComponent* form, TPanel* panel, std::initializer_list<const wchar_t*> legend,
                         std::initializer_list<const wchar_t*> notes)
    : form_(form) {
    int top = kLegendTop;
    int line = 0;
    const int width = panel->Width - 8;
    for (const wchar_t* text : legend) {
        SongLabel(form, panel, (L"Legend" + std::to_wstring(++line)).c_str(), text, {4, top, width, kLineHeight}, 12, clBlack);
        top += kLineHeight;
    }
    SongLabel(form, panel, L"KeyRed", kAnsweredKey, {4, top, width, kLineHeight}, 12, clRed);
    SongLabel(form, panel, L"KeyBlack", kUnansweredKey, {4, top + kLineHeight, width, kLineHeight}, 12, clBlack);
    SongLabel(form, panel, L"KeyBlue", kWrongKey, {4, top + 2 * kLineHeight, width, kLineHeight}, 12, clBlue);
    top += 3 * kLineHeight;
    line = 0;
    // A note may be as wide as the panel leaves it; one that is wider still goes on over
    // more lines rather than being cut.
    for (const wchar_t* text : notes) {
        TLabel* note = SongLabel(form, panel, (L"Note" + std::to_wstring(++line)).c_str(), text,
                                 {4, top, panel->Width - 4, kLineHeight}, 12, clRed);
        note->WordWrap = true;
        note->AutoSize = true;
        top += std::max(note->Height.Get(), kLineHeight);
    }
    const int sheetTop = top + 2;
    for (int p = 1; p <= kPaperSize; ++p) {
        const int row = (p - 1) / 10;
        const int column = (p - 1) % 10;
        // The last column reaches the panel's edge: "100" in bold 14 px is wider than a column.
        const int cellLeft = kSheetLeft + column * kCellWidth;
        const int cellWidth = column == 9 ? panel->Width - cellLeft : kCellWidth;
        TLabel* cell = SongLabel(form, panel, (L"L" + std::to_wstring(p)).c_str(), std::to_wstring(p),
                                 {cellLeft, sheetTop + row * kCellHeight, cellWidth, kCellHeight}, 14, clBlack);
        cell->Alignment = taCenter;
    }
}

TLabel* AnswerSheet::Cell(int position) const {
    return dynamic_cast<TLabel*>(form_->FindComponent(L"L" + std::to_wstring(position)));
}

void AnswerSheet::Colour(int position, TColor colour) {
    if (TLabel* cell = Cell(position)) cell->Font->Color = colour;
}

void AnswerSheet::ColourAll(TColor colour) {
    for (int p = 1; p <= kPaperSize; ++p) Colour(p, colour);
}
