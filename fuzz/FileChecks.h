// What must hold for any bytes read as a set-up file or as a results file.
// The fuzz targets abort on a problem; the corpus test of the model tests
// runs the same checks over the seed files.
//
// Each kind of file has two checks.  The file check reads the bytes, holds
// what loads to the window's limits and writes it back: cheap enough for
// thousands of inputs a second.  The model check then uses a loaded file as
// the window would: the cavity markers are placed, the view is drawn,
// ModelSteps simulation steps run, both spectra are laid out and the
// readouts are formatted, so that the sanitizers see whatever a file's
// values reach.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Canvas.h"
#include "core/model/Numeric.h"
#include "core/model/Readouts.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/model/AcceleratorView.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "results/model/PlotGeometry.h"
#include "results/model/SpectrumPanel.h"

namespace velox::fuzzing {

inline bool IsPixel(std::int64_t v) { return v >= PixelMin && v <= PixelMax; }

// A drawing surface that only checks that every coordinate is a pixel.
class PixelCheckCanvas : public Canvas {
public:
    bool Ok = true;
    void FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour) override { Check({l, t, r, b}); }
    void SetPen(Colour, std::int32_t width) override { Check({width}); }
    void MoveTo(std::int32_t x, std::int32_t y) override { Check({x, y}); }
    void LineTo(std::int32_t x, std::int32_t y) override { Check({x, y}); }
    void Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour) override { Check({l, t, r, b}); }
    void TextOut(std::int32_t x, std::int32_t y, std::string_view, Colour, Colour) override { Check({x, y}); }
    void TextOver(std::int32_t x, std::int32_t y, std::string_view, Colour) override { Check({x, y}); }

private:
    void Check(std::initializer_list<std::int32_t> values) {
        for (std::int32_t v : values) Ok = Ok && IsPixel(v);
    }
};

inline bool ShapesArePixels(const VeloxData& d) {
    const auto ok = [](const ShapeState& m) { return IsPixel(m.Left) && IsPixel(m.Top) && IsPixel(m.Width) && IsPixel(m.Height); };
    bool all = ok(d.TargetMarker);
    for (const ShapeState& m : d.CavityMarkers) all = all && ok(m);
    for (const ShapeState& m : d.ParticleMarkers) all = all && ok(m);
    return all;
}

inline bool PlotIsPixels(const SpectrumGeometry& g) {
    bool ok = IsPixel(g.Axes.Marker.LineX);
    for (const auto* lines : {&g.Axes.Axes, &g.Axes.CountTicks, &g.Axes.ChannelTicks})
        for (const PlotLine& l : *lines) ok = ok && IsPixel(l.x1) && IsPixel(l.y1) && IsPixel(l.x2) && IsPixel(l.y2);
    for (const auto* texts : {&g.Axes.CountLabels, &g.Axes.ChannelLabels, &g.StatisticsTexts})
        for (const PlotText& t : *texts) ok = ok && IsPixel(t.x) && IsPixel(t.y);
    for (const auto& line : g.CountLine)
        for (const PlotPoint& p : line) ok = ok && IsPixel(p.x) && IsPixel(p.y);
    return ok;
}

// Sub-steps that the next simulation step at most takes: about 10 |V| for
// each particle in flight, never more than MaxSubSteps.
inline long long SubStepsAhead(const VeloxData& d) {
    long long total = 0;
    for (int i = 0; i < ParticleCount; ++i) {
        if (!d.IsFlying(i)) continue;
        // Formed in long double: a particle flung away has a speed far
        // beyond 32 bits (and NaN stays at the cap).
        const long double v = std::fabs(d.Particles[static_cast<std::size_t>(i)].V);
        total += static_cast<long long>(std::min<long double>(MaxSubSteps, 1.0L + 10.0L * v));
    }
    return total;
}

