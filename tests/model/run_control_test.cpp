// Run clock, timed-run end, run commands and the control-state rules.
#include <gtest/gtest.h>

#include "core/model/Readouts.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"

using namespace velox;

// The timed run ends on the first tick whose clock reads 00:01:xx: tick 667
// at 90 ms, 1200 at 50 ms, 6001 at 10 ms (6000 ticks of 10 ms make 59 998.9 ms).
TEST(RunClock, TimedRunEndsOnTheMinute) {
    for (auto [speed, ticks] : {std::pair{0, 667}, {2, 1200}, {4, 6001}}) {
        double clock = RunClockRestart;
        int tick = 1;
        for (; tick < 100000; ++tick)
            if (TimedRunEnded(clock = AdvanceRunClock(clock, SpeedInterval(speed)))) break;
        EXPECT_EQ(tick, ticks) << speed;
    }
    EXPECT_TRUE(TimedRunEnded(AdvanceRunClock(RunClockRestart, 119999)));
    for (int ms : {59999, 120000, 3600000 + 60000}) EXPECT_FALSE(TimedRunEnded(AdvanceRunClock(RunClockRestart, ms))) << ms;
}

// The time of day after the restart, in whole milliseconds and as hh:mm:ss,
// also beyond the first hour and across midnight.
TEST(RunClock, TimeOfDay) {
    const struct { double clock; std::int64_t ms; const char* text; } rows[] = {
        {0.0, 0, "00:00:00"},
        {AdvanceRunClock(RunClockRestart, 59999), 59999, "00:00:59"},
        {AdvanceRunClock(RunClockRestart, 3723000), 3723000, "01:02:03"},
        {AdvanceRunClock(RunClockRestart, 36000000), 36000000, "10:00:00"},
        {AdvanceRunClock(RunClockRestart, 45296000), 45296000, "12:34:56"},
        {AdvanceRunClock(RunClockRestart, 86399999), 86399999, "23:59:59"},
        {AdvanceRunClock(RunClockRestart, 86400000 + 61000), 61000, "00:01:01"},
        {RunClockRestart + 0.9999999999, 0, "00:00:00"}};  // 8.64 µs before midnight rounds to it
    for (const auto& r : rows) EXPECT_EQ(std::pair(TimeOfDayMs(r.clock), FormatTimeOfDay(r.clock)), std::pair(r.ms, std::string(r.text)));
    double clock = RunClockRestart;
    for (int i = 0; i < 6000; ++i) clock = AdvanceRunClock(clock, 10);
    EXPECT_EQ(TimeOfDayMs(clock), 59999);  // 59 998.9 ms
}

TEST(RunController, ContinueRelaunchesSlotZeroAndStopKeepsTheClock) {
    VeloxData d;
    d.ApplyStartupDefaults();
    RunController run(d);
    EXPECT_EQ(RunOfferCaption(run.Offer), "Folytatás");
    run.ContinueStop();
    EXPECT_EQ(std::tuple(run.Running, RunOfferCaption(run.Offer), d.IsFlying(0), d.Store.LaunchedCount),
              std::tuple(true, "Stop", true, 1));
    run.Tick();
    run.Tick();
    d.Particles[0].X = 50;
    run.ContinueStop();
    EXPECT_EQ(std::tuple(run.Running, run.Offer), std::tuple(false, RunOffer::Continue));
    const double clock = run.RunClock;
    EXPECT_EQ(TimeOfDayMs(clock), 20);
    const int launched = d.Store.LaunchedCount;
    run.ContinueStop();
    EXPECT_EQ(std::tuple(d.Particles[0].X, d.Store.LaunchedCount, run.RunClock), std::tuple(10.0, launched + 1, clock));
}

TEST(RunController, RestartIdlesEverySlotAndZeroesTheClocks) {
    VeloxData d;
    d.ApplyStartupDefaults();
    RunController run(d);
    run.ContinueStop();
    for (int i = 0; i < 50; ++i) run.Tick();
    run.Restart();
    EXPECT_EQ(std::tuple(d.FlyingCount(), d.SimTime, run.RunClock, run.Running, run.Offer),
              std::tuple(0, 0.0, RunClockRestart, true, RunOffer::Stop));
}

// Speed "3": the timed run stops itself on tick 1200; the mode toggle
// always stops.
TEST(RunController, TimedRunStopsAtTheMinute) {
    VeloxData d;
    d.ApplyStartupDefaults();
    RunController run(d);
    run.SpeedIndex = 2;
    run.ContinueStop();
    run.SetFreeMode(false);
    EXPECT_EQ(std::tuple(run.Running, run.Offer), std::tuple(false, RunOffer::Continue));
    run.Restart();
    int ticks = 1;
    while (!run.Tick() && ticks < 5000) ++ticks;
    EXPECT_EQ(std::tuple(ticks, run.Running, run.Offer), std::tuple(1200, false, RunOffer::Continue));
    EXPECT_GT(d.Store.ArrivedCount, 0);
    run.ContinueStop();
    run.SetFreeMode(true);
    EXPECT_EQ(std::tuple(run.Running, run.Offer), std::tuple(false, RunOffer::Continue));
}

TEST(ControlStates, FollowTheRunState) {
    const ControlStates allOn;
    ControlStates allOff;
    allOff.Button1 = allOff.Button2 = false;
    allOff.Locked.fill(false);
    const auto locked = [](const ControlStates& s) {
        std::string out;
        for (bool b : s.Locked) out += b ? '1' : '0';
        return out;
    };

    // No cavities: the three buttons are off whatever the mode, except that
    // a free run showing "Stop" can be stopped; stopped in free mode, the
    // rest of the group is open to build again.  Nothing is loaded while a
    // timed run goes on.
    for (bool free : {true, false})
        for (bool running : {true, false}) {
            const auto s = UpdateControlStates({free, false, running, running ? RunOffer::Stop : RunOffer::Continue}, allOff);
            EXPECT_EQ(std::tuple(s.Button1, s.Button2, locked(s), s.LoadCommands),
                      std::tuple(free && running, false, free && !running ? "0111111" : "0000000", free || !running))
                << free << running;
        }

    // Free mode: stopped, everything on; running, single step and the
    // locked group off; stopping again re-enables them.
    EXPECT_EQ(UpdateControlStates({true, true, false, RunOffer::Continue}, allOff), allOn);
    const auto running = UpdateControlStates({true, true, true, RunOffer::Stop}, allOn);
    EXPECT_EQ(std::tuple(running.Button1, running.Button2, locked(running)), std::tuple(true, false, "0000000"));
    EXPECT_EQ(UpdateControlStates({true, true, false, RunOffer::Continue}, running), allOn);

    // Leaving free mode while running: continue and single step off,
    // restart on, the rest of the group stays off; while stopped it stays on.
    const auto timed = UpdateControlStates({false, true, false, RunOffer::Continue}, running);
    EXPECT_EQ(std::tuple(timed.Button1, timed.Button2, locked(timed)), std::tuple(false, false, "1000000"));
    const auto timedIdle = UpdateControlStates({false, true, false, RunOffer::Continue}, allOn);
    EXPECT_EQ(locked(timedIdle), "1111111");
    // A timed run disables the whole group, restart included.
    const auto timedRunning = UpdateControlStates({false, true, true, RunOffer::Stop}, timedIdle);
    EXPECT_EQ(std::tuple(timedRunning.Button1, locked(timedRunning), timedRunning.LoadCommands),
              std::tuple(false, "0000000", false));
}
