#include "drill/exam_clock.h"

bool ExamClock::Tick() {
    if (--seconds_left < 0) {
        seconds_left = 59;
        --minutes_left;
    }
    return minutes_left >= 0;
}

std::wstring ExamClock::Label() const {
    return std::to_wstring(minutes_left) + L":" + (seconds_left < 10 ? L"0" : L"") + std::to_wstring(seconds_left);
}
