// The shared key rows: each window's rows run their actions for the keypad's characters and
// the arrows, and keys a window has no row for do nothing there.
#include <gtest/gtest.h>

#include <string>

#include "drill/answer_codes.h"
#include "drill/keypad_scheme.h"

namespace {

// Records which action each key ran, as a letter per action.
struct Recorder {
    std::string log;
    bool third = true;
    DrillActions Actions() {
        DrillActions a;
        a.answer = [this](int code) { log += char('0' + code); };
        a.thirdOptionShown = [this] { return third; };
        a.previous = [this] { log += 'p'; };
        a.next = [this] { log += 'n'; };
        a.close = [this] { log += 'c'; };
        a.jump = [this] { log += 'j'; };
        a.add = [this] { log += 'a'; };
        a.firstUnanswered = [this] { log += 'u'; };
        a.handIn = [this] { log += 'h'; };
        a.remove = [this] { log += 'r'; };
        a.clear = [this] { log += 'x'; };
        return a;
    }
    std::string Type(const KeypadScheme& scheme, std::wstring_view keys) {
        log.clear();
        for (wchar_t k : keys) scheme.KeyPress(k);
        return log;
    }
};

}  // namespace

TEST(KeypadScheme, EachWindowHasItsOwnRows) {
    Recorder r;
    const KeypadScheme exam({DrillKey::kHandIn, DrillKey::kJump, DrillKey::kPrevious, DrillKey::kNext, DrillKey::kClose,
                             DrillKey::kAnswer, DrillKey::kFirstUnanswered},
                            r.Actions());
    EXPECT_EQ(r.Type(exam, L"0123456789*+7a"), "123puncjhh");
    const KeypadScheme intensive({DrillKey::kRemove, DrillKey::kClear, DrillKey::kPrevious, DrillKey::kNext,
                                  DrillKey::kClose, DrillKey::kAnswer},
                                 r.Actions(), true);
    // "0" and "9" mean nothing here; "5" removes and "7" clears.
    EXPECT_EQ(r.Type(intensive, L"0123456789*+"), "123prnxc");
    const KeypadScheme sequential({DrillKey::kAdd, DrillKey::kJump, DrillKey::kPrevious, DrillKey::kNext,
                                   DrillKey::kClose, DrillKey::kAnswer},
                                  r.Actions());
    EXPECT_EQ(r.Type(sequential, L"0123456789"), "a123pncj");
}

TEST(KeypadScheme, ThirdAnswerOnlyWithTheThirdOption) {
    Recorder r;
    const KeypadScheme scheme({DrillKey::kAnswer}, r.Actions());
    r.third = false;
    EXPECT_TRUE(scheme.KeyPress(L'3'));  // taken, and does nothing at all
    EXPECT_EQ(r.log, "");
    r.third = true;
    EXPECT_EQ(r.Type(scheme, L"3"), "3");
}

TEST(KeypadScheme, ArrowsMoveAndUpClosesWhereTheWindowSaysSo) {
    Recorder r;
    const KeypadScheme plain({DrillKey::kAnswer}, r.Actions());
    const KeypadScheme upCloses({DrillKey::kAnswer}, r.Actions(), true);
    for (uint16_t vk : {kVkLeft, kVkRight, kVkUp, kVk8, kVkNumLock}) plain.KeyDown(vk);
    EXPECT_EQ(r.log, "pn");
    r.log.clear();
    for (uint16_t vk : {kVkLeft, kVkRight, kVkUp, kVk8, kVkNumLock}) upCloses.KeyDown(vk);
    EXPECT_EQ(r.log, "pncc");
}
