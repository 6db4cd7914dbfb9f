// Any bytes as a results file: reading must not crash, hang or leak; a file
// that loads must give a model that saves and loads again to the same
// lists, sums and settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "files/model/ResultsFile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameList(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i], b[i])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const velox::ResultsReadResult read = velox::ParseResults(data);
    if (read.Status != velox::FileStatus::Ok) {
        Check(!read.Error.empty());
        return 0;
    }

    velox::Results results;
    double clock = 36526.0;
    velox::ApplyResults(results, clock, read.Data);
    for (const velox::Spectrum* s : {&results.EnergySpectrum, &results.TimeSpectrum}) {
        Check(s->ChannelWidth > 0);
        Check(s->XMin >= 0 && s->XMax > s->XMin);
        Check(s->YMax >= 1);
    }
    velox::ComputeStatistics(results.EnergySums, results.ArrivedCount);
    velox::ComputeStatistics(results.TimeSums, results.ArrivedCount);

    const std::string saved = velox::FormatResults(results, clock);
    const velox::ResultsReadResult again = velox::ParseResults(saved);
    Check(again.Status == velox::FileStatus::Ok && again.Data.Closing.has_value());
    Check(SameList(again.Data.EnergyValues, read.Data.EnergyValues));
    Check(SameList(again.Data.TimeValues, read.Data.TimeValues));
    Check(SameBits(again.Data.EnergySums.Sum, read.Data.EnergySums.Sum));
    Check(SameBits(again.Data.TimeSums.SumSq, read.Data.TimeSums.SumSq));

    velox::Results reloaded;
    double clock2 = 0.0;
    velox::ApplyResults(reloaded, clock2, again.Data);
    Check(velox::FormatResults(reloaded, clock2) == saved);
    return 0;
}
