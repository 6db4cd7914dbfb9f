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
using Strings = std::vector<std::string>;

namespace {

// 4 pixels per character, 6-pixel lines.
const TextMetrics Metrics{[](std::string_view s) { return 4 * int(std::count_if(s.begin(), s.end(),
                              [](unsigned char c) { return (c & 0xC0) != 0x80; })); }, 6};

Spectrum Plot(std::int32_t xMin, std::int32_t xMax, bool autoOn = true) {
    Spectrum s;
    InitSpectrum(s, PlotBitmapWidth, PlotBitmapHeight, 50, autoOn);
    s.XMin = xMin;
    s.XMax = xMax;
    return s;
}

SpectrumGeometry Draw(Spectrum& s, std::int32_t arrived = 0, const ResultSums& sums = {}) {
    return DrawSpectrumGeometry(s, sums, arrived, Metrics, PlotBitmapWidth);
}

Strings Texts(const std::vector<PlotText>& texts) {
    Strings out;
    for (const auto& t : texts) out.push_back(t.text);
    return out;
}

std::vector<int> TickXs(const AxesGeometry& g) {
    std::vector<int> out;
    for (const auto& t : g.ChannelTicks) out.push_back(t.x1);
    return out;
}

}  // namespace

TEST(NiceStep, StepsHiAndIntervals) {
    for (auto [hi0, step0, hi1, n] : std::vector<std::array<double, 4>>{
             {20, 5, 20, 4}, {37, 10, 40, 4}, {100, 20, 100, 5}, {220, 50, 250, 5}, {14.8, 5, 15, 3}, {148, 20, 160, 8}}) {
        double lo = 0, hi = hi0, step, intervals;
        NiceStep(lo, hi, step, intervals);
        EXPECT_TRUE(step == step0 && hi == hi1 && intervals == n) << hi0 << ": " << step << " " << hi << " " << intervals;
    }
    double lo = 5, hi = 100, step, intervals;
    NiceStep(lo, hi, step, intervals);
    EXPECT_EQ(lo, 0);  // rounded toward zero
}

TEST(NiceStep, NoRangeStillEndsWithAUsableStep) {
    for (auto [l, h] : {std::pair{5.0, 5.0}, {7.0, 3.0}, {NAN, 10.0}, {0.0, double(INFINITY)}}) {
        double lo = l, hi = h, step = 0, intervals = 9;
        NiceStep(lo, hi, step, intervals);
        EXPECT_TRUE(step == 1.0 && intervals == 0.0 && hi == h) << l << " " << h;
    }
    double lo = -1e300, hi = 1e300, step, intervals;  // stops after 20 moves
    NiceStep(lo, hi, step, intervals);
    EXPECT_EQ(step, 5e6);
}

TEST(AutoScaleY, RoundedUpTop) {
    Spectrum s = Plot(0, 100);
    for (auto [count, top] : {std::pair{37, 40}, {21, 25}, {100, 100}, {101, 120}, {148, 160}, {-1, 20}, {5, 20}}) {
        AutoScaleY(s, count);
        EXPECT_EQ(s.YMax, top) << count;
    }
    EXPECT_FALSE(AutoScaleY(s, 3));  // still 20
    EXPECT_TRUE(AutoScaleY(s, 148));
    EXPECT_EQ(s.AxisStep, 20);
    AutoScaleY(s, INT_MAX);  // saturates
    EXPECT_EQ(s.YMax, INT_MAX);
}

TEST(DrawSpectrum, AutoSeesOnlyShownChannelsTotalSeesAll) {
    Spectrum s = Plot(10, 50);
    s.Bins.assign(52, 0);
    s.Bins[8] = s.Bins[51] = 500;  // outside XMin - 1 … XMax
    s.Bins[9] = 37;
    const auto g = Draw(s);
    EXPECT_EQ(s.YMax, 40);
    EXPECT_EQ(g.StatisticsTexts[0].text, "Összes=1037");
}

