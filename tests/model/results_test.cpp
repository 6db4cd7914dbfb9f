// Results store: binning, statistics, arrivals and the clear command.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/Readouts.h"
#include "core/model/VeloxData.h"
#include "results/model/Spectrum.h"

using namespace velox;

TEST(Binning, ChannelBoundariesUseExtendedPrecision) {
    EXPECT_EQ(ChannelOf(2.0, 1.0), 2);
    EXPECT_EQ(ChannelOf(1.999, 1.0), 1);
    EXPECT_EQ(ChannelOf(0.3, 1.0), 0);
    EXPECT_EQ(ChannelOf(0.25, 0.05), 4);
    EXPECT_EQ(ChannelOf(1.0, 0.05), 19);
    // Simulated times built by adding 0.05, stored as doubles.
    double t = 0;
    const int expected[] = {1, 2, 3, 4, 4, 5};
    for (int k : expected) {
        t = static_cast<double>(static_cast<long double>(t) + 0.05);
        EXPECT_EQ(ChannelOf(t, 0.05), k) << t;
    }
}

TEST(Binning, BinsGrowToTheHighestChannel) {
    Spectrum s;
    s.ChannelWidth = 1.0;
    AddToBin(s, 37.5);
    ASSERT_EQ(s.Bins.size(), 38u);
    EXPECT_EQ(s.Bins[37], 1);
    for (int c = 0; c < 37; ++c) EXPECT_EQ(s.Bins[static_cast<std::size_t>(c)], 0);
    AddToBin(s, 3.2);
    AddToBin(s, 3.9);
    EXPECT_EQ(s.Bins[3], 2);
    EXPECT_EQ(s.Bins.size(), 38u);
}

TEST(Binning, ValuesWithoutAChannelAreNotBinned) {
    Spectrum s;
    s.ChannelWidth = 1.0;
    AddToBin(s, -1.0);
    AddToBin(s, 1e300);
    AddToBin(s, NAN);
    AddToBin(s, INFINITY);
    AddToBin(s, static_cast<double>(MaxChannel) + 5);
    EXPECT_TRUE(s.Bins.empty());
    AddToBin(s, static_cast<double>(MaxChannel));  // the last channel that exists
    EXPECT_EQ(s.Bins.size(), static_cast<std::size_t>(MaxChannel) + 1);
    s.Bins.clear();
    s.ChannelWidth = 0.0;
    AddToBin(s, 3.0);
    s.ChannelWidth = -1.0;
    AddToBin(s, 3.0);
    EXPECT_TRUE(s.Bins.empty());
}

TEST(Binning, HugeValueStillCountsInListsAndSums) {
    Results r;
    r.RecordArrival(1e160, 0.5);  // energy far beyond any channel
    EXPECT_EQ(r.ArrivedCount, 1);
    EXPECT_EQ(r.EnergyValues.size(), 1u);
    EXPECT_TRUE(r.EnergySpectrum.Bins.empty());
    EXPECT_EQ(r.TimeSpectrum.Bins.size(), 1u);
}

TEST(Binning, RebinRestoresTheHistogram) {
    Results r;
    for (double v : {0.5, 4.0, 7.25, 12.0, 3.999, 19.0}) r.RecordArrival(std::sqrt(10 * v), v / 10);
    const auto before = r.EnergySpectrum.Bins;
    const auto values = r.EnergyValues;
    const ResultSums sums = r.EnergySums;
    r.EnergySpectrum.ChannelWidth = 2.0;
    Rebin(r.EnergySpectrum, r.EnergyValues);
    EXPECT_NE(r.EnergySpectrum.Bins, before);
    r.EnergySpectrum.ChannelWidth = 1.0;
    Rebin(r.EnergySpectrum, r.EnergyValues);
    EXPECT_EQ(r.EnergySpectrum.Bins, before);
    EXPECT_EQ(r.EnergyValues, values);
    EXPECT_EQ(r.EnergySums.Sum, sums.Sum);
    EXPECT_EQ(r.EnergySums.SumSq, sums.SumSq);
}

