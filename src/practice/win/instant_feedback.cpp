#include "practice/win/instant_feedback.h"

#include "drill/answer_codes.h"

void InstantFeedback::Refresh() {
    card_.ShowCard();
    card_.Label12->Caption = L"";
}

void InstantFeedback::Previous() {
    if (!card_.Query->Active()) return;
    card_.Query->Prior();
    Refresh();
}

void InstantFeedback::Next() {
    if (!card_.Query->Active()) return;
    card_.Query->Next();
    Refresh();
}

void InstantFeedback::Answer(int code) {
    TADOQuery* query = card_.Query;
    if (!query->Active() || query->IsEmpty()) return;
    const std::string daan = TrimBlanks(query->FieldByName("daan")->AsString());
    if (JudgeAnswer(code, daan) == 1) {
        // On the last question the move stays put and the card is refreshed in place.
        Next();
        return;
    }
    if (const auto text = CorrectAnswerText(daan)) card_.Label12->Caption = *text;
}