TEST(DrawSpectrum, EmptyAutoAxisAndLabels) {
    Spectrum s = Plot(0, 220);
    s.YMax = 50;
    const auto g = Draw(s);
    EXPECT_EQ(s.YMax, 20);
    EXPECT_EQ(Texts(g.Axes.CountLabels), (Strings{"0", "5", "10", "15", "20"}));
    std::vector<int> ys;
    for (const auto& t : g.Axes.CountTicks) ys.push_back(t.y1);
    EXPECT_EQ(ys, (std::vector<int>{159, 121, 82, 44, 5}));
    EXPECT_EQ(Texts(g.Axes.ChannelLabels), (Strings{"0", "50", "100", "150", "200", "250"}));
    EXPECT_EQ(TickXs(g.Axes), (std::vector<int>{25, 76, 127, 178, 229, 280}));  // 250 off the bitmap
    EXPECT_EQ(s.AxisStep, 50);  // left by the channel axis
    EXPECT_TRUE(g.CountLine.empty());  // a lone move draws nothing
    // Time labels, and a shifted range.
    Spectrum t = Plot(0, 100), u = Plot(5, 100);
    EXPECT_EQ(TickXs(DrawAxesGeometry(t, Metrics)), (std::vector<int>{25, 70, 115, 160, 205, 250}));
    EXPECT_EQ(Texts(DrawAxesGeometry(u, Metrics).ChannelLabels), (Strings{"5", "25", "45", "65", "85", "105"}));
}

TEST(DrawSpectrum, CountLineCutAtTopEdge) {
    Spectrum s = Plot(0, 100, false);
    s.Bins = {0, 0, 0, 10, 30, 30, 10, 0};
    EXPECT_EQ(Draw(s).CountLine, (Lines{{{25, 159}, {27, 159}, {29, 159}, {31, 82}, {32, 5}, {36, 5}, {38, 82},
                                         {40, 159}, {43, 159}}}));
    // The first point above the box: a rise from the axis, then the line
    // starts afresh at the next point inside.
    s.Bins = {50, 0};
    EXPECT_EQ(Draw(s).CountLine, (Lines{{{25, 159}, {25, 5}}, {{27, 159}, {29, 159}}}));
}

TEST(DrawSpectrum, ExtendedPrecisionPixels) {
    Spectrum s = Plot(0, 220);
    s.Bins.assign(45, 0);
    s.Marker = 44;
    const auto g = Draw(s);
    EXPECT_EQ(g.Axes.Marker.LineX, 25 + 44);  // 44 * (225/220) stays below 45
    EXPECT_EQ(g.CountLine[0][44].x, 25 + 44);
}

TEST(DrawSpectrum, StatisticsTexts) {
    Spectrum s = Plot(0, 100);
    const ResultSums sums{12.5, 156.25};
    s.Bins.assign(13, 0);
    s.Bins[12] = 1;
    EXPECT_EQ(
        Draw(s, 1, sums).StatisticsTexts,
        (std::vector<PlotText>{{187, 2, "Összes=1"}, {187, 10, "Átlag=    12.500"}, {187, 18, "Szórás=     0.000"}}));
}

TEST(UpdateMarker, ReadoutsAndClamp) {
    Spectrum s = Plot(0, 100);
    EXPECT_EQ(DrawAxesGeometry(s, Metrics).Marker.YText, "Y=         ");
    s.Bins.assign(13, 7);
    s.Bins[12] = 42;
    for (auto [marker, y] : {std::pair{0, "Y=         "}, {12, "Y=42   "}, {13, "Y=         "}}) {
        s.Marker = marker;
        EXPECT_EQ(UpdateMarkerGeometry(s).YText, y) << marker;
    }
    EXPECT_EQ(UpdateMarkerGeometry(s).XText, "X=13   ");
    s.XMin = 60;
    EXPECT_EQ(DrawAxesGeometry(s, Metrics).Marker.XText, "X=60   ");
    s.XMin = 0;
    s.XMax = 40;
    DrawAxesGeometry(s, Metrics);
    EXPECT_EQ(s.Marker, 40);
}

