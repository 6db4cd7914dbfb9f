// The results store, the spectrum plots and the results panel's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <numeric>

#include "core/model/Readouts.h"
#include "results/model/PlotGeometry.h"
#include "results/model/SpectrumPanel.h"

using namespace velox;
using Lines = std::vector<std::vector<PlotPoint>>;
using Bins = std::vector<std::int32_t>;

namespace {

// 4 pixels per character, 6-pixel lines.
const TextMetrics Metrics{[](std::string_view s) { return 4 * int(std::count_if(s.begin(), s.end(),
                              [](unsigned char c) { return (c & 0xC0) != 0x80; })); }, 6};

Spectrum Plot(std::int32_t xMin, std::int32_t xMax, bool autoOn = true) {
    Spectrum s;
    InitSpectrum(s, PlotBitmapWidth, PlotBitmapHeight, 50, autoOn);
    std::tie(s.XMin, s.XMax) = std::tuple(xMin, xMax);
    return s;
}

SpectrumGeometry Draw(Spectrum& s, std::int32_t arrived = 0, const ResultSums& sums = {}) {
    return DrawSpectrumGeometry(s, sums, arrived, Metrics, PlotBitmapWidth);
}

template <class T, class F>
auto Each(const std::vector<T>& items, F f) {
    std::vector<decltype(f(items[0]))> out;
    for (const T& item : items) out.push_back(f(item));
    return out;
}
const auto Text = [](const PlotText& t) { return t.text; };
const auto X1 = [](const PlotLine& l) { return l.x1; };

}  // namespace

// Extended precision: 0.25 / 0.05, 1.0 / 0.05 and summed times lie just below 5, 20, …; no channel gives -1.
TEST(Binning, ChannelsOfValues) {
    const struct { double value, width; std::int32_t channel; } rows[] = {
        {2.0, 1.0, 2},    {1.999, 1.0, 1}, {0.3, 1.0, 0},       {0.25, 0.05, 4},   {1.0, 0.05, 19},
        {-1.0, 1.0, -1},  {1e300, 1.0, -1}, {NAN, 1.0, -1},     {INFINITY, 1.0, -1}, {MaxChannel + 5.0, 1.0, -1},
        {MaxChannel, 1.0, MaxChannel}, {3.0, 0.0, -1}, {3.0, -1.0, -1}, {3.0, NAN, -1}};
    for (const auto& r : rows) EXPECT_EQ(ChannelOf(r.value, r.width), r.channel) << r.value << " / " << r.width;
    double t = 0;
    for (int k : {1, 2, 3, 4, 4, 5}) EXPECT_EQ(ChannelOf(t = double(Extended(t) + 0.05), 0.05), k) << t;
    Spectrum s;
    for (double v : {37.5, 3.2, 3.9, -1.0, double(NAN)}) AddToBin(s, v);
    EXPECT_EQ(std::tuple(s.Bins.size(), s.Bins[3], s.Bins[37], std::reduce(s.Bins.begin(), s.Bins.end())),
              std::tuple(38ul, 2, 1, 3));
}

