#include "exam/win/answer_sheet.h"

#include "exam/exam_paper.h"

namespace {

constexpr int kLegendTop = 4;
constexpr int kLineHeight = 14;
constexpr int kCellWidth = 21;
constexpr int kCellHeight = 14;

TLabel* MakeLabel(TComponent* form, TPanel* panel, const std::wstring& name, const std::wstring& caption, int left,
                  int top, int width, int height, int fontHeight, TColor colour) {
    TLabel* label = new TLabel(form);
    label->Name = name;
    label->Caption = caption;
    label->SetBounds(left, top, width, height);
    label->Parent = panel;
    label->Font->Name = L"宋体";
    label->Font->Height = fontHeight;
    label->Font->Style = fsBold;
    label->Font->Color = colour;
    return label;
}

}  // namespace

AnswerSheet::AnswerSheet(TComponent* form, TPanel* panel, std::initializer_list<const wchar_t*> legend) : form_(form) {
    int top = kLegendTop;
    int line = 0;
    const int width = panel->Width - 8;
    for (const wchar_t* text : legend) {
        MakeLabel(form, panel, L"Legend" + std::to_wstring(++line), text, 4, top, width, kLineHeight, 12, clBlack);
        top += kLineHeight;
    }
    MakeLabel(form, panel, L"KeyRed", kAnsweredKey, 4, top, width, kLineHeight, 12, clRed);
    MakeLabel(form, panel, L"KeyBlack", kUnansweredKey, 4, top + kLineHeight, width, kLineHeight, 12, clBlack);
    MakeLabel(form, panel, L"KeyBlue", kWrongKey, 4, top + 2 * kLineHeight, width, kLineHeight, 12, clBlue);
    const int sheetTop = top + 3 * kLineHeight + 2;
    for (int p = 1; p <= kPaperSize; ++p) {
        const int row = (p - 1) / 10;
        const int column = (p - 1) % 10;
        TLabel* cell = MakeLabel(form, panel, L"L" + std::to_wstring(p), std::to_wstring(p), 4 + column * kCellWidth,
                                 sheetTop + row * kCellHeight, kCellWidth, kCellHeight, 14, clBlack);
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