TEST(DrawSpectrum, DamagedRecordsDrawSafely) {
    // Empty range: scaled as 20 channels from XMin, the fields kept.
    Spectrum s = Plot(40, 40, false);
    s.YMax = 0;
    s.Bins.assign(42, 1);
    auto g = Draw(s);
    EXPECT_TRUE(s.XMin == 40 && s.XMax == 40 && s.XScale == 225.0 / 20 && s.YMax == 20 && g.Axes.YMaxRaised);
    EXPECT_EQ(Texts(g.Axes.ChannelLabels), (Strings{"40", "45", "50", "55", "60"}));
    EXPECT_EQ(g.CountLine, (Lines{{{14, 152}, {25, 152}}}));
    EXPECT_EQ(g.Axes.Marker.LineX, 25);
    // Reversed range, negative count-axis top.
    s.XMin = 60;
    s.XMax = 10;
    s.YMax = -5;
    g = Draw(s);
    EXPECT_TRUE(g.CountLine.empty() && s.Marker == 10 && g.Axes.Marker.LineX == 25 && s.YMax == 20);
    // Extreme values, damaged sums, no sums at all.
    for (bool autoOn : {false, true}) {
        Spectrum h = Plot(INT_MIN, INT_MAX, autoOn);
        h.YMax = h.Marker = INT_MAX;
        h.Bins = {INT_MAX, INT_MAX};
        const ResultSums bad{NAN, INFINITY};
        g = Draw(h, 2, autoOn ? bad : ResultSums{});
        EXPECT_EQ(g.StatisticsTexts[0].text, "Összes=4294967294");
        EXPECT_EQ(g.StatisticsTexts[1].text.find("NAN") != std::string::npos, autoOn);
        EXPECT_LT(g.Axes.CountTicks.size() + g.Axes.ChannelTicks.size(), 2000u);
        for (const auto& t : g.Axes.ChannelTicks) EXPECT_LE(std::abs(t.x1), 1000);
        for (const auto& t : g.Axes.CountTicks) EXPECT_LE(std::abs(t.y1), 1000);
        EXPECT_TRUE(g.Axes.Marker.LineX >= 249 && g.Axes.Marker.LineX <= 250);
    }
    // A channel width that is not a number counts nothing.
    Spectrum w = Plot(0, 100);
    w.ChannelWidth = NAN;
    Rebin(w, {1.0, 2.0});
    EXPECT_EQ(Draw(w, 2).Total, 0);
}

TEST(PolylineBuilder, SqueezedColumnsCoverTheSamePixels) {
    auto pixels = [](const Lines& lines) {  // both ends of every segment
        std::set<std::pair<int, int>> out;
        for (const auto& l : lines)
            for (std::size_t k = 1; k < l.size(); ++k) {
                const int dx = l[k].x - l[k - 1].x, dy = l[k].y - l[k - 1].y, n = std::max(std::abs(dx), std::abs(dy));
                for (int t = 0; t <= n; ++t)
                    out.insert({l[k - 1].x + (n ? int(std::lround(double(dx) * t / n)) : 0),
                                l[k - 1].y + (n ? int(std::lround(double(dy) * t / n)) : 0)});
            }
        return out;
    };
    std::mt19937 rng(7);
    PolylineBuilder b;
    Lines plain;
    for (int i = 0, x = 0; i < 5000; ++i, x += rng() % 20 == 0) {
        const PlotPoint p{x, int(rng() % 150)};
        if (plain.empty() || rng() % 200 == 0) {
            b.MoveTo(p);
            plain.push_back({p});
        } else {
            b.LineTo(p);
            plain.back().push_back(p);
        }
    }
    const Lines squeezed = b.Finish();
    std::size_t points = 0;
    for (const auto& l : squeezed) points += l.size();
    EXPECT_LT(points, 5000u / 3);
    EXPECT_EQ(pixels(squeezed), pixels(plain));

    // A long histogram over a narrow range draws a bounded line.
    Spectrum s = Plot(0, 1 << 20);
    s.Bins.assign(1 << 20, 0);
    for (std::size_t i = 0; i < s.Bins.size(); i += 3) s.Bins[i] = std::int32_t(i % 97);
    EXPECT_LE(Draw(s).CountLine.at(0).size(), 4u * 227);
}
