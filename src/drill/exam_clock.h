#pragma once
// The 45-minute clock of the exam-like windows.
#include <string>

inline constexpr const wchar_t* kClockStartLabel = L"45:00";

struct ExamClock {
    int minutes_left = 45;
    int seconds_left = 0;

    void Restart() {
        minutes_left = 45;
        seconds_left = 0;
    }
    // Takes one second off; false once the remaining time has become negative (time is up).
    bool Tick();
    // "44:59", "9:05", "0:00": minutes without a leading zero, seconds as two digits.
    std::wstring Label() const;
};
