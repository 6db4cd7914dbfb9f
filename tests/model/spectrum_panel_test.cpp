#include <gtest/gtest.h>

#include <climits>

#include "results/model/PlotGeometry.h"
#include "results/model/SpectrumPanel.h"

using namespace velox;

namespace {
Spectrum Panel(std::int32_t xMin, std::int32_t xMax) {
    Spectrum s;
    InitSpectrum(s, PlotBitmapWidth, PlotBitmapHeight, 50, true);
    s.XMin = xMin;
    s.XMax = xMax;
    return s;
}
}  // namespace

TEST(MoveMarker, OneChannelPerKeyStoppingAtTheEnds) {
    Spectrum s = Panel(10, 40);
    s.Marker = 39;
    MoveMarker(s, MarkerKey::Right);
    MoveMarker(s, MarkerKey::Right);
    EXPECT_EQ(s.Marker, 40);
    EXPECT_EQ(s.XScale, 225.0 / 30);  // scales recomputed
    s.Marker = 11;
    MoveMarker(s, MarkerKey::Left);
    MoveMarker(s, MarkerKey::Left);
    EXPECT_EQ(s.Marker, 10);
}

TEST(LeaveRules, AcceptedAndRefusedEntries) {
    EXPECT_FALSE(AcceptYMax("19") || AcceptYMax("25 ") || AcceptYMax(""));
    EXPECT_EQ(AcceptYMax("20"), 20);
    EXPECT_EQ(AcceptYMax(" 25"), 25);

    Spectrum s = Panel(30, 100);
    EXPECT_EQ(AcceptXMin(s, "80"), 80);
    EXPECT_FALSE(AcceptXMin(s, "81") || AcceptXMin(s, "-1"));
    EXPECT_FALSE(AcceptXMax(s, "49"));
    EXPECT_EQ(AcceptXMax(s, "50"), 50);
    s.XMin = -10;  // only from a file; "Xmax" still needs 20
    EXPECT_FALSE(AcceptXMax(s, "15"));
    s.XMin = INT_MAX;  // range tests without overflow
    s.XMax = INT_MIN;
    EXPECT_FALSE(AcceptXMax(s, "2147483647") || AcceptXMin(s, "0"));

    EXPECT_EQ(AcceptChannelWidth("0.01"), 0.01);
    EXPECT_EQ(AcceptChannelWidth("0.2"), 0.2);
    for (const char* bad : {"0.009", "0", "1,5", "-1", "1e999", ""}) EXPECT_FALSE(AcceptChannelWidth(bad)) << bad;
}

TEST(LeaveRules, StoringFollowsUp) {
    Spectrum s = Panel(0, 100);
    StoreXMin(s, 60);
    EXPECT_EQ(s.Marker, 60);
    StoreXMax(s, 80);
    EXPECT_EQ(s.Marker, 60);
    StoreXMax(s, 55);
    EXPECT_EQ(s.Marker, 55);

    const std::vector<double> values{0.5, 1.5, 2.5, 251.1};
    Rebin(s, values);
    StoreChannelWidth(s, 0.2, values);
    EXPECT_EQ(s.Bins.size(), 1256u);
    EXPECT_EQ(DrawSpectrumGeometry(s, 4, TextMetrics{}, PlotBitmapWidth).Total, 4);
}

TEST(StatisticsBox, Captions) {
    const auto empty = StatisticsBox(ResultSums{}, 0);
    EXPECT_EQ(empty.Count, "Összes : 0");
    EXPECT_EQ(empty.Mean, "Átlag  :      0.000");
    EXPECT_EQ(empty.Deviation, "Szórás :      0.000");
    EXPECT_EQ(StatisticsBox(ResultSums{6.0, 20.0}, 2).Deviation, "Szórás :      1.000");
}