TEST(Arrivals, RecordArrivalFillsListsSumsBinsAndReadouts) {
    Results r;
    r.TimeSpectrum.ChannelWidth = 0.05;
    r.RecordArrival(10.0, 0.25);
    EXPECT_EQ(r.EnergyValues, std::vector<double>{10.0});
    EXPECT_EQ(r.TimeValues, std::vector<double>{0.25});
    EXPECT_EQ(r.EnergySums.Sum, 10.0);
    EXPECT_EQ(r.EnergySums.SumSq, 100.0);
    EXPECT_EQ(r.TimeSums.SumSq, 0.0625);
    EXPECT_EQ(r.ArrivedCount, 1);
    EXPECT_EQ(ArrivalEnergyText(r.LastArrival), "E =    10.0000");
    EXPECT_EQ(ArrivalTimeText(r.LastArrival), "t =     0.2500");
    EXPECT_EQ(r.EnergySpectrum.Bins.size(), 11u);
    ASSERT_EQ(r.TimeSpectrum.Bins.size(), 5u);
    EXPECT_EQ(r.TimeSpectrum.Bins[4], 1);
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

TEST(Statistics, MeanAndPopulationDeviation) {
    Results r;
    auto s = ComputeStatistics(r.EnergySums, r.ArrivedCount);
    EXPECT_EQ(s.Mean, 0.0);
    EXPECT_EQ(s.Deviation, 0.0);
    r.RecordArrival(std::sqrt(125.0), 1.0);  // E = 12.5
    s = ComputeStatistics(r.EnergySums, r.ArrivedCount);
    EXPECT_DOUBLE_EQ(s.Mean, 12.5);
    EXPECT_NEAR(s.Deviation, 0.0, 1e-6);  // the squares are rounded when stored
    ResultSums sums{6.0, 20.0};  // values 2 and 4
    s = ComputeStatistics(sums, 2);
    EXPECT_EQ(s.Mean, 3.0);
    EXPECT_EQ(s.Deviation, 1.0);
    // A variance that rounds below zero gives exactly 0.
    ResultSums tiny{0.3, 0.09 * (1 - 1e-15)};
    EXPECT_EQ(ComputeStatistics(tiny, 1).Deviation, 0.0);
    // Both spectra divide by the arrival count, not by their own list.
    EXPECT_EQ(ComputeStatistics(ResultSums{10.0, 50.0}, 4).Mean, 2.5);
}

TEST(ClearCommand, AsksOnlyWhenThereIsSomethingToClear) {
    Results r;
    EXPECT_TRUE(r.IsEmpty());
    r.EnergySpectrum.Bins.push_back(0);
    EXPECT_FALSE(r.IsEmpty());
    r.EnergySpectrum.Bins.clear();
    r.TimeValues.push_back(1.0);
    EXPECT_FALSE(r.IsEmpty());
}

TEST(ClearCommand, YesClearsValuesButKeepsSettings) {
    Results r;
    r.EnergySpectrum.ChannelWidth = 2.0;
    r.EnergySpectrum.XMin = 7;
    r.TimeSpectrum.YMax = 60;
    r.TimeSpectrum.Auto = false;
    r.EnergySpectrum.Marker = 33;
    r.RecordArrival(20, 1);
    r.LaunchedCount = 5;
    const std::string label = ArrivalEnergyText(r.LastArrival);
    r.Clear();
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.ArrivedCount, 0);
    EXPECT_EQ(r.LaunchedCount, 0);
    EXPECT_EQ(r.EnergySums.Sum, 0.0);
    EXPECT_EQ(r.TimeSums.SumSq, 0.0);
    EXPECT_EQ(r.EnergySpectrum.ChannelWidth, 2.0);
    EXPECT_EQ(r.EnergySpectrum.XMin, 7);
    EXPECT_EQ(r.EnergySpectrum.Marker, 33);
    EXPECT_EQ(r.TimeSpectrum.YMax, 60);
    EXPECT_FALSE(r.TimeSpectrum.Auto);
    EXPECT_EQ(ArrivalEnergyText(r.LastArrival), label);
}
