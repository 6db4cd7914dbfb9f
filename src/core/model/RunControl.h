// Run clock, timed-run end test and the enabled state of the run controls.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace velox {

// The run clock is a date-time value: days since 30 December 1899 as a
// double, the fraction being the time of day.
inline constexpr double RunClockRestart = 36526.0;  // 1 January 2000 00:00:00
inline constexpr std::int32_t TimedRunMinutes = 1;
inline constexpr const char* BaseName = "VELOX_2013";

// Adds `ms` milliseconds: (clock × 86 400 000 + ms) / 86 400 000.
double AdvanceRunClock(double clock, std::int32_t ms);

// The time of day of a clock value in whole milliseconds (0 … 86 399 999),
// rounded to the nearest millisecond.
std::int64_t TimeOfDayMs(double clock);

// "hh:mm:ss" of the clock's time of day.
std::string FormatTimeOfDay(double clock);

// True when the clock's time of day is 0 hours and TimedRunMinutes minutes.
bool TimedRunEnded(double clock);

// The controls whose enabled state follows the run state.  The locked
// group is Button3, Button4, Button5, Edit13, Edit14, UpDown1, UpDown2.
struct ControlStates {
    bool Button1 = true;
    bool Button2 = true;
    // Button3 is part of the locked group: Locked[LockButton3].
    std::array<bool, 7> Locked{true, true, true, true, true, true, true};
    // Both "Betöltés" commands and "Exportálás…": a timed run must end on
    // its own clock with its own arrivals and accelerator, so nothing is
    // loaded while it runs, and a measurement is exported once it stands.
    bool LoadCommands = true;
    friend bool operator==(const ControlStates&, const ControlStates&) = default;
};

enum LockedControl { LockButton3, LockButton4, LockButton5, LockEdit13, LockEdit14, LockUpDown1, LockUpDown2 };

// What the continue/stop button offers: to continue a stopped run
// ("Folytatás") or to stop a running one ("Stop").
enum class RunOffer { Continue, Stop };

struct RunState {
    bool FreeMode = true;     // "Teszt üzemmód" checked
    bool HasCavities = true;  // CavityCount > 0
    bool Running = false;     // SimTimer enabled
    RunOffer Offer = RunOffer::Continue;
};

// The enabled states after UpdateControlStates, given the run state and the
// states before it.
ControlStates UpdateControlStates(const RunState& run, const ControlStates& current);

}  // namespace velox

namespace velox {

class VeloxData;

// What the results clear of "Törlés" did: there was nothing to clear and no
// question was asked, the answer Yes cleared the results, or any other
// answer kept them.
enum class ClearOutcome { NothingToClear, Cleared, Kept };

// The run commands of the "Szimuláció" panel on the model.  The window
// mirrors Running into SimTimer and Offer into Button1's caption.
struct RunController {
    explicit RunController(VeloxData& data) : Data(data) {}

    VeloxData& Data;
    double RunClock = 0.0;
    int SpeedIndex = 4;  // speed "5"
    bool Running = false;
    bool FreeMode = true;
    RunOffer Offer = RunOffer::Continue;

    std::int32_t Interval() const;
    RunState State() const;

    // One SimTimer tick: a simulation step and the run clock.  Returns true
    // when a timed run has reached its end (the run is then stopped).
    bool Tick();
    // Button1: continue (relaunching slot 0) or stop.
    void ContinueStop();
    // Button3: the run stops while `clearResults` asks its question, then
    // restarts.  A timed run is graded on what it records from its start, so
    // in timed mode results kept by the answer cancel the restart and the
    // run is left as it was; a free run restarts whatever the answer.
    // Returns whether the run restarted.
    bool Restart(const std::function<ClearOutcome()>& clearResults);
    // The restart itself: every slot idle, both clocks at their start.
    void Restart();
    // CheckBox4 changed to `free`: the run always stops.
    void SetFreeMode(bool free);
};

}  // namespace velox
