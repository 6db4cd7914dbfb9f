// Results store: binning, statistics, arrivals and the clear command.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/Readouts.h"
#include "core/model/VeloxData.h"
#include "results/model/Spectrum.h"

using namespace velox;

// The quotient is truncated in extended precision: 0.25 / 0.05 and 1.0 / 0.05
// lie just below 5 and 20.  Values without a channel give -1.
TEST(Binning, ChannelOfAValue) {
    const struct { double value, width; std::int32_t channel; } rows[] = {
        {2.0, 1.0, 2},  {1.999, 1.0, 1}, {0.3, 1.0, 0}, {0.25, 0.05, 4}, {1.0, 0.05, 19}, {-1.0, 1.0, -1},
        {1e300, 1.0, -1}, {NAN, 1.0, -1}, {INFINITY, 1.0, -1}, {MaxChannel + 5.0, 1.0, -1}, {MaxChannel, 1.0, MaxChannel},
        {3.0, 0.0, -1}, {3.0, -1.0, -1}, {3.0, NAN, -1}};
    for (const auto& r : rows) EXPECT_EQ(ChannelOf(r.value, r.width), r.channel) << r.value << " / " << r.width;
    // Simulated times built by adding 0.05, stored as doubles.
    double t = 0;
    for (int k : {1, 2, 3, 4, 4, 5}) {
        t = static_cast<double>(static_cast<long double>(t) + 0.05);
        EXPECT_EQ(ChannelOf(t, 0.05), k) << t;
    }
}

TEST(Binning, BinsGrowToTheHighestChannel) {
    Spectrum s;
    for (double v : {37.5, 3.2, 3.9, -1.0, double(NAN)}) AddToBin(s, v);
    std::vector<std::int32_t> expected(38, 0);
    expected[3] = 2;
    expected[37] = 1;
    EXPECT_EQ(s.Bins, expected);
}