// A velocity of 10 gives E = 10.  Energies 0.1, 0.9, 2.5, 4.9, 8.1, 12.1: the channel width 1 → 2 → 1 gives the
// same histogram back, the values and sums stay.  An energy beyond every channel still counts in lists and sums.
TEST(Arrivals, RecordArrivalAndRebin) {
    Results r;
    EXPECT_EQ(ArrivalEnergyText(r.LastArrival) + ArrivalTimeText(r.LastArrival), "E = 0.000t = 0.000");
    r.TimeSpectrum.ChannelWidth = 0.05;
    r.RecordArrival(10.0, 0.25);
    EXPECT_EQ(
        std::tuple(r.EnergyValues, r.TimeValues, r.ArrivedCount, r.EnergySpectrum.Bins.size(), r.TimeSpectrum.Bins),
        std::tuple(std::vector{10.0}, std::vector{0.25}, 1, 11ul, Bins{0, 0, 0, 0, 1}));
    EXPECT_EQ(std::tuple(r.EnergySums.Sum, r.EnergySums.SumSq, r.TimeSums.Sum, r.TimeSums.SumSq),
              std::tuple(10.0, 100.0, 0.25, 0.0625));
    EXPECT_EQ(ArrivalEnergyText(r.LastArrival) + ArrivalTimeText(r.LastArrival), "E =    10.0000t =     0.2500");
    Results q;
    for (double v : {1, 3, 5, 7, 9, 11}) q.RecordArrival(v, v / 10);
    const Results before = q;
    EXPECT_EQ(q.EnergySpectrum.Bins, (Bins{2, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
    StoreChannelWidth(q.EnergySpectrum, 2.0, q.EnergyValues);
    EXPECT_EQ(q.EnergySpectrum.Bins, (Bins{2, 1, 1, 0, 1, 0, 1}));
    StoreChannelWidth(q.EnergySpectrum, 1.0, q.EnergyValues);
    EXPECT_EQ(
        std::tuple(q.EnergySpectrum.Bins, q.EnergyValues, q.EnergySums.Sum, q.EnergySums.SumSq),
        std::tuple(before.EnergySpectrum.Bins, before.EnergyValues, before.EnergySums.Sum, before.EnergySums.SumSq));
    q.RecordArrival(1e160, 0.5);
    EXPECT_EQ(std::tuple(q.ArrivedCount, q.EnergyValues.size(), q.EnergySpectrum.Bins.size()),
              std::tuple(7, 7ul, 13ul));
}

// Population deviation over the arrival count; a variance rounding to 0 or below gives 0; the box has "%10.3f".
TEST(Statistics, MeanDeviationAndTheStatisticsBox) {
    const struct { ResultSums sums; std::int32_t n; double mean, deviation; } rows[] = {
        {{0, 0}, 0, 0, 0},        {{5, 25}, 0, 0, 0},           {{6, 20}, 2, 3, 1},
        {{10, 50}, 4, 2.5, 2.5}, {{12.5, 156.25}, 1, 12.5, 0}, {{0.3, 0.09 * (1 - 1e-15)}, 1, 0.3, 0}};
    for (const auto& r : rows) {
        const Statistics s = ComputeStatistics(r.sums, r.n);
        EXPECT_EQ(std::pair(s.Mean, s.Deviation), std::pair(r.mean, r.deviation)) << r.sums.Sum << " / " << r.n;
    }
    const StatisticsBoxTexts none = StatisticsBox({}, 0), two = StatisticsBox({6, 20}, 2);
    EXPECT_EQ(std::tuple(none.Count, none.Mean, none.Deviation, two.Count, two.Mean, two.Deviation),
              std::tuple("Összes : 0", "Átlag  :      0.000", "Szórás :      0.000", "Összes : 2",
                         "Átlag  :      3.000", "Szórás :      1.000"));
}

// Asked only with something to clear; Yes clears the results, keeping settings and the last arrival's readout.
TEST(ClearCommand, ClearsValuesButKeepsSettings) {
    Results r;
    const bool empty = r.IsEmpty();
    r.EnergySpectrum.Bins.push_back(0);
    EXPECT_TRUE(empty && !r.IsEmpty());
    std::tie(r.EnergySpectrum.ChannelWidth, r.EnergySpectrum.XMin, r.EnergySpectrum.Marker) = std::tuple(2.0, 7, 33);
    std::tie(r.TimeSpectrum.YMax, r.TimeSpectrum.Auto) = std::tuple(60, false);
    r.RecordArrival(20, 1);
    r.LaunchedCount = 5;
    r.Clear();
    EXPECT_EQ(std::tuple(r.IsEmpty(), r.ArrivedCount, r.LaunchedCount, r.EnergySums.Sum, r.EnergySums.SumSq,
                         r.TimeSums.Sum, r.TimeSums.SumSq),
              std::tuple(true, 0, 0, 0.0, 0.0, 0.0, 0.0));
    EXPECT_EQ(std::tuple(r.EnergySpectrum.ChannelWidth, r.EnergySpectrum.XMin, r.EnergySpectrum.Marker,
                         r.TimeSpectrum.YMax, r.TimeSpectrum.Auto, ArrivalEnergyText(r.LastArrival)),
              std::tuple(2.0, 7, 33, 60, false, "E =    40.0000"));
}

// 0 … 14.8 and 0 … 148 swing between two steps until the 20 moves are spent; no range gives step 1.
TEST(NiceStep, StepsHiAndIntervals) {
    for (auto [lo0, hi0, step0, lo1, hi1, n] : std::vector<std::array<double, 6>>{
             {0, 20, 5, 0, 20, 4},  {0, 37, 10, 0, 40, 4},   {0, 100, 20, 0, 100, 5}, {0, 220, 50, 0, 250, 5},
             {0, 14.8, 5, 0, 15, 3}, {0, 148, 20, 0, 160, 8}, {5, 100, 20, 0, 100, 5}, {5, 5, 1, 5, 5, 0},
             {7, 3, 1, 7, 3, 0},    {0, INFINITY, 1, 0, INFINITY, 0}}) {
        double lo = lo0, hi = hi0, step = 0, intervals = 9;
        NiceStep(lo, hi, step, intervals);
        EXPECT_EQ((std::array{step, lo, hi, intervals}), (std::array{step0, lo1, hi1, n})) << lo0 << " … " << hi0;
    }
    double lo = -1e300, hi = 1e300, step, intervals;
    NiceStep(lo, hi, step, intervals);
    EXPECT_EQ(step, 5e6);
}

TEST(AutoScaleY, RoundedUpTopFromTheShownChannels) {
    Spectrum s = Plot(0, 100);
    for (auto [count, top] : {std::pair{37, 40}, {21, 25}, {100, 100}, {101, 120}, {148, 160}, {-1, 20}, {5, 20},
                              {INT_MAX, INT_MAX}}) {
        AutoScaleY(s, count);
        EXPECT_EQ(s.YMax, top) << count;
    }
    const bool lowered = AutoScaleY(s, 3), same = AutoScaleY(s, 3), raised = AutoScaleY(s, 148);
    EXPECT_EQ(std::tuple(lowered, same, raised, s.AxisStep), std::tuple(true, false, true, 20.0));
    // The count axis sees only channels XMin − 1 … XMax; "Összes=" counts all.
    s = Plot(10, 50);
    s.Bins.assign(52, 0);
    s.Bins[8] = s.Bins[51] = 500;
    s.Bins[9] = 37;
    s.Bins[50] = 36;
    const auto g = Draw(s);
    EXPECT_EQ(std::tuple(s.YMax, g.MaxCount, g.StatisticsTexts[0].text), std::tuple(40, 37, "Összes=1073"));
    s.Bins[9] = 0;
    EXPECT_EQ(Draw(s).MaxCount, 36);
}

// The bitmap 260 × 179: XLeft 25, XRight 250, YTop 5, YBottom 159; the tick for 250 lies off the bitmap.
TEST(DrawSpectrum, EmptyAxesAndLabels) {
    Spectrum s = Plot(0, 220);
    s.YMax = 50;
    const auto g = Draw(s);
    EXPECT_EQ(std::tuple(s.YMax, s.AxisStep, g.CountLine.empty()), std::tuple(20, 50.0, true));
    EXPECT_EQ(g.Axes.Axes, (std::vector<PlotLine>{{25, 0, 25, 159}, {25, 159, 250, 159}}));
    EXPECT_EQ(g.Axes.CountLabels,
              (std::vector<PlotText>{{16, 156, "0"}, {16, 118, "5"}, {12, 79, "10"}, {12, 41, "15"}, {12, 2, "20"}}));
    EXPECT_EQ(g.Axes.CountTicks[1], (PlotLine{25, 121, 20, 121}));
    EXPECT_EQ(Each(g.Axes.ChannelLabels, Text), (std::vector<std::string>{"0", "50", "100", "150", "200", "250"}));
    EXPECT_EQ(Each(g.Axes.ChannelTicks, X1), (std::vector<int>{25, 76, 127, 178, 229, 280}));
    EXPECT_EQ(std::pair(g.Axes.ChannelTicks[1], g.Axes.ChannelLabels[1]),
              std::pair(PlotLine{76, 159, 76, 169}, PlotText{72, 169, "50"}));
    Spectrum t = Plot(0, 100), u = Plot(5, 100);
    EXPECT_EQ(Each(DrawAxesGeometry(t, Metrics).ChannelTicks, X1), (std::vector<int>{25, 70, 115, 160, 205, 250}));
    EXPECT_EQ(Each(DrawAxesGeometry(u, Metrics).ChannelLabels, Text),
              (std::vector<std::string>{"5", "25", "45", "65", "85", "105"}));
}

// Counts above the box are cut at its top edge; a first point above it rises from the axis and the line starts
// afresh inside; the line starts one channel left of the axis and comes back to zero.
TEST(DrawSpectrum, CountLine) {
    Spectrum s = Plot(0, 100, false);
    s.Bins = {0, 0, 0, 10, 30, 30, 10, 0};
    EXPECT_EQ(Draw(s).CountLine, (Lines{{{25, 159}, {27, 159}, {29, 159}, {31, 82}, {32, 5}, {36, 5}, {38, 82},
                                         {40, 159}, {43, 159}}}));
    s.Bins = {50, 0};
    EXPECT_EQ(Draw(s).CountLine, (Lines{{{25, 159}, {25, 5}}, {{27, 159}, {29, 159}}}));
    s = Plot(3, 100, false);
    s.Bins = {0, 9, 9, 9, 9};
    EXPECT_EQ(Draw(s).CountLine, (Lines{{{23, 90}, {25, 90}, {27, 90}, {29, 159}}}));
    s = Plot(0, 220);  // 44 · 225 / 220 in extended precision stays below 45
    s.Bins.assign(45, 0);
    s.Marker = 44;
    const auto g = Draw(s);
    EXPECT_EQ(std::pair(g.Axes.Marker.LineX, g.CountLine[0][44].x), std::pair(25 + 44, 25 + 44));
    // One arrival of energy 12.5.
    s = Plot(0, 100);
    s.Bins = Bins(13, 0);
    s.Bins[12] = 1;
    EXPECT_EQ(
        Draw(s, 1, {12.5, 156.25}).StatisticsTexts,
        (std::vector<PlotText>{{187, 2, "Összes=1"}, {187, 10, "Átlag=    12.500"}, {187, 18, "Szórás=     0.000"}}));
}

// Counters left of XMin and right of XMax are told at the plot's edges, just above the channel axis; the edge
// channels themselves are shown, and channel XMin - 1, where the line enters the box, is beyond.
TEST(DrawSpectrum, CountsBeyondTheRange) {
    struct Case {
        std::int32_t xMin, xMax;
        Bins bins;
        BeyondRange counts;
        std::vector<PlotText> texts;
    };
    const Case cases[] = {
        {0, 100, {0, 2, 3}, {0, 0}, {}},
        {0, 20, {0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 382}, {0, 384},
         {{230, 152, "→ 384"}}},
        {5, 100, {0, 0, 0, 2, 1, 7}, {3, 0}, {{28, 152, "← 3"}}},
        {5, 25, Bins(27, 0), {1, 10}, {{28, 152, "← 1"}, {234, 152, "→ 10"}}},
    };
    for (const Case& c : cases) {
        Spectrum s = Plot(c.xMin, c.xMax);
        s.Bins = c.bins;
        if (c.bins.size() == 27) s.Bins[0] = 1, s.Bins[25] = 4, s.Bins[26] = 10;
        const auto g = Draw(s);
        EXPECT_EQ(g.Beyond, c.counts) << c.xMin << " " << c.xMax;
        EXPECT_EQ(g.BeyondTexts, c.texts) << c.xMin << " " << c.xMax;
    }
}

// An empty range is scaled as 20 channels from XMin, a count-axis top below 20 is raised; extremes stay bounded.
TEST(DrawSpectrum, DamagedRecordsDrawSafely) {
    Spectrum s = Plot(40, 40, false);
    s.YMax = 0;
    s.Bins.assign(42, 1);
    auto g = Draw(s);
    EXPECT_EQ(std::tuple(s.XMax, s.XScale, s.YMax, g.Axes.YMaxRaised, g.CountLine),
              std::tuple(40, 225.0 / 20, 20, true, Lines{{{14, 152}, {25, 152}}}));
    s = Plot(INT_MIN, INT_MAX);
    s.YMax = s.Marker = INT_MAX;
    s.Bins = {INT_MAX, INT_MAX};
    g = Draw(s, 2, ResultSums{NAN, INFINITY});
    EXPECT_EQ(std::tuple(g.StatisticsTexts[0].text, g.Axes.Marker.LineX), std::tuple("Összes=4294967294", 249));
    EXPECT_LT(g.Axes.CountTicks.size() + g.Axes.ChannelTicks.size(), 2000u);
}

// A column of more than four points keeps its first, lowest, highest and last, which cover the same pixels; a lone
// move draws nothing.  A long histogram over a narrow range stays bounded.
TEST(PolylineBuilder, SqueezedColumns) {
    PolylineBuilder b;
    b.MoveTo({0, 0});
    b.MoveTo({1, 0});
    b.LineTo({2, 0});
    b.LineTo({3, 0});
    b.MoveTo({5, 40});
    for (int y : {10, 50, 20, 90, 30}) b.LineTo({5, y});  // the column where the line starts
    for (int y : {10, 50, 20, 90, 30}) b.LineTo({6, y});
    b.LineTo({7, 0});
    EXPECT_EQ(b.Finish(), (Lines{{{1, 0}, {2, 0}, {3, 0}},
                                 {{5, 40}, {5, 10}, {5, 90}, {5, 30}, {6, 10}, {6, 10}, {6, 90}, {6, 30}, {7, 0}}}));
    Spectrum s = Plot(0, 1 << 20);
    s.Bins.assign(1 << 20, 0);
    for (std::size_t i = 0; i < s.Bins.size(); i += 3) s.Bins[i] = std::int32_t(i % 97);
    EXPECT_LE(Draw(s).CountLine.at(0).size(), 4u * 227);
}

// "Y=" shows channels 1 … length − 1 only; the marker is kept in the range; Alt + arrows move it one channel,
// never past XMin or XMax, with the scales recomputed.
TEST(Marker, ReadoutsClampAndKeys) {
    Spectrum s = Plot(0, 100);
    EXPECT_EQ(DrawAxesGeometry(s, Metrics).Marker.YText, "Y=         ");
    s.Bins.assign(13, 7);
    s.Bins[12] = 42;
    for (auto [marker, y] : {std::pair{0, "Y=         "}, {1, "Y=7   "}, {12, "Y=42   "}, {13, "Y=         "}}) {
        s.Marker = marker;
        EXPECT_EQ(UpdateMarkerGeometry(s).YText, y) << marker;
    }
    EXPECT_EQ(std::pair(UpdateMarkerGeometry(s).XText, UpdateMarkerGeometry(s).LineX),
              std::pair(std::string("X=13   "), 54));
    s.XMin = 60;
    EXPECT_EQ(DrawAxesGeometry(s, Metrics).Marker.XText, "X=60   ");
    std::tie(s.XMin, s.XMax) = std::tuple(0, 40);
    DrawAxesGeometry(s, Metrics);
    EXPECT_EQ(s.Marker, 40);
    s = Plot(10, 40);
    s.Marker = 39;
    for (int i = 0; i < 2; ++i) MoveMarker(s, MarkerKey::Right);
    EXPECT_EQ(std::pair(s.Marker, s.XScale), std::pair(40, 225.0 / 30));
    s.Marker = 11;
    for (int i = 0; i < 2; ++i) MoveMarker(s, MarkerKey::Left);
    EXPECT_EQ(s.Marker, 10);
}

// "Ymax" from 20; "Xmin" 0 … XMax − 20; "Xmax" from 20 and XMin + 20; "Csat." from 0.01.  Storing keeps the marker
// inside the range.
TEST(SpectrumFields, AcceptedAndRefusedEntries) {
    for (auto [text, value] : {std::pair{"20", 20}, {" 25", 25}, {"$20", 32}})
        EXPECT_EQ(AcceptYMax(text), value) << text;
    for (const char* bad : {"19", "25 ", "", "abc"}) EXPECT_FALSE(AcceptYMax(bad)) << bad;
    Spectrum s = Plot(0, 100), from30 = Plot(30, 100), odd = Plot(INT_MAX, INT_MIN);
    EXPECT_EQ(std::tuple(AcceptXMin(s, "80"), AcceptXMin(s, "0"), AcceptXMax(from30, "50"), AcceptXMax(s, "20")),
              std::tuple(80, 0, 50, 20));
    EXPECT_FALSE(AcceptXMin(s, "81") || AcceptXMin(s, "-1") || AcceptXMax(from30, "49") ||
                 AcceptXMax(Plot(-10, 100), "19"));
    EXPECT_FALSE(AcceptXMax(odd, "2147483647") || AcceptXMin(odd, "0"));
    for (auto [text, value] : {std::pair{"0.01", 0.01}, {"0.2", 0.2}, {"1e1", 10.0}})
        EXPECT_EQ(AcceptChannelWidth(text), value) << text;
    for (const char* bad : {"0.009", "0", "1,5", "-1", "1e999"}) EXPECT_FALSE(AcceptChannelWidth(bad)) << bad;
    StoreXMin(s, 60);
    const int up = s.Marker;
    StoreXMax(s, 80);
    const int kept = s.Marker;
    StoreXMax(s, 55);
    StoreYMax(s, 45);
    EXPECT_EQ(std::tuple(up, kept, s.XMin, s.XMax, s.Marker, s.YMax), std::tuple(60, 60, 60, 55, 55, 45));
}
