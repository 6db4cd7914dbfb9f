#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingCanvas.h"
#include "core/model/VeloxData.h"
#include "editor/model/AcceleratorView.h"

namespace velox {
namespace {

using testing::RecordingCanvas;
constexpr std::int32_t Wv = 607, Hv = 360;

struct DefaultView : ::testing::Test {
    VeloxData data;
    RecordingCanvas canvas;
    void SetUp() override { data.ApplyStartupDefaults(); }
    void Draw(double voltage) {
        data.Voltage = voltage;
        DrawAcceleratorView(data, canvas, Wv, Hv);
    }
};

TEST_F(DefaultView, ElectrodesAreOpenRectanglesWithABore) {
    Draw(30);
    const std::int32_t y0 = 41;
    // Accelerating electrode of cavity 0 spans 26 … 76, grounded 92 … 152.
    EXPECT_TRUE(canvas.HasStroke(26, y0 - 20, 26, y0 - 5, colours::Blue, 4));
    EXPECT_TRUE(canvas.HasStroke(26, y0 + 5, 26, y0 + 20, colours::Blue, 4));
    EXPECT_TRUE(canvas.HasStroke(26, y0 + 20, 76, y0 + 20, colours::Blue, 4));
    EXPECT_TRUE(canvas.HasStroke(76, y0 - 20, 26, y0 - 20, colours::Blue, 4));
    EXPECT_TRUE(canvas.HasStroke(92, y0 - 20, 92, y0 - 5, colours::Black, 4));
    EXPECT_TRUE(canvas.HasStroke(152, y0 + 20, 152, y0 + 5, colours::Black, 4));
    // Cavity 1: accelerating 168 … 263, grounded 283 … 363.
    EXPECT_TRUE(canvas.HasStroke(168, y0 + 20, 263, y0 + 20, colours::Blue, 4));
    EXPECT_TRUE(canvas.HasStroke(283, y0 - 20, 363, y0 - 20, colours::Black, 4));
    // Nothing closes the bore on either side of either electrode.
    for (std::int32_t x : {26, 76, 92, 152, 168, 263, 283, 363})
        for (std::int32_t y = y0 - 4; y <= y0 + 4; ++y) EXPECT_FALSE(canvas.Covers(x, y)) << x << "," << y;
}

TEST_F(DefaultView, LeadsCommonLineSourceAndTarget) {
    Draw(30);
    const std::int32_t y0 = 41;
    // Accelerating lead (middle 51) is interrupted where the marker sits.
    EXPECT_TRUE(canvas.HasStroke(51, y0 + 20, 51, y0 + 50, colours::Blue, 2));
    EXPECT_TRUE(canvas.HasStroke(51, y0 + 70, 51, y0 + 100, colours::Blue, 2));
    EXPECT_FALSE(canvas.Covers(51, y0 + 60));
    // Grounded lead (middle 122) runs through.
    EXPECT_TRUE(canvas.HasStroke(122, y0 + 20, 122, y0 + 100, colours::Black, 2));
    EXPECT_TRUE(canvas.HasStroke(10, y0 + 100, Wv - 10, y0 + 100, colours::Blue, 4));
    EXPECT_TRUE(canvas.HasStroke(10, y0, 10, y0 + 100, colours::Blue, 2));
    ASSERT_EQ(canvas.Ellipses.size(), 1u);
    EXPECT_EQ(canvas.Ellipses[0].Left, 6);
    EXPECT_EQ(canvas.Ellipses[0].Bottom, y0 + 4);
    // Target at 387 with a 9-pixel marker: rod at 4 + 387.
    EXPECT_TRUE(canvas.HasStroke(391, y0 - 50, 391, y0, colours::Blue, 4));
    EXPECT_EQ(data.TargetMarker.Top, 11 + 41 - 5);
    ASSERT_EQ(canvas.Texts.size(), 2u);
    EXPECT_EQ(canvas.Texts[0].Value, "Potenciál");
    EXPECT_EQ(canvas.Texts[0].X, 0);
    EXPECT_EQ(canvas.Texts[0].Y, y0 + 120);
    EXPECT_EQ(canvas.Texts[1].Value, "(U)");
}

TEST_F(DefaultView, PotentialLineFollowsTheTruncatedVoltage) {
    const std::int32_t base = 41 + 200;
    Draw(30.7);
    EXPECT_TRUE(canvas.HasStroke(10, base, 26, base - 30, colours::Black, 1));
    EXPECT_TRUE(canvas.HasStroke(26, base - 30, 76, base - 30, colours::Black, 1));
    EXPECT_TRUE(canvas.HasStroke(76, base - 30, 92, base, colours::Black, 1));
    EXPECT_TRUE(canvas.HasStroke(283, base, 363, base, colours::Black, 1));
    // The line ends at the last grounded electrode: nothing towards the target.
    EXPECT_FALSE(canvas.HasStroke(363, base, 387, base, colours::Black, 1));

    canvas = RecordingCanvas{};
    Draw(-30.7);
    EXPECT_TRUE(canvas.HasStroke(168, base + 30, 263, base + 30, colours::Black, 1));

    for (double v : {0.9, -0.9}) {
        canvas = RecordingCanvas{};
        Draw(v);
        EXPECT_TRUE(canvas.HasStroke(26, base, 76, base, colours::Black, 1)) << v;
    }
}

TEST(AcceleratorView, NoCavitiesDrawsOnlyTheFixedParts) {
    VeloxData data;
    RecordingCanvas canvas;
    DrawAcceleratorView(data, canvas, Wv, Hv);
    // Common line, rod, source lead, three axis strokes.
    EXPECT_EQ(canvas.Strokes.size(), 6u);
    EXPECT_FALSE(std::any_of(canvas.Strokes.begin(), canvas.Strokes.end(),
                             [](const auto& s) { return s.Width == 4 && s.Pen == colours::Black; }));
    data.PlaceCavityMarkers();
    for (const ShapeState& m : data.CavityMarkers) EXPECT_FALSE(m.Visible);
}

TEST(AcceleratorView, FractionalEdgesAreTruncatedOneByOne) {
    VeloxData data;
    data.Cavities.SetCavityCount(1);
    data.Cavities[0] = {10.7, 10.5, 4.4, 8.3};  // electrode from 20.7 to 31.2
    data.BuildCavities();
    const CavityColumns k = ColumnsOf(data.CavityList[0], data.ViewScale);
    EXPECT_EQ(k.Acc1, 20);
    EXPECT_EQ(k.Acc2, 31);
    EXPECT_EQ(k.Ground1, 35);  // 35.6
    EXPECT_EQ(k.Ground2, 43);  // 43.9
    EXPECT_EQ(k.AccMiddle, 25);  // 25.95
}

TEST(AcceleratorView, TargetRodFollowsTheTargetAnywhere) {
    VeloxData data;
    data.SetTargetLeft(13 + 3);  // left of the source
    RecordingCanvas canvas;
    DrawAcceleratorView(data, canvas, Wv, Hv);
    EXPECT_TRUE(canvas.HasStroke(7, 41 - 50, 7, 41, colours::Blue, 4));
}

TEST(AcceleratorView, CavityMarkersSitUnderTheAcceleratingElectrodes) {
    VeloxData data;
    data.Cavities.SetCavityCount(9);
    for (int k = 0; k < 9; ++k) data.Cavities[static_cast<std::size_t>(k)] = {4, 20, 4, 20};
    data.BuildCavities();
    data.PlaceCavityMarkers();
    for (int k = 0; k < 9; ++k) {
        const ShapeState& m = data.CavityMarkers[static_cast<std::size_t>(k)];
        EXPECT_TRUE(m.Visible);
        EXPECT_EQ(m.Left, 10 + 48 * k + 4 + 10 + 13 - 10) << k;
        EXPECT_EQ(m.Top, 11 + 41 + 50);
        EXPECT_EQ(m.Fill, k == 8 ? colours::Silver : colours::Yellow);
    }
    EXPECT_FALSE(data.CavityMarkers[9].Visible);
}

}  // namespace
}  // namespace velox
