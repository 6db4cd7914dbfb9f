#include "results/model/Spectrum.h"

#include <cmath>

#include "core/model/Numeric.h"

namespace velox {

void InitSpectrum(Spectrum& spectrum, std::int32_t bitmapWidth, std::int32_t bitmapHeight,
                  std::int32_t markerDefault, bool autoState) {
    spectrum.XMin = 0;
    spectrum.XMax = 100;
    spectrum.YMax = 20;
    spectrum.XLeft = 25;
    spectrum.XRight = bitmapWidth - 10;
    spectrum.YBottom = bitmapHeight - 20;
    spectrum.YTop = 5;
    spectrum.Bins.clear();
    spectrum.Marker = markerDefault;
    spectrum.ChannelWidth = 1.0;
    spectrum.Auto = autoState;
}

void EnsureBin(std::vector<std::int32_t>& bins, std::int32_t index) {
    if (index < 0) return;
    const auto needed = static_cast<std::size_t>(index) + 1;
    // resize grows the capacity geometrically, so that values counted in
    // ascending order cost amortised constant time each.
    if (needed > bins.size()) bins.resize(needed, 0);
}

std::int32_t ChannelOf(double value, double channelWidth) {
    if (!(channelWidth > 0.0) || !std::isfinite(channelWidth)) return -1;
    if (!(value >= 0.0) || !std::isfinite(value)) return -1;
    const Extended q = Extended(value) / channelWidth;
    if (!(q < Extended(MaxChannel) + 1.0)) return -1;
    return TruncToInt(q);
}

void AddToBin(Spectrum& spectrum, double value) {
    const std::int32_t c = ChannelOf(value, spectrum.ChannelWidth);
    if (c < 0) return;
    EnsureBin(spectrum.Bins, c);
    CountOne(spectrum.Bins[static_cast<std::size_t>(c)]);
}

void Rebin(Spectrum& spectrum, const std::vector<double>& values) {
    spectrum.Bins.clear();
    for (double v : values) AddToBin(spectrum, v);
}

Statistics ComputeStatistics(const ResultSums& sums, std::int32_t arrivedCount) {
    Statistics s;
    if (arrivedCount == 0) return s;
    s.Mean = static_cast<double>(Extended(sums.Sum) / arrivedCount);
    const Extended variance =
        Extended(sums.SumSq) / arrivedCount - Extended(s.Mean) * s.Mean;
    s.Deviation = variance > 0 ? static_cast<double>(Sqrt(variance)) : 0.0;
    return s;
}

Results::Results() {
    InitSpectrum(EnergySpectrum, PlotBitmapWidth, PlotBitmapHeight, EnergyMarkerStart, true);
    InitSpectrum(TimeSpectrum, PlotBitmapWidth, PlotBitmapHeight, TimeMarkerStart, true);
}

const ResultSums& Results::SumsOf(const Spectrum& spectrum) const {
    return &spectrum == &TimeSpectrum ? TimeSums : EnergySums;
}

void Results::RecordArrival(double velocity, double arrivalTime) {
    const double e = static_cast<double>(Extended(0.5) * velocity * velocity / 5.0);

    EnergySums.Sum = static_cast<double>(Extended(EnergySums.Sum) + e);
    EnergySums.SumSq = static_cast<double>(EnergySums.SumSq + Extended(e) * e);
    EnergyValues.push_back(e);
    CountOne(ArrivedCount);
    AddToBin(EnergySpectrum, e);

    TimeSums.Sum = static_cast<double>(Extended(TimeSums.Sum) + arrivalTime);
    TimeSums.SumSq = static_cast<double>(TimeSums.SumSq + Extended(arrivalTime) * arrivalTime);
    TimeValues.push_back(arrivalTime);
    AddToBin(TimeSpectrum, arrivalTime);

    LastArrival = Arrival{e, arrivalTime};
}

bool Results::IsEmpty() const {
    return EnergyValues.empty() && TimeValues.empty() && TimeSpectrum.Bins.empty() && EnergySpectrum.Bins.empty();
}

void Results::Clear() {
    ArrivedCount = 0;
    LaunchedCount = 0;
    EnergyValues.clear();
    EnergySums = ResultSums{};
    TimeValues.clear();
    TimeSums = ResultSums{};
    TimeSpectrum.Bins.clear();
    EnergySpectrum.Bins.clear();
}

}  // namespace velox
