#pragma once
// What the practice windows with instant feedback do on their card: moving refreshes it (third
// badge, picture, feedback line cleared); a right answer moves on, a wrong one names the right
// option in the feedback line and stays. Moving past either end stays on the question.
#include "drill/win/question_card.h"

class InstantFeedback {
public:
    explicit InstantFeedback(QuestionCard& card) : card_(card) {}

    // The third badge from trimmed C, the picture, then the feedback line cleared.
    void Refresh();
    void Previous();
    void Next();
    // Answer code 1..3. An empty set changes nothing; a stored answer other than A, B or C
    // is never right and leaves the feedback line as it was.
    void Answer(int code);

private:
    QuestionCard& card_;
};