// Energies 0.1, 0.9, 2.5, 4.9, 8.1, 12.1: width 1 → 2 → 1 gives the same
// histogram back; the values and sums stay.
TEST(Binning, RebinRestoresTheHistogram) {
    Results r;
    for (double v : {1, 3, 5, 7, 9, 11}) r.RecordArrival(v, v / 10);
    const auto before = r.EnergySpectrum.Bins;
    EXPECT_EQ(before, (std::vector<std::int32_t>{2, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
    const std::vector<double> values = r.EnergyValues;
    const ResultSums sums = r.EnergySums;
    r.EnergySpectrum.ChannelWidth = 2.0;
    Rebin(r.EnergySpectrum, r.EnergyValues);
    EXPECT_EQ(r.EnergySpectrum.Bins, (std::vector<std::int32_t>{2, 1, 1, 0, 1, 0, 1}));
    r.EnergySpectrum.ChannelWidth = 1.0;
    Rebin(r.EnergySpectrum, r.EnergyValues);
    EXPECT_EQ(r.EnergySpectrum.Bins, before);
    EXPECT_EQ(std::tuple(r.EnergyValues, r.EnergySums.Sum, r.EnergySums.SumSq), std::tuple(values, sums.Sum, sums.SumSq));
}

// A velocity of 10 gives E = 10; the time 0.25 goes to channel 4 at 0.05.
TEST(Arrivals, RecordArrivalFillsListsSumsBinsAndReadouts) {
    Results r;
    EXPECT_EQ(ArrivalEnergyText(r.LastArrival) + ArrivalTimeText(r.LastArrival), "E = 0.000t = 0.000");
    r.TimeSpectrum.ChannelWidth = 0.05;
    r.RecordArrival(10.0, 0.25);
    EXPECT_EQ(std::tuple(r.EnergyValues, r.TimeValues, r.ArrivedCount), std::tuple(std::vector{10.0}, std::vector{0.25}, 1));
    EXPECT_EQ(std::tuple(r.EnergySums.Sum, r.EnergySums.SumSq, r.TimeSums.Sum, r.TimeSums.SumSq),
              std::tuple(10.0, 100.0, 0.25, 0.0625));
    EXPECT_EQ(ArrivalEnergyText(r.LastArrival), "E =    10.0000");
    EXPECT_EQ(ArrivalTimeText(r.LastArrival), "t =     0.2500");
    EXPECT_EQ(std::pair(r.EnergySpectrum.Bins.size(), r.TimeSpectrum.Bins), std::pair(11ul, std::vector{0, 0, 0, 0, 1}));
    // An energy beyond every channel still counts in the lists and sums.
    r.RecordArrival(1e160, 0.5);
    EXPECT_EQ(std::tuple(r.ArrivedCount, r.EnergyValues.size(), r.EnergySpectrum.Bins.size()), std::tuple(2, 2ul, 11ul));
}

// Counters that a results file brought in at the top stay there.
TEST(Arrivals, CountersStopAtTheLargest32BitValue) {
    VeloxData d;
    const std::int32_t top = std::numeric_limits<std::int32_t>::max();
    d.Store.ArrivedCount = d.Store.LaunchedCount = top;
    d.Store.EnergySpectrum.Bins = {0, top};
    d.LaunchParticle(0);
    d.Store.RecordArrival(std::sqrt(10.0), 1);
    EXPECT_EQ(std::tuple(d.Store.ArrivedCount, d.Store.LaunchedCount, d.Store.EnergySpectrum.Bins[1]),
              std::tuple(top, top, top));
}

// Population deviation over the arrival count, which both spectra divide by;
// a variance that rounds to zero or below gives exactly 0.
TEST(Statistics, MeanAndPopulationDeviation) {
    const struct { ResultSums sums; std::int32_t n; double mean, deviation; } rows[] = {
        {{0, 0}, 0, 0, 0}, {{5, 25}, 0, 0, 0}, {{6, 20}, 2, 3, 1}, {{10, 50}, 4, 2.5, 2.5},
        {{12.5, 156.25}, 1, 12.5, 0}, {{0.3, 0.09 * (1 - 1e-15)}, 1, 0.3, 0}};
    for (const auto& r : rows) {
        const Statistics s = ComputeStatistics(r.sums, r.n);
        EXPECT_EQ(std::pair(s.Mean, s.Deviation), std::pair(r.mean, r.deviation)) << r.sums.Sum << " / " << r.n;
    }
}

// Only when there is something to clear is the question asked; Yes clears
// values, sums, counters and histograms and keeps the settings and the
// last arrival's readout.
TEST(ClearCommand, ClearsValuesButKeepsSettings) {
    Results r;
    EXPECT_TRUE(r.IsEmpty());
    r.EnergySpectrum.Bins.push_back(0);
    EXPECT_FALSE(r.IsEmpty());
    r.EnergySpectrum.Bins.clear();
    r.TimeValues.push_back(1.0);
    EXPECT_FALSE(r.IsEmpty());
    r.TimeValues.clear();
    r.EnergySpectrum.ChannelWidth = 2.0;
    r.EnergySpectrum.XMin = 7;
    r.EnergySpectrum.Marker = 33;
    r.TimeSpectrum.YMax = 60;
    r.TimeSpectrum.Auto = false;
    r.RecordArrival(20, 1);
    r.LaunchedCount = 5;
    r.Clear();
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(std::tuple(r.ArrivedCount, r.LaunchedCount, r.EnergySums.Sum, r.EnergySums.SumSq, r.TimeSums.Sum,
                         r.TimeSums.SumSq),
              std::tuple(0, 0, 0.0, 0.0, 0.0, 0.0));
    EXPECT_EQ(std::tuple(r.EnergySpectrum.ChannelWidth, r.EnergySpectrum.XMin, r.EnergySpectrum.Marker,
                         r.TimeSpectrum.YMax, r.TimeSpectrum.Auto),
              std::tuple(2.0, 7, 33, 60, false));
    EXPECT_EQ(ArrivalEnergyText(r.LastArrival), "E =    40.0000");
}
