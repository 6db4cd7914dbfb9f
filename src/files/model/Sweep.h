// A parameter sweep: the timed exercise once for every point of a grid of
// set-up items, each run exactly as velox-batch runs the set-up of that
// point.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/model/ReportTable.h"
#include "files/model/SetupFile.h"

namespace velox {

// The set-up items a sweep can vary, named by their keyword in the set-up
// file.
enum class SweepItem { Freq, Ampli, Startfazis, Stopfazis, Target };

struct SweepItemRule {
    SweepItem Item;
    const char* Name;
    // The whole values the item can take: the spinner range for the
    // spinners, and for the rest what the set-up reader reads back as
    // written (a start phase from -360 up to but not including 360, a stop
    // phase above 0 up to 360, a target left without a sign).
    std::int64_t Min;
    std::int64_t Max;
};

const std::vector<SweepItemRule>& SweepItemRules();

// One varied item: FROM, FROM + STEP, … up to TO.
struct SweepAxis {
    SweepItem Item = SweepItem::Freq;
    std::int64_t From = 0;
    std::int64_t To = 0;
    std::int64_t Step = 1;

    std::int64_t Count() const { return (To - From) / Step + 1; }
};

inline constexpr std::int64_t MaxSweepPoints = 100000;

struct SweepAxisParse {
    std::optional<SweepAxis> Axis;
    std::string Error;  // in Hungarian, when Axis is empty
};

// "NAME=FROM:TO:STEP" with whole numbers, STEP at least 1, FROM not above
// TO, both within the item's values.
SweepAxisParse ParseSweepAxis(std::string_view text);

const char* SweepItemName(SweepItem item);

// The first axis varies slowest.  Refused (with the reason in Hungarian):
// no axis, an item varied twice, more than MaxSweepPoints points.
std::optional<std::string> CheckSweepGrid(const std::vector<SweepAxis>& axes);

std::size_t SweepPointCount(const std::vector<SweepAxis>& axes);
std::vector<std::int64_t> SweepPointValues(const std::vector<SweepAxis>& axes, std::size_t index);

// The start-up set-up of the window, as a set-up file of it reads.
SetupData StartupSetup();

// `base` with each varied item replaced, as if its line in the file gave
// the value.
SetupData SweepPointSetup(const SetupData& base, const std::vector<SweepAxis>& axes,
                          const std::vector<std::int64_t>& values);

struct SweepPlan {
    SetupData Base;  // the set-up the grid varies; it must hold a cavity
    std::vector<SweepAxis> Axes;
    int SpeedIndex = 4;
};

struct SweepRow {
    std::vector<std::int64_t> Values;  // of the axes, in their order
    double Frequency = 0.0;            // the generator values of the point
    double Amplitude = 0.0;
    // The start phase does not lie below the stop phase: the point is not
    // run.
    bool Skipped = false;
    ResultFigures Figures;
};

// One point: the set-up of the point loaded on the start-up state, then the
// timed exercise.
SweepRow RunSweepPoint(const SweepPlan& plan, std::size_t index);

struct SweepOutcome {
    std::vector<SweepRow> Rows;  // in grid order
    std::size_t NotRun = 0;      // points left out after a stop
};

// Called on the calling thread whenever points have finished, and a few
// times a second in between: points done, points in all.
using SweepProgress = std::function<void(std::size_t, std::size_t)>;

// Runs the points on `threads` threads, each point with a model state of its
// own.  Points are started in grid order; once `stop` is set no new point
// starts, the running ones finish, and the rows returned are those of the
// points started, which are the first points of the grid.
SweepOutcome RunSweep(const SweepPlan& plan, unsigned threads, const std::atomic<bool>& stop,
                      const SweepProgress& progress = {});

// The varied items, frequency, voltage, counters and statistics; the last
// column says when a point was skipped, and holds `note` (the set-up
// reader's warning) on every row.
TextTable SweepTable(const std::vector<SweepAxis>& axes, const std::vector<SweepRow>& rows,
                     const std::string& note = "");

}  // namespace velox
