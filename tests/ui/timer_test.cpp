// TTimer: ticks from the message loop while enabled, none when disabled or stopped, and its
// hidden window goes with it.
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

TEST_F(TimerTest, ADisabledTimerNeedsNoWindowAndADeletedOneLeavesNone) {
    const int windows = ThreadWindowCount();
    {
        Owned<TTimer> timer(new TTimer(nullptr));
        timer->Enabled = false;
        timer->Interval = 1000;
        EXPECT_EQ(ThreadWindowCount(), windows + 1);  // made at construction, when it was enabled
    }
    EXPECT_EQ(ThreadWindowCount(), windows);
    Owned<TTimer> later(new TTimer(nullptr));
    later->Enabled = false;
    later.reset();
    EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace
