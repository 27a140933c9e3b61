#include "drill/keypad_scheme.h"

#include <utility>

#include "drill/answer_codes.h"

namespace {

void Run(const std::function<void()>& action) {
    if (action) action();
}

}  // namespace

KeypadScheme::KeypadScheme(std::vector<DrillKey> rows, DrillActions actions, bool upCloses)
    : rows_(std::move(rows)), actions_(std::move(actions)), upCloses_(upCloses) {}

bool KeypadScheme::KeyPress(wchar_t key) const {
    for (DrillKey row : rows_) {
        switch (row) {
            case DrillKey::kAnswer:
                if (key == L'1' || key == L'2') {
                    if (actions_.answer) actions_.answer(AnswerCodeOfKey(key));
                    return true;
                }
                if (key == L'3') {
                    // Two-option question: "3" does nothing at all, not even clear a label.
                    if (actions_.answer && actions_.thirdOptionShown && actions_.thirdOptionShown()) actions_.answer(3);
                    return true;
                }
                break;
            case DrillKey::kPrevious:
                if (key == L'4') return Run(actions_.previous), true;
                break;
            case DrillKey::kNext:
                if (key == L'6') return Run(actions_.next), true;
                break;
            case DrillKey::kClose:
                if (key == L'8') return Run(actions_.close), true;
                break;
            case DrillKey::kJump:
                if (key == L'9') return Run(actions_.jump), true;
                break;
            case DrillKey::kAdd:
                if (key == L'0') return Run(actions_.add), true;
                break;
            case DrillKey::kFirstUnanswered:
                if (key == L'5') return Run(actions_.firstUnanswered), true;
                break;
            case DrillKey::kHandIn:
                if (key == L'*' || key == L'+') return Run(actions_.handIn), true;
                break;
            case DrillKey::kRemove:
                if (key == L'5') return Run(actions_.remove), true;
                break;
            case DrillKey::kClear:
                if (key == L'7') return Run(actions_.clear), true;
                break;
        }
    }
    return false;
}

bool KeypadScheme::KeyDown(uint16_t vk) const {
    if (vk == kVkLeft) return Run(actions_.previous), true;
    if (vk == kVkRight) return Run(actions_.next), true;
    if (upCloses_ && (vk == kVkUp || vk == kVk8)) return Run(actions_.close), true;
    return false;
}
