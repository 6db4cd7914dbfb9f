// What must hold for any bytes read as a set-up file or as a results file.
// The fuzz targets abort on a problem; the corpus test of the model tests
// runs the same checks over the seed files.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Numeric.h"
#include "core/model/VeloxData.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox::fuzzing {

// Reading never fails, loads at most MaxCavities cavities, and whatever it
// loads survives a save and a second load unchanged.
inline std::string SetupInputProblem(std::string_view text) {
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
    // A stop phase below 1 is written as "Stopfazis =0", which the reader
    // ignores by design (a stop phase must be above 0): the only item that
    // may not come back.
    if (TruncToInt(first.StopPhase) == 0) second.StopPhase = first.StopPhase;
    if (FormatSetup(second) != saved) return "second save differs:\n" + saved + "\n---\n" + FormatSetup(second);
    return "";
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
inline std::string ResultsInputProblem(std::string_view bytes) {
    const ResultsReadResult read = ParseResults(bytes);
    if (read.Status != FileStatus::Ok) return read.Error.empty() ? "failure without a message" : "";

    Results results;
    double clock = 36526.0;
    ApplyResults(results, clock, read.Data);
    for (const Spectrum* s : {&results.EnergySpectrum, &results.TimeSpectrum}) {
        if (!(s->ChannelWidth > 0)) return "channel width";
        if (s->XMin < 0 || s->XMax <= s->XMin) return "range";
        if (s->YMax < 1) return "count axis";
    }
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

}  // namespace velox::fuzzing
