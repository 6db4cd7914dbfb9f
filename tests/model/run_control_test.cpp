// Run clock, timed-run end, run commands and the control-state rules.
#include <gtest/gtest.h>

#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"

using namespace velox;

namespace {

int TicksUntilTimedEnd(int speedIndex) {
    double clock = RunClockRestart;
    for (int tick = 1; tick < 100000; ++tick) {
        clock = AdvanceRunClock(clock, SpeedInterval(speedIndex));
        if (TimedRunEnded(clock)) return tick;
    }
    return -1;
}

}  // namespace

TEST(RunClock, TimedRunEndsOnTheMinute) {
    EXPECT_EQ(TicksUntilTimedEnd(0), 667);
    EXPECT_EQ(TicksUntilTimedEnd(2), 1200);
    EXPECT_EQ(TicksUntilTimedEnd(4), 6001);
}

TEST(RunClock, TimeOfDay) {
    EXPECT_EQ(FormatTimeOfDay(0.0), "00:00:00");
    EXPECT_EQ(FormatTimeOfDay(RunClockRestart), "00:00:00");
    double clock = RunClockRestart;
    for (int i = 0; i < 6000; ++i) clock = AdvanceRunClock(clock, 10);
    EXPECT_EQ(TimeOfDayMs(clock), 59999);  // 59 998.9 ms rounds to 59 999
    EXPECT_EQ(FormatTimeOfDay(clock), "00:00:59");
    EXPECT_FALSE(TimedRunEnded(clock));
    clock = AdvanceRunClock(RunClockRestart, 3600000 + 61000);
    EXPECT_EQ(FormatTimeOfDay(clock), "01:01:01");
    EXPECT_FALSE(TimedRunEnded(clock));  // an hour later is not the end
    EXPECT_TRUE(TimedRunEnded(AdvanceRunClock(RunClockRestart, 119999)));
    EXPECT_FALSE(TimedRunEnded(AdvanceRunClock(RunClockRestart, 120000)));
}

TEST(RunController, ContinueRelaunchesSlotZeroAndStopKeepsTheClock) {
    VeloxData d;
    d.ApplyStartupDefaults();
    RunController run(d);
    run.ContinueStop();
    EXPECT_TRUE(run.Running);
    EXPECT_EQ(run.Offer, RunOffer::Stop);
    EXPECT_TRUE(d.IsFlying(0));
    EXPECT_EQ(d.Store.LaunchedCount, 1);
    run.Tick();
    run.Tick();
    d.Particles[0].X = 50;
    run.ContinueStop();
    EXPECT_FALSE(run.Running);
    EXPECT_EQ(run.Offer, RunOffer::Continue);
    const double clock = run.RunClock;
    EXPECT_EQ(clock, AdvanceRunClock(AdvanceRunClock(0.0, 10), 10));
    const int launched = d.Store.LaunchedCount;
    run.ContinueStop();
    EXPECT_EQ(d.Particles[0].X, 10.0);
    EXPECT_EQ(d.Store.LaunchedCount, launched + 1);
    EXPECT_EQ(run.RunClock, clock);
}

TEST(RunController, RestartIdlesEverySlotAndZeroesTheClocks) {
    VeloxData d;
    d.ApplyStartupDefaults();
    RunController run(d);
    run.ContinueStop();
    for (int i = 0; i < 50; ++i) run.Tick();
    run.Restart();
    for (int i = 0; i < ParticleCount; ++i) EXPECT_FALSE(d.IsFlying(i));
    EXPECT_EQ(d.SimTime, 0.0);
    EXPECT_EQ(run.RunClock, RunClockRestart);
    EXPECT_TRUE(run.Running);
    EXPECT_EQ(run.Offer, RunOffer::Stop);
}

TEST(RunController, TimedRunStopsAtTheMinute) {
    VeloxData d;
    d.ApplyStartupDefaults();
    RunController run(d);
    run.SpeedIndex = 2;
    run.SetFreeMode(false);
    EXPECT_FALSE(run.Running);
    run.Restart();
    int ticks = 0;
    bool ended = false;
    while (!ended && ticks < 5000) {
        ended = run.Tick();
        ++ticks;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(ticks, 1200);
    EXPECT_FALSE(run.Running);
    EXPECT_EQ(run.Offer, RunOffer::Continue);
    EXPECT_GT(d.Store.ArrivedCount, 0);
}

TEST(RunController, ModeToggleAlwaysStops) {
    VeloxData d;
    RunController run(d);
    run.ContinueStop();
    run.SetFreeMode(false);
    EXPECT_FALSE(run.Running);
    run.SetFreeMode(true);
    EXPECT_FALSE(run.Running);
    EXPECT_EQ(run.Offer, RunOffer::Continue);
}

TEST(ControlStates, FollowTheRunState) {
    const ControlStates allOn;
    ControlStates allOff;
    allOff.Button1 = allOff.Button2 = false;
    allOff.Locked.fill(false);

    // No cavities: the three buttons are off whatever the mode, except that
    // a free run showing "Stop" can be stopped; stopped in free mode, the
    // rest of the group is open to build again.  Nothing is loaded while a
    // timed run goes on.
    for (bool free : {true, false})
        for (bool running : {true, false}) {
            auto s = UpdateControlStates({free, false, running, running ? RunOffer::Stop : RunOffer::Continue}, allOff);
            EXPECT_EQ(s.Button1, free && running);
            EXPECT_FALSE(s.Button2);
            EXPECT_FALSE(s.Locked[LockButton3]);
            for (int k = LockButton4; k <= LockUpDown2; ++k)
                EXPECT_EQ(s.Locked[static_cast<std::size_t>(k)], free && !running) << free << running;
            EXPECT_EQ(s.LoadCommands, free || !running);
        }

    // Free mode, stopped: everything on.
    auto s = UpdateControlStates({true, true, false, RunOffer::Continue}, allOff);
    EXPECT_EQ(s, allOn);
    // Free mode, running: single step and the locked group off.
    s = UpdateControlStates({true, true, true, RunOffer::Stop}, allOn);
    EXPECT_TRUE(s.Button1);
    EXPECT_FALSE(s.Button2);
    for (bool b : s.Locked) EXPECT_FALSE(b);
    // Stopping again re-enables them.
    EXPECT_EQ(UpdateControlStates({true, true, false, RunOffer::Continue}, s), allOn);

    // Leaving free mode while running: the run stops; continue and single
    // step off, restart on, the rest of the group stays as it was.
    auto timed = UpdateControlStates({false, true, false, RunOffer::Continue}, s);
    EXPECT_FALSE(timed.Button1);
    EXPECT_FALSE(timed.Button2);
    EXPECT_TRUE(timed.Locked[LockButton3]);
    for (int k = LockButton4; k <= LockUpDown2; ++k) EXPECT_FALSE(timed.Locked[static_cast<std::size_t>(k)]);
    // Leaving free mode while stopped keeps the group enabled.
    auto timedIdle = UpdateControlStates({false, true, false, RunOffer::Continue}, allOn);
    for (bool b : timedIdle.Locked) EXPECT_TRUE(b);
    // A timed run disables the whole group, restart included.
    auto timedRunning = UpdateControlStates({false, true, true, RunOffer::Stop}, timedIdle);
    for (bool b : timedRunning.Locked) EXPECT_FALSE(b);
    EXPECT_FALSE(timedRunning.Button1);
}
