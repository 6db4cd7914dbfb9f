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

TEST(MoveMarker, OneChannelPerKeyStoppingAtTheEnds) {
    Spectrum s = Panel(10, 40);
    s.Marker = 39;
    for (int i = 0; i < 2; ++i) MoveMarker(s, MarkerKey::Right);
    EXPECT_EQ(s.Marker, 40);
    EXPECT_EQ(s.XScale, 225.0 / 30);  // scales recomputed
    s.Marker = 11;
    for (int i = 0; i < 2; ++i) MoveMarker(s, MarkerKey::Left);
    EXPECT_EQ(s.Marker, 10);
}

TEST(LeaveRules, RangesOnlyAFileCanBringAbout) {
    Spectrum s = Panel(-10, 100);  // "Xmax" still needs 20 channels
    EXPECT_FALSE(AcceptXMax(s, "15"));
    s.XMin = INT_MAX;  // range tests without overflow
    s.XMax = INT_MIN;
    EXPECT_FALSE(AcceptXMax(s, "2147483647") || AcceptXMin(s, "0"));
    for (const char* bad : {"-1", "1e999"}) EXPECT_FALSE(AcceptChannelWidth(bad)) << bad;
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
    EXPECT_EQ(DrawSpectrumGeometry(s, ResultSums{}, 4, TextMetrics{}, PlotBitmapWidth).Total, 4);
}

}  // namespace