// The loaded model as the window uses it: markers, the view, `steps`
// simulation steps with the run clock, both plots and every readout.  An
// absurd set-up makes every particle take MaxSubSteps per step, which the
// window bears but a fuzzer's time limit does not: the steps end early once
// they have cost two million sub-steps.
inline std::string UseLoadedModel(VeloxData& d, double runClock, int steps) {
    d.PlaceCavityMarkers();
    PixelCheckCanvas view;
    DrawAcceleratorView(d, view, 620, 320);
    if (!view.Ok) return "view beyond the pixel range";

    RunController run(d);
    run.RunClock = runClock;
    run.Restart();
    run.RunClock = runClock;  // the loaded clock runs on
    std::string readouts;
    long long spent = 0;
    for (int k = 0; k < steps && spent < 2000000; ++k) {
        spent += SubStepsAhead(d);
        run.Tick();
        d.PlaceCavityMarkers();
        if (!ShapesArePixels(d)) return "marker beyond the pixel range";
    }
    const Results& r = d.Store;
    if (r.ArrivedCount < 0 || r.LaunchedCount < 0) return "negative counter";
    readouts += EnergyMaxText(d.EnergyMax) + CountsText(r.LaunchedCount, r.ArrivedCount) + VoltageText(d.Voltage) +
                PhaseText(d.LastPhase) + ArrivalEnergyText(r.LastArrival) + ArrivalTimeText(r.LastArrival) +
                FormatTimeOfDay(run.RunClock);

    const TextMetrics metrics{[](std::string_view t) { return static_cast<int>(t.size()) * 6; }, 12};
    for (Spectrum* s : {&d.Store.EnergySpectrum, &d.Store.TimeSpectrum}) {
        const SpectrumGeometry g = DrawSpectrumGeometry(*s, r.SumsOf(*s), r.ArrivedCount, metrics, PlotBitmapWidth);
        if (!PlotIsPixels(g)) return "plot beyond the pixel range";
        MoveMarker(*s, MarkerKey::Right);
        MoveMarker(*s, MarkerKey::Left);
        const StatisticsBoxTexts box = StatisticsBox(r.SumsOf(*s), r.ArrivedCount);
        readouts += UpdateMarkerGeometry(*s).XText + box.Count + box.Mean + box.Deviation;
    }
    return readouts.empty() ? "no readouts" : "";
}

// Reading never fails, loads at most MaxCavities cavities, and whatever it
// loads survives a save and a second load unchanged.
inline std::string SetupFileProblem(std::string_view text) {
    const SetupData setup = ParseSetup(text);
    if (setup.Cavities.size() > static_cast<std::size_t>(MaxCavities)) return "too many cavities";

    VeloxData first;
    first.ApplyStartupDefaults();
    ApplySetup(first, setup);
    if (first.Cavities.CavityCount() != static_cast<std::int32_t>(setup.Cavities.size())) return "cavity count";
    if (first.CavityList.size() != setup.Cavities.size()) return "cavity list";
    if (first.FrequencyPosition < 0 || first.FrequencyPosition > 100) return "frequency position";
    if (first.VoltagePosition < 0 || first.VoltagePosition > 100) return "voltage position";
    // The field answers everywhere along the loaded accelerator.
    for (double x : {0.0, 5.0, 10.0, 100.0, 1000.0, 1e300}) first.FieldAt(x);

    const std::string saved = FormatSetup(first);
    const SetupData again = ParseSetup(saved);
    if (again.ShowCountWarning()) return "saved file warns";
    VeloxData second;
    second.ApplyStartupDefaults();
    ApplySetup(second, again);
    if (FormatSetup(second) != saved) return "second save differs:\n" + saved + "\n---\n" + FormatSetup(second);
    return "";
}

// The simulation steps of a model check: one RF period at the frequency
// 1.0 of the start-up set-up, so that the step reaches the wrap of the
// simulated time into the next period.  Fewer steps lose what the seeds
// were kept for: the launch window of flung_particle_speed.gydat opens late
// in the period and its first particle is flung, at the sub-step cap, on
// step 64; the counters at the 32-bit top of full_counters.edat take their
// first arrival on step 40 and a particle leaving the tube backwards on
// step 87; huge_cavity.gydat (at the sub-step cap from the first step) and
// full_counters.edat reach the period's wrap on step 126.
inline constexpr int ModelSteps = 126;

