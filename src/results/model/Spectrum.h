// The results store: every recorded energy and arrival time, their sums,
// the particle counters and the two spectrum records.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace velox {

struct ResultSums {
    double Sum = 0.0;
    double SumSq = 0.0;
};

// Channels beyond this are never created: a value that would need one is
// kept in the value lists and sums but not counted into the histogram.
inline constexpr std::int32_t MaxChannel = 1 << 23;

// A histogram together with the settings and geometry of its plot.  The
// off-screen bitmap, the image control, the marker line and the readout
// labels belong to the window.
struct Spectrum {
    std::int32_t XRight = 0;
    std::int32_t XLeft = 0;
    std::int32_t YTop = 0;
    std::int32_t YBottom = 0;
    double XScale = 0.0;
    double YScale = 0.0;
    double AxisStep = 0.0;
    double AxisIntervals = 0.0;
    double ChannelWidth = 1.0;
    std::int32_t XMin = 0;
    std::int32_t XMax = 100;
    std::int32_t YMax = 20;
    std::int32_t Marker = 0;
    std::vector<std::int32_t> Bins;
    bool Auto = true;
};

// Sets a spectrum up for a plot bitmap of the given size: channels 0 … 100
// of width 1, count axis 0 … 20, an empty histogram, the marker on its
// default channel.
void InitSpectrum(Spectrum& spectrum, std::int32_t bitmapWidth, std::int32_t bitmapHeight,
                  std::int32_t markerDefault, bool autoState);

// The markers' channels when the spectra are set up.
inline constexpr std::int32_t EnergyMarkerStart = 50;
inline constexpr std::int32_t TimeMarkerStart = 20;

// Size of the spectrum plot bitmaps in the standard layout.
inline constexpr std::int32_t PlotBitmapWidth = 260;
inline constexpr std::int32_t PlotBitmapHeight = 179;

// Makes sure Bins[index] exists, appending zero counters as needed.
void EnsureBin(std::vector<std::int32_t>& bins, std::int32_t index);

// The channel of a value, Trunc(value / ChannelWidth) formed in extended
// precision; -1 when the value has no channel (negative, not finite, a
// channel width that is not positive, or a channel above MaxChannel).
std::int32_t ChannelOf(double value, double channelWidth);

// Counts one value into its channel; a value without a channel is skipped.
void AddToBin(Spectrum& spectrum, double value);

// Rebuilds the histogram from a value list.
void Rebin(Spectrum& spectrum, const std::vector<double>& values);

struct Statistics {
    double Mean = 0.0;
    double Deviation = 0.0;
};

// Mean and population standard deviation over `arrivedCount` values.
Statistics ComputeStatistics(const ResultSums& sums, std::int32_t arrivedCount);

// The last particle that reached the target.
struct Arrival {
    double Energy = 0.0;
    double Time = 0.0;
};

struct Results {
    std::vector<double> EnergyValues;
    std::vector<double> TimeValues;
    ResultSums EnergySums;
    ResultSums TimeSums;
    std::int32_t ArrivedCount = 0;
    std::int32_t LaunchedCount = 0;
    Spectrum EnergySpectrum;
    Spectrum TimeSpectrum;
    // Shown under "Beérkező részecske"; none before the first arrival.  A
    // clear keeps it.
    std::optional<Arrival> LastArrival;

    Results();

    // Records one particle that reached the target.
    void RecordArrival(double velocity, double arrivalTime);

    // True when the results clear has nothing to clear and asks nothing.
    bool IsEmpty() const;

    // The effect of answering Yes to the clear question: values, sums,
    // counters and histograms go; settings and the last arrival stay.
    void Clear();

    // The sums of a spectrum's values: EnergySums for EnergySpectrum,
    // TimeSums for TimeSpectrum.
    const ResultSums& SumsOf(const Spectrum& spectrum) const;
};

}  // namespace velox
