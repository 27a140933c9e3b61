#pragma once
// The paper of the exam-like windows (the mock exam and by-set practice): which question
// stands at each of the 100 positions, the learner's answers and their verdicts, the
// position on the card, whether the paper has ended, and the end-of-paper marking.
#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kPaperSize = 100;

// Texts of the exam-like windows.
inline constexpr const wchar_t* kLastQuestionMessage = L"已经到最后一题";
inline constexpr const wchar_t* kHandInQuestion = L"确实要交卷吗？";
inline constexpr const wchar_t* kPromptCaption = L"提示";
inline constexpr const wchar_t* kCloseRefusedMessage = L"已经开始作题，交卷后才能关闭";
inline constexpr const wchar_t* kScorePrefix = L"你的成绩为：";

struct ExamPaper {
    // Entries 1..100 are used, as the windows number positions; entry 0 stays 0.
    std::array<int, kPaperSize + 1> paper_ids{};
    std::array<int, kPaperSize + 1> given_answers{};  // 0 none yet, else the answer code 1..3
    std::array<int, kPaperSize + 1> verdicts{};       // 0 not judged, 1 right, 2 wrong
    int current_index = 1;
    std::string handed_in = "f";  // "t" once handed in or timed out

    // A fresh, open paper: no answers, no verdicts, position 1. The questions stay.
    void ResetAnswers();
    bool Ended() const { return handed_in == "t"; }

    // Records answer `code` at `position`; the verdict follows the trimmed `daan` and is left
    // as it was when daan is none of A, B, C.
    void RecordAnswer(int position, int code, std::string_view daan);

    // The first position without an answer, or 0 when every position has one.
    int FirstUnanswered() const;

    // The positions whose verdict is not "right" (wrong or unanswered), in order; the score
    // is 100 minus their number.
    std::vector<int> PositionsNotRight() const;
    int Score() const;
};

// Draws the random paper of the mock exam. Each draw picks uniformly among the question
// numbers 1..questionCount not yet on the paper, so it always ends after one pick, and the
// generator is seeded once per paper from a high-resolution clock and the system's entropy.
class PaperDraw {
public:
    explicit PaperDraw(int questionCount);
    PaperDraw(int questionCount, uint64_t seed);  // for reproducible tests

    // A number for position n, distinct from `taken` (the numbers at positions 1..n-1). When
    // the bank is smaller than the paper and every number is taken, numbers repeat.
    int Draw(std::span<const int> taken);
    int QuestionCount() const { return questionCount_; }

private:
    int questionCount_;
    std::mt19937_64 random_;
};
