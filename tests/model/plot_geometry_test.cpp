// Spectrum plots: the 1-2-5 step rule, axes and labels, the count line, the statistics and the marker readouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <random>
#include <set>

#include "results/model/PlotGeometry.h"

using namespace velox;
using Lines = std::vector<std::vector<PlotPoint>>;

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

// 0 … 14.8 and 0 … 148 swing between two steps until the 20 moves are spent; no range gives step 1.
TEST(NiceStep, StepsHiAndIntervals) {
    for (auto [lo0, hi0, step0, lo1, hi1, n] : std::vector<std::array<double, 6>>{
             {0, 20, 5, 0, 20, 4}, {0, 37, 10, 0, 40, 4}, {0, 100, 20, 0, 100, 5}, {0, 220, 50, 0, 250, 5},
             {0, 14.8, 5, 0, 15, 3}, {0, 148, 20, 0, 160, 8}, {5, 100, 20, 0, 100, 5}, {5, 5, 1, 5, 5, 0},
             {7, 3, 1, 7, 3, 0}, {0, INFINITY, 1, 0, INFINITY, 0}}) {
        double lo = lo0, hi = hi0, step = 0, intervals = 9;
        NiceStep(lo, hi, step, intervals);
        EXPECT_EQ((std::array{step, lo, hi, intervals}), (std::array{step0, lo1, hi1, n})) << lo0 << " … " << hi0;
    }
    double lo = -1e300, hi = 1e300, step, intervals;
    NiceStep(lo, hi, step, intervals);
    EXPECT_EQ(step, 5e6);
}

TEST(AutoScaleY, RoundedUpTop) {
    Spectrum s = Plot(0, 100);
    for (auto [count, top] : {std::pair{37, 40}, {21, 25}, {100, 100}, {101, 120}, {148, 160}, {-1, 20}, {5, 20}, {INT_MAX, INT_MAX}}) {
        AutoScaleY(s, count);
        EXPECT_EQ(s.YMax, top) << count;
    }
    const bool lowered = AutoScaleY(s, 3), same = AutoScaleY(s, 3), raised = AutoScaleY(s, 148);
    EXPECT_EQ(std::tuple(lowered, same, raised, s.AxisStep), std::tuple(true, false, true, 20.0));
}

// The count axis sees only channels XMin − 1 … XMax; "Összes=" counts all.
TEST(DrawSpectrum, AutoSeesOnlyShownChannelsTotalSeesAll) {
    Spectrum s = Plot(10, 50);
    s.Bins.assign(52, 0);
    s.Bins[8] = s.Bins[51] = 500;
    s.Bins[9] = 37;
    const auto g = Draw(s);
    EXPECT_EQ(std::tuple(s.YMax, g.MaxCount, g.Total, g.StatisticsTexts[0].text), std::tuple(40, 37, 1037, "Összes=1037"));
}

// The bitmap 260 × 179: XLeft 25, XRight 250, YTop 5, YBottom 159; the tick for 250 lies off the bitmap.
TEST(DrawSpectrum, EmptyAxesAndLabels) {
    Spectrum s = Plot(0, 220);
    s.YMax = 50;
    const auto g = Draw(s);
    EXPECT_EQ(std::tuple(s.YMax, s.AxisStep, g.CountLine.empty()), std::tuple(20, 50.0, true));
    EXPECT_EQ(g.Axes.Axes, (std::vector<PlotLine>{{25, 0, 25, 159}, {25, 159, 250, 159}}));
    EXPECT_EQ(g.Axes.CountLabels, (std::vector<PlotText>{{16, 156, "0"}, {16, 118, "5"}, {12, 79, "10"}, {12, 41, "15"},
                                                         {12, 2, "20"}}));
    EXPECT_EQ(g.Axes.CountTicks[1], (PlotLine{25, 121, 20, 121}));
    EXPECT_EQ(Each(g.Axes.ChannelLabels, Text), (std::vector<std::string>{"0", "50", "100", "150", "200", "250"}));
    EXPECT_EQ(Each(g.Axes.ChannelTicks, X1), (std::vector<int>{25, 76, 127, 178, 229, 280}));
    EXPECT_EQ(std::pair(g.Axes.ChannelTicks[1], g.Axes.ChannelLabels[1]), std::pair(PlotLine{76, 159, 76, 169}, PlotText{72, 169, "50"}));
    Spectrum t = Plot(0, 100), u = Plot(5, 100);
    EXPECT_EQ(Each(DrawAxesGeometry(t, Metrics).ChannelTicks, X1), (std::vector<int>{25, 70, 115, 160, 205, 250}));
    EXPECT_EQ(Each(DrawAxesGeometry(u, Metrics).ChannelLabels, Text), (std::vector<std::string>{"5", "25", "45", "65", "85", "105"}));
}

// Counts above the box are cut at its top edge; a first point above it rises from the axis and the line
// starts afresh inside; the line starts one channel left of the axis and comes back to zero.
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
}

// One arrival of energy 12.5.
TEST(DrawSpectrum, StatisticsTexts) {
    Spectrum s = Plot(0, 100);
    s.Bins.assign(13, 0);
    s.Bins[12] = 1;
    EXPECT_EQ(Draw(s, 1, {12.5, 156.25}).StatisticsTexts,
              (std::vector<PlotText>{{187, 2, "Összes=1"}, {187, 10, "Átlag=    12.500"}, {187, 18, "Szórás=     0.000"}}));
}

// "Y=" shows channels 1 … length − 1 only; the marker is kept in the range.
TEST(UpdateMarker, ReadoutsAndClamp) {
    Spectrum s = Plot(0, 100);
    EXPECT_EQ(DrawAxesGeometry(s, Metrics).Marker.YText, "Y=         ");
    s.Bins.assign(13, 7);
    s.Bins[12] = 42;
    for (auto [marker, y] : {std::pair{0, "Y=         "}, {1, "Y=7   "}, {12, "Y=42   "}, {13, "Y=         "}}) {
        s.Marker = marker;
        EXPECT_EQ(UpdateMarkerGeometry(s).YText, y) << marker;
    }
    EXPECT_EQ(std::pair(UpdateMarkerGeometry(s).XText, UpdateMarkerGeometry(s).LineX), std::pair(std::string("X=13   "), 54));
    s.XMin = 60;
    EXPECT_EQ(DrawAxesGeometry(s, Metrics).Marker.XText, "X=60   ");
    std::tie(s.XMin, s.XMax) = std::tuple(0, 40);
    DrawAxesGeometry(s, Metrics);
    EXPECT_EQ(s.Marker, 40);
}

// An empty range is scaled as 20 channels from XMin, a count-axis top below 20 raised; extreme values stay bounded.
TEST(DrawSpectrum, DamagedRecordsDrawSafely) {
    Spectrum s = Plot(40, 40, false);
    s.YMax = 0;
    s.Bins.assign(42, 1);
    auto g = Draw(s);
    EXPECT_EQ(std::tuple(s.XMax, s.XScale, s.YMax, g.Axes.YMaxRaised, g.CountLine), std::tuple(40, 225.0 / 20, 20, true, Lines{{{14, 152}, {25, 152}}}));
    Spectrum h = Plot(INT_MIN, INT_MAX);
    h.YMax = h.Marker = INT_MAX;
    h.Bins = {INT_MAX, INT_MAX};
    g = Draw(h, 2, ResultSums{NAN, INFINITY});
    EXPECT_EQ(std::tuple(g.StatisticsTexts[0].text, g.Axes.Marker.LineX), std::tuple("Összes=4294967294", 249));
    EXPECT_LT(g.Axes.CountTicks.size() + g.Axes.ChannelTicks.size(), 2000u);
}

// A squeezed column keeps its first, lowest, highest and last point, which cover the same pixels; a long
// histogram over a narrow range stays bounded.
TEST(PolylineBuilder, SqueezedColumnsCoverTheSamePixels) {
    auto pixels = [](const Lines& lines) {
        std::set<std::pair<int, int>> out;
        for (const auto& l : lines)
            for (std::size_t k = 1; k < l.size(); ++k) {
                const int dx = l[k].x - l[k - 1].x, dy = l[k].y - l[k - 1].y, n = std::max({std::abs(dx), std::abs(dy), 1});
                for (int t = 0; t <= n; ++t) out.insert({l[k - 1].x + int(std::lround(double(dx) * t / n)), l[k - 1].y + int(std::lround(double(dy) * t / n))});
            }
        return out;
    };
    std::mt19937 rng(7);
    PolylineBuilder b;
    Lines plain;
    for (int i = 0, x = 0; i < 5000; ++i, x += rng() % 20 == 0) {
        const PlotPoint p{x, int(rng() % 150)};
        const bool move = plain.empty() || rng() % 200 == 0;
        move ? b.MoveTo(p) : b.LineTo(p);
        if (move) plain.emplace_back();
        plain.back().push_back(p);
    }
    const Lines squeezed = b.Finish();
    std::size_t points = 0;
    for (const auto& l : squeezed) points += l.size();
    EXPECT_LT(points, 5000u / 3);
    EXPECT_EQ(pixels(squeezed), pixels(plain));
    Spectrum s = Plot(0, 1 << 20);
    s.Bins.assign(1 << 20, 0);
    for (std::size_t i = 0; i < s.Bins.size(); i += 3) s.Bins[i] = std::int32_t(i % 97);
    EXPECT_LE(Draw(s).CountLine.at(0).size(), 4u * 227);
}