// The loaded set-up runs from a restart, as a class would start it.
inline std::string SetupModelProblem(std::string_view text) {
    VeloxData d;
    d.ApplyStartupDefaults();
    ApplySetup(d, ParseSetup(text));
    return UseLoadedModel(d, RunClockRestart, ModelSteps);
}

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

inline bool SameList(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i], b[i])) return false;
    return true;
}

// A file either fails with a message or loads into settings the window can
// hold; what loads saves and loads again to the same lists, sums, counters,
// clock and settings.
inline std::string ResultsFileProblem(std::string_view bytes) {
    const ResultsReadResult read = ParseResults(bytes);
    if (read.Status != FileStatus::Ok) return read.Error.empty() ? "failure without a message" : "";

    Results results;
    double clock = 36526.0;
    ApplyResults(results, clock, read.Data);
    for (const Spectrum* s : {&results.EnergySpectrum, &results.TimeSpectrum}) {
        if (!(s->ChannelWidth >= MinChannelWidth)) return "channel width";
        if (s->XMin < 0 || static_cast<std::int64_t>(s->XMax) - s->XMin < MinChannelSpan) return "range";
        if (s->YMax < 1) return "count axis";
    }
    if (results.ArrivedCount < 0 || results.LaunchedCount < 0) return "negative counter";
    if (static_cast<std::size_t>(results.ArrivedCount) != results.EnergyValues.size()) return "arrived count";
    if (results.LaunchedCount < results.ArrivedCount) return "more arrivals than launches";
    if (!(clock >= 0 && clock <= 40179.0)) return "run clock";
    ComputeStatistics(results.EnergySums, results.ArrivedCount);
    ComputeStatistics(results.TimeSums, results.ArrivedCount);

    const std::string saved = FormatResults(results, clock);
    const ResultsReadResult again = ParseResults(saved);
    if (again.Status != FileStatus::Ok || !again.Data.Closing) return "saved file does not load";
    if (!SameList(again.Data.EnergyValues, read.Data.EnergyValues)) return "energies";
    if (!SameList(again.Data.TimeValues, read.Data.TimeValues)) return "times";
    if (!SameBits(again.Data.EnergySums.Sum, read.Data.EnergySums.Sum) ||
        !SameBits(again.Data.EnergySums.SumSq, read.Data.EnergySums.SumSq) ||
        !SameBits(again.Data.TimeSums.Sum, read.Data.TimeSums.Sum) ||
        !SameBits(again.Data.TimeSums.SumSq, read.Data.TimeSums.SumSq))
        return "sums";

    Results reloaded;
    double clock2 = 0.0;
    ApplyResults(reloaded, clock2, again.Data);
    if (FormatResults(reloaded, clock2) != saved) return "second save differs";
    return "";
}

// A loaded results file runs on in the target right behind the first gap,
// launching all period long, so that the loaded counters and histograms
// take launches and arrivals at few sub-steps each.
inline std::string ResultsModelProblem(std::string_view bytes) {
    const ResultsReadResult read = ParseResults(bytes);
    if (read.Status != FileStatus::Ok) return "";
    VeloxData data;
    data.ApplyStartupDefaults();
    data.Cavities.SetCavityCount(1);
    data.BuildCavities();
    data.SetTargetLeft(40);
    data.StopPhase = 360;
    double clock = 36526.0;
    ApplyResults(data.Store, clock, read.Data);
    return UseLoadedModel(data, clock, ModelSteps);
}

// A fuzz target's verdict: aborts with the problem found, if any.
inline int Require(const std::string& problem, const char* check) {
    if (problem.empty()) return 0;
    std::fprintf(stderr, "%s failed: %s\n", check, problem.c_str());
    std::abort();
}

inline std::string_view Bytes(const std::uint8_t* bytes, std::size_t size) {
    return {reinterpret_cast<const char*>(bytes), size};
}

}  // namespace velox::fuzzing
