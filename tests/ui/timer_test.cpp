// TTimer: ticks from the message loop while enabled, none when disabled, stopped or deleted;
// all timers tick on one hidden window.
#include "ui/timer.h"
#include "ui_test_support.h"

namespace {

class TimerTest : public UiTest {};

TEST_F(TimerTest, TicksWhileEnabledAndStopsWhenDisabledOrAtIntervalZero) {
    Owned<TTimer> timer(new TTimer(nullptr));
    int ticks = 0;
    timer->OnTimer = [&] { ++ticks; };
    timer->Interval = 20;
    EXPECT_TRUE(timer->Running());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));

    timer->Enabled = false;
    EXPECT_FALSE(timer->Running());
    int stopped = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);

    timer->Enabled = true;
    EXPECT_TRUE(PumpUntil([&] { return ticks >= stopped + 2; }));
    timer->Interval = 0;
    EXPECT_FALSE(timer->Running());
    stopped = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(TimerTest, TimersShareOneWindowAndADeletedOneTicksNoMore) {
    Owned<TTimer> first(new TTimer(nullptr));
    first->Interval = 10;
    const int windows = ThreadWindowCount();
    int firstTicks = 0, secondTicks = 0;
    first->OnTimer = [&] { ++firstTicks; };
    {
        // A form's clock: made enabled, stopped at once, started later.
        Owned<TTimer> second(new TTimer(nullptr));
        second->Enabled = false;
        second->Interval = 15;
        second->OnTimer = [&] { ++secondTicks; };
        second->Enabled = true;
        EXPECT_EQ(ThreadWindowCount(), windows);
        EXPECT_TRUE(PumpUntil([&] { return firstTicks >= 3 && secondTicks >= 3; }));
        // Deleted with ticks of its own due: they reach nobody.
        Sleep(40);
    }
    const int stopped = secondTicks;
    const int before = firstTicks;
    EXPECT_TRUE(PumpUntil([&] { return firstTicks >= before + 3; }));
    EXPECT_EQ(secondTicks, stopped);
    EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace
