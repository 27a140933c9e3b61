#include "drill/exam_paper.h"

#include <algorithm>
#include <chrono>

#include "drill/answer_codes.h"

void ExamPaper::ResetAnswers() {
    given_answers.fill(0);
    verdicts.fill(0);
    current_index = 1;
    handed_in = "f";
}

void ExamPaper::RecordAnswer(int position, int code, std::string_view daan) {
    if (position < 1 || position > kPaperSize) return;
    given_answers[size_t(position)] = code;
    if (const int verdict = JudgeAnswer(code, daan); verdict != 0) verdicts[size_t(position)] = verdict;
}

int ExamPaper::FirstUnanswered() const {
    for (int p = 1; p <= kPaperSize; ++p) {
        if (given_answers[size_t(p)] == 0) return p;
    }
    return 0;
}

std::vector<int> ExamPaper::PositionsNotRight() const {
    std::vector<int> positions;
    for (int p = 1; p <= kPaperSize; ++p) {
        if (verdicts[size_t(p)] != 1) positions.push_back(p);
    }
    return positions;
}

int ExamPaper::Score() const { return kPaperSize - int(PositionsNotRight().size()); }

namespace {

uint64_t FreshSeed() {
    std::random_device entropy;
    const uint64_t clock = uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    return clock ^ (uint64_t(entropy()) << 32) ^ entropy();
}

}  // namespace

PaperDraw::PaperDraw(int questionCount) : PaperDraw(questionCount, FreshSeed()) {}

PaperDraw::PaperDraw(int questionCount, uint64_t seed) : questionCount_(std::max(questionCount, 0)), random_(seed) {}

int PaperDraw::Draw(std::span<const int> taken) {
    if (questionCount_ < 1) return 0;
    std::vector<int> used;
    used.reserve(taken.size());
    for (int id : taken) {
        if (id >= 1 && id <= questionCount_) used.push_back(id);
    }
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    const int free = questionCount_ - int(used.size());
    if (free <= 0) return std::uniform_int_distribution<int>(1, questionCount_)(random_);
    // The k-th free number: walk the sorted used numbers, skipping past each one at or
    // below the candidate.
    int candidate = std::uniform_int_distribution<int>(1, free)(random_);
    for (int id : used) {
        if (id <= candidate) ++candidate;
        else break;
    }
    return candidate;
}
