#include "core/model/RunControl.h"

#include <cmath>

#include "core/model/Numeric.h"

namespace velox {

namespace {
constexpr Extended MsPerDay = 86400000.0;

std::string TwoDigits(std::int64_t v) {
    return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}
}  // namespace

double AdvanceRunClock(double clock, std::int32_t ms) {
    return static_cast<double>((clock * MsPerDay + ms) / MsPerDay);
}

std::int64_t TimeOfDayMs(double clock) {
    if (!std::isfinite(clock)) return 0;
    const Extended c = clock;
    const Extended fraction = c - Floor(c);
    const auto ms = TruncToInt64(RoundHalfEven(fraction * MsPerDay));
    return ms % 86400000;
}

std::string FormatTimeOfDay(double clock) {
    const std::int64_t ms = TimeOfDayMs(clock);
    const std::int64_t s = ms / 1000;
    return TwoDigits(s / 3600) + ":" + TwoDigits(s / 60 % 60) + ":" + TwoDigits(s % 60);
}

bool TimedRunEnded(double clock) {
    const std::int64_t ms = TimeOfDayMs(clock);
    return ms / 3600000 == 0 && ms / 60000 % 60 == TimedRunMinutes;
}

ControlStates UpdateControlStates(const RunState& run, const ControlStates& current) {
    ControlStates out = current;
    // A free run can always be stopped, also once its last cavity is gone.
    out.Button1 = run.FreeMode && (run.HasCavities || run.Offer == RunOffer::Stop);
    out.Button2 = run.FreeMode && run.HasCavities;
    out.Locked[LockButton3] = run.HasCavities;
    if (run.Running && !run.FreeMode) out.Locked.fill(false);
    out.LoadCommands = run.FreeMode || !run.Running;
    if (run.FreeMode && run.HasCavities) {
        out.Button2 = run.Offer == RunOffer::Continue;
        out.Locked.fill(!run.Running);
    }
    // Stopped in free mode with no cavities: everything that builds an
    // accelerator again is open; there is nothing to run or restart.
    if (run.FreeMode && !run.HasCavities && !run.Running) {
        out.Locked.fill(true);
        out.Locked[LockButton3] = false;
    }
    return out;
}

}  // namespace velox

#include "core/model/VeloxData.h"

namespace velox {

std::int32_t RunController::Interval() const { return SpeedInterval(SpeedIndex); }

RunState RunController::State() const { return RunState{FreeMode, Data.Cavities.CavityCount() > 0, Running, Offer}; }

bool RunController::Tick() {
    Data.SimulationStep();
    RunClock = AdvanceRunClock(RunClock, Interval());
    if (!FreeMode && TimedRunEnded(RunClock)) {
        ContinueStop();
        return true;
    }
    return false;
}

void RunController::ContinueStop() {
    if (Offer == RunOffer::Continue) {
        Offer = RunOffer::Stop;
        Data.LaunchParticle(0);
        Running = true;
    } else {
        Offer = RunOffer::Continue;
        Running = false;
    }
}

bool RunController::Restart(const std::function<ClearOutcome()>& clearResults) {
    const bool wasRunning = Running;
    Running = false;
    if (clearResults() == ClearOutcome::Kept && !FreeMode) {
        Running = wasRunning;
        return false;
    }
    Restart();
    return true;
}

void RunController::Restart() {
    Running = false;
    Data.HideAllParticles();
    Offer = RunOffer::Stop;
    Data.SimTime = 0.0;
    RunClock = RunClockRestart;
    Running = true;
}

void RunController::SetFreeMode(bool free) {
    FreeMode = free;
    Offer = RunOffer::Stop;
    ContinueStop();
}

}  // namespace velox
