#pragma once
// The question card every drill window places on itself: the heading, the question text, the
// picture frame, two or three options behind their numbered badges, the answer or feedback
// line and, in the exam-like windows, the correct-answer label. The text parts are bound to
// the window's question query and follow its current row by themselves; the window calls
// ShowCard after each move for the third badge and the picture.
#include "data/ado_query.h"
#include "ui/db_text.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"

// Which heading the card shows: the position on a 100-question paper (the exam-like windows)
// or the question's id and book number (the practice windows).
enum class CardHeading { kPaperPosition, kIdAndBookNumber };

class QuestionCard {
public:
    // Creates the card's components, owned by `form` and placed on `parent` with their top
    // left corner at (left, top), bound to `query`. `width` is the card's width.
    QuestionCard(TComponent* form, TWinControl* parent, TADOQuery* query, CardHeading heading, int left, int top,
                 int width);
    QuestionCard(const QuestionCard&) = delete;
    QuestionCard& operator=(const QuestionCard&) = delete;

    // Steps 2 and 3 of showing the card after a move (the bound texts have followed the row
    // already): the third badge from trimmed C, then the picture.
    void ShowCard();
    // Shows the current row's picture at its own size, centred and cut at the frame; an
    // empty `image` clears the frame. Bytes that are not a bitmap raise EInvalidGraphic and
    // leave the frame as it was.
    void tpxs();
    // The third badge from the question kind instead of C: hidden for 判断题, shown for
    // 单项选择题, left as it is for anything else.
    void SetThirdBadgeFromKind();
    bool ThirdOptionShown() const { return Image5->Visible; }

    TADOQuery* const Query;

    // Heading: "第" <number> "题". Label14 is the paper position (exam-like windows); DBText4
    // and DBText5 are the id and tihao (practice windows). The ones not used are nullptr.
    TLabel* LabelDi;
    TLabel* LabelTi;
    TLabel* Label14 = nullptr;
    TDBText* DBText4 = nullptr;
    TDBText* DBText5 = nullptr;
    TLabel* Label12;  // answer label / feedback line
    TLabel* Label21 = nullptr;  // correct-answer label (exam-like windows)
    TPanel* TextFrame;
    TDBText* DBText6;  // timu
    TPanel* PictureFrame;
    TImage* Image2;    // the picture
    TImage* Image3;    // badges 1..3
    TImage* Image4;
    TImage* Image5;
    TDBText* DBText1;  // options A..C
    TDBText* DBText2;
    TDBText* DBText3;
};
