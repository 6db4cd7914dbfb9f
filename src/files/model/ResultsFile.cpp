#include "files/model/ResultsFile.h"

#include <cmath>
#include <cstring>

#include "core/model/Numeric.h"
#include "editor/model/NumberText.h"
#include "results/model/PlotGeometry.h"

namespace velox {
namespace {

// Ten years after the restart value 36526.0 (1 January 2000).
constexpr double LatestRunClock = 40179.0;

void AddToSums(ResultSums& sums, double v) {
    sums.Sum = static_cast<double>(Extended(sums.Sum) + v);
    sums.SumSq = static_cast<double>(sums.SumSq + Extended(v) * v);
}

void AppendRecord(std::string& out, double value) {
    const auto bytes = EncodeRecord(value);
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A whole-number record that the window can hold: it truncates to a value
// within 32 bits and not below `least`.
std::optional<std::int32_t> WholeRecord(double v, std::int32_t least = std::numeric_limits<std::int32_t>::min()) {
    if (!FitsInt32(v) || TruncToInt(v) < least) return std::nullopt;
    return TruncToInt(v);
}

void ApplySpectrumRecords(Spectrum& s, const SpectrumRecords& r) {
    if (std::isfinite(r.ChannelWidth) && r.ChannelWidth >= MinChannelWidth) s.ChannelWidth = r.ChannelWidth;

    // Each end of the shown range that the window could hold is taken; the
    // range is taken only when it then still spans MinChannelSpan channels,
    // so that the axis labels have room.
    const std::int32_t xMin = WholeRecord(r.XMin, 0).value_or(s.XMin);
    const std::int32_t xMax = WholeRecord(r.XMax).value_or(s.XMax);
    if (static_cast<std::int64_t>(xMax) - xMin >= MinChannelSpan) {
        s.XMin = xMin;
        s.XMax = xMax;
    }

    if (const auto yMax = WholeRecord(r.YMax); yMax && *yMax >= 1) s.YMax = *yMax;

    s.Auto = r.Auto == 1.0;
}

}  // namespace

std::array<unsigned char, 8> EncodeRecord(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::array<unsigned char, 8> out{};
    for (std::size_t i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(bits >> (8 * i));
    return out;
}

double DecodeRecord(const unsigned char* bytes) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

ResultsReadResult ParseResults(std::string_view bytes) {
    ResultsReadResult out;
    const auto* base = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t records = bytes.size() / ResultsRecordSize;
    std::size_t k = 0;
    const auto next = [&] { return DecodeRecord(base + ResultsRecordSize * k++); };

    const auto section = [&](std::vector<double>& values, ResultSums& sums) {
        double v = 0.0;
        while (k < records && v != ResultsSeparator) {
            v = next();
            if (v != ResultsSeparator) {
                values.push_back(v);
                AddToSums(sums, v);
            }
        }
    };
    ResultsData& d = out.Data;
    section(d.EnergyValues, d.EnergySums);
    section(d.TimeValues, d.TimeSums);

    if (k < records) {
        if (records - k < ClosingRecordCount) {
            out.Data = ResultsData{};
            out.Error = "Az eredményfájl sérült: a záró rekordokból " + FormatInteger(static_cast<long long>(records - k)) +
                        " van meg a " + FormatInteger(static_cast<long long>(ClosingRecordCount)) + " helyett.";
            return out;
        }
        ClosingRecords c;
        c.ArrivedCount = next();
        c.LaunchedCount = next();
        c.RunClock = next();
        for (SpectrumRecords* s : {&c.Energy, &c.Time}) {
            s->ChannelWidth = next();
            s->XMin = next();
            s->XMax = next();
            s->YMax = next();
            s->Auto = next();
        }
        d.Closing = c;
    }
    out.Status = FileStatus::Ok;
    return out;
}

ResultsReadResult ReadResultsFile(const std::string& path, std::uint64_t maxBytes) {
    FileBytes file = ReadWholeFile(path, maxBytes);
    if (file.Status != FileStatus::Ok) {
        ResultsReadResult out;
        out.Status = file.Status;
        out.Error = std::move(file.Error);
        return out;
    }
    ResultsReadResult out = ParseResults(file.Bytes);
    if (out.Status != FileStatus::Ok) out.Error = path + ": " + out.Error;
    return out;
}

void ApplyResults(Results& results, double& runClock, const ResultsData& data, std::int32_t flying) {
    results.EnergyValues = data.EnergyValues;
    results.TimeValues = data.TimeValues;
    results.EnergySums = data.EnergySums;
    results.TimeSums = data.TimeSums;
    // Every arrival adds one energy, and the arrived count divides both
    // spectra's statistics: whatever the file says (or the count was before
    // a file without closing records), it is the number of energies read.
    results.ArrivedCount = TruncToInt(Extended(results.EnergyValues.size()));
    if (data.Closing) {
        const ClosingRecords& c = *data.Closing;
        if (const auto l = WholeRecord(c.LaunchedCount, 0)) results.LaunchedCount = CountMore(*l, flying);
        if (std::isfinite(c.RunClock) && c.RunClock >= 0 && c.RunClock <= LatestRunClock) runClock = c.RunClock;
        ApplySpectrumRecords(results.EnergySpectrum, c.Energy);
        ApplySpectrumRecords(results.TimeSpectrum, c.Time);
    }
    // Each arrival was launched once: a damaged file never shows more arrivals than launches.
    if (results.LaunchedCount < results.ArrivedCount) results.LaunchedCount = results.ArrivedCount;
    Rebin(results.EnergySpectrum, results.EnergyValues);
    Rebin(results.TimeSpectrum, results.TimeValues);
}

ResultsLoadResult LoadResultsFile(Results& results, double& runClock, const std::string& path) {
    ResultsReadResult read = ReadResultsFile(path);
    if (read.Status == FileStatus::Ok) ApplyResults(results, runClock, read.Data);
    return {read.Status, std::move(read.Error)};
}

std::string FormatResults(const Results& results, double runClock) {
    std::string out;
    out.reserve(ResultsRecordSize * (results.EnergyValues.size() + results.TimeValues.size() + 15));
    for (double v : results.EnergyValues) AppendRecord(out, v);
    AppendRecord(out, ResultsSeparator);
    for (double v : results.TimeValues) AppendRecord(out, v);
    AppendRecord(out, ResultsSeparator);
    AppendRecord(out, results.ArrivedCount);
    AppendRecord(out, results.LaunchedCount);
    AppendRecord(out, runClock);
    for (const Spectrum* s : {&results.EnergySpectrum, &results.TimeSpectrum}) {
        AppendRecord(out, s->ChannelWidth);
        AppendRecord(out, s->XMin);
        AppendRecord(out, s->XMax);
        AppendRecord(out, s->YMax);
        AppendRecord(out, s->Auto ? 1.0 : 0.0);
    }
    return out;
}

WriteOutcome WriteResultsFile(const std::string& path, const Results& results, double runClock) {
    return ReplaceFile(path, FormatResults(results, runClock));
}

}  // namespace velox
