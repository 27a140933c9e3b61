#pragma once
// The keys the drill windows share. Each window lists the rows it has, in its own order, and
// gives the actions; a typed character runs the first row that takes it, so the main
// keyboard's digits and the keypad's act alike. Arrow keys arrive as key-downs (with Num Lock
// off the keypad's 4, 6 and 8 arrive as the arrows).
#include <cstdint>
#include <functional>
#include <vector>

enum class DrillKey {
    kAnswer,           // "1", "2", "3" ("3" only while the third option is shown)
    kPrevious,         // "4"
    kNext,             // "6"
    kClose,            // "8"
    kJump,             // "9"
    kAdd,              // "0": put the question on the intensive list
    kFirstUnanswered,  // "5" in the mock exam
    kHandIn,           // "*" or "+"
    kRemove,           // "5" in intensive practice
    kClear,            // "7" in intensive practice
};

struct DrillActions {
    std::function<void(int code)> answer;  // code 1..3
    std::function<bool()> thirdOptionShown;
    std::function<void()> previous;
    std::function<void()> next;
    std::function<void()> close;
    std::function<void()> jump;
    std::function<void()> add;
    std::function<void()> firstUnanswered;
    std::function<void()> handIn;
    std::function<void()> remove;
    std::function<void()> clear;
};

class KeypadScheme {
public:
    // `upCloses`: VK_UP and the main keyboard's 8 key-down close the window (the windows that
    // take their keys in a read-only field, and intensive practice).
    KeypadScheme(std::vector<DrillKey> rows, DrillActions actions, bool upCloses = false);

    // A typed character: runs the first row that takes it. True when a row took it (a "3"
    // ignored for a two-option question counts as taken).
    bool KeyPress(wchar_t key) const;
    // A key-down: the arrows move, and VK_UP or 0x38 close where the window has that.
    bool KeyDown(uint16_t vk) const;

private:
    std::vector<DrillKey> rows_;
    DrillActions actions_;
    bool upCloses_;
};
