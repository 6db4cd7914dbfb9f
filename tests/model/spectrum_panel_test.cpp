// The results panel's rules: the marker keys, the number fields' entries
// and what storing them does, and the statistics box.
#include <gtest/gtest.h>

#include <climits>

#include "results/model/PlotGeometry.h"
#include "results/model/SpectrumPanel.h"

using namespace velox;

namespace {

Spectrum Panel(std::int32_t xMin, std::int32_t xMax) {
    Spectrum s;
    InitSpectrum(s, PlotBitmapWidth, PlotBitmapHeight, 50, true);
    std::tie(s.XMin, s.XMax) = std::tuple(xMin, xMax);
    return s;
}

}  // namespace

// One channel per key, never past XMin or XMax; the scales are recomputed.
TEST(MoveMarker, OneChannelPerKeyStoppingAtTheEnds) {
    Spectrum s = Panel(10, 40);
    s.Marker = 39;
    for (int i = 0; i < 2; ++i) MoveMarker(s, MarkerKey::Right);
    EXPECT_EQ(std::pair(s.Marker, s.XScale), std::pair(40, 225.0 / 30));
    s.Marker = 11;
    for (int i = 0; i < 2; ++i) MoveMarker(s, MarkerKey::Left);
    EXPECT_EQ(s.Marker, 10);
}

// "Ymax" from 20; "Xmin" 0 … XMax − 20; "Xmax" from 20 and XMin + 20;
// "Csat." from 0.01.
TEST(LeaveRules, AcceptedAndRefusedEntries) {
    for (auto [text, value] : {std::pair{"20", 20}, {" 25", 25}, {"$20", 32}})
        EXPECT_EQ(AcceptYMax(text), value) << text;
    for (const char* bad : {"19", "25 ", "", "abc"}) EXPECT_FALSE(AcceptYMax(bad)) << bad;
    const Spectrum to100 = Panel(0, 100), from30 = Panel(30, 100);
    EXPECT_EQ(std::pair(AcceptXMin(to100, "80"), AcceptXMin(to100, "0")), std::pair(std::optional(80), std::optional(0)));
    EXPECT_FALSE(AcceptXMin(to100, "81") || AcceptXMin(to100, "-1"));
    EXPECT_EQ(std::pair(AcceptXMax(from30, "50"), AcceptXMax(Panel(0, 100), "20")), std::pair(std::optional(50), std::optional(20)));
    EXPECT_FALSE(AcceptXMax(from30, "49") || AcceptXMax(Panel(-10, 100), "19"));
    for (auto [text, value] : {std::pair{"0.01", 0.01}, {"0.2", 0.2}, {"1e1", 10.0}})
        EXPECT_EQ(AcceptChannelWidth(text), value) << text;
    for (const char* bad : {"0.009", "0", "1,5", "-1", "1e999"}) EXPECT_FALSE(AcceptChannelWidth(bad)) << bad;
    // Ranges only a file can bring about are tested without overflow.
    Spectrum odd = Panel(INT_MAX, INT_MIN);
    EXPECT_FALSE(AcceptXMax(odd, "2147483647") || AcceptXMin(odd, "0"));
}

TEST(LeaveRules, StoringMovesTheMarkerIntoTheRangeAndRebins) {
    Spectrum s = Panel(0, 100);
    StoreXMin(s, 60);
    EXPECT_EQ(s.Marker, 60);
    StoreXMax(s, 80);
    EXPECT_EQ(s.Marker, 60);
    StoreXMax(s, 55);
    EXPECT_EQ(std::tuple(s.XMin, s.XMax, s.Marker), std::tuple(60, 55, 55));
    StoreYMax(s, 45);
    EXPECT_EQ(s.YMax, 45);
    const std::vector<double> values{0.5, 1.5, 2.5, 251.1};
    Rebin(s, values);
    StoreChannelWidth(s, 0.2, values);
    EXPECT_EQ(std::tuple(s.ChannelWidth, s.Bins.size(), s.Bins[2] + s.Bins[7] + s.Bins[12] + s.Bins[1255]),
              std::tuple(0.2, 1256u, 4));
}

// Mean and deviation of 2 and 4 in "%10.3f"; nothing recorded gives zeros.
TEST(StatisticsBox, Captions) {
    const StatisticsBoxTexts none = StatisticsBox({}, 0), two = StatisticsBox({6, 20}, 2);
    EXPECT_EQ(std::tuple(none.Count, none.Mean, none.Deviation),
              std::tuple("Összes : 0", "Átlag  :      0.000", "Szórás :      0.000"));
    EXPECT_EQ(std::tuple(two.Count, two.Mean, two.Deviation),
              std::tuple("Összes : 2", "Átlag  :      3.000", "Szórás :      1.000"));
}
