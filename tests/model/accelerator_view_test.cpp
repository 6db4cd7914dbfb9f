#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>

#include "RecordingCanvas.h"
#include "core/model/Numeric.h"
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
    // 20.7, 31.2, 35.6, 43.9 and the middle 25.95
    EXPECT_EQ((std::array{k.Acc1, k.Acc2, k.Ground1, k.Ground2, k.AccMiddle}), (std::array{20, 31, 35, 43, 25}));
}

// Sizes and a target from a file far beyond the view: every column that
// reaches a control or the painter stays within the pixel range.
TEST(AcceleratorView, HugeSizesStayWithinThePixelRange) {
    VeloxData data;
    data.Cavities.Append({3e9, 3e9, 16, 60});
    data.Cavities.Append({1e300, 1, 1, 1});
    data.BuildCavities();
    data.SetTargetLeft(std::numeric_limits<std::int32_t>::max());
    data.PlaceCavityMarkers();
    EXPECT_EQ(std::tuple(data.CavityMarkers[0].Left, data.CavityMarkers[1].Left, data.TargetMarker.Left),
              std::tuple(PixelMax, PixelMax, PixelMax));
    RecordingCanvas canvas;
    DrawAcceleratorView(data, canvas, Wv, Hv);
    for (const testing::Stroke& s : canvas.Strokes)
        for (std::int32_t v : {s.X1, s.Y1, s.X2, s.Y2}) EXPECT_TRUE(v >= PixelMin && v <= PixelMax) << v;
}

TEST(AcceleratorView, TargetRodFollowsTheTargetAnywhere) {
    VeloxData data;
    data.SetTargetLeft(13 + 3);  // left of the source
    RecordingCanvas canvas;
    DrawAcceleratorView(data, canvas, Wv, Hv);
    EXPECT_TRUE(canvas.HasStroke(7, 41 - 50, 7, 41, colours::Blue, 4));
}

}  // namespace
}  // namespace velox
