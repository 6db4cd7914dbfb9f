// The side view of the accelerator and the potential diagram.
#include <gtest/gtest.h>

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

// Strokes as {x1, y1, x2, y2, pen width, blue (1) or black (0)}.
using Strokes = std::vector<std::array<int, 6>>;

Strokes Draw(VeloxData& data, double voltage, RecordingCanvas& canvas) {
    data.Voltage = voltage;
    DrawAcceleratorView(data, canvas, Wv, Hv);
    Strokes out;
    for (const auto& s : canvas.Strokes) out.push_back({s.X1, s.Y1, s.X2, s.Y2, s.Width, s.Pen == colours::Blue});
    return out;
}

// The default accelerator at U = 30.7 with the axis at 41: per cavity the
// accelerating electrode (blue), open between 36 and 46 for the beam, its lead
// broken at the marker, the grounded electrode (black) and its lead; then the
// common line, the target rod at Trunc(9 div 2 + 387), the source lead, the
// diagram axes and the potential line at Trunc(U) above the baseline 241,
// ending at the last grounded electrode.
TEST(AcceleratorView, DefaultAcceleratorStrokeByStroke) {
    VeloxData data;
    data.ApplyStartupDefaults();
    RecordingCanvas canvas;
    const Strokes expected = {
        {26, 21, 26, 36, 4, 1}, {26, 46, 26, 61, 4, 1}, {26, 61, 76, 61, 4, 1}, {76, 61, 76, 46, 4, 1},
        {76, 36, 76, 21, 4, 1}, {76, 21, 26, 21, 4, 1}, {51, 61, 51, 91, 2, 1}, {51, 111, 51, 141, 2, 1},
        {92, 21, 92, 36, 4, 0}, {92, 46, 92, 61, 4, 0}, {92, 61, 152, 61, 4, 0}, {152, 61, 152, 46, 4, 0},
        {152, 36, 152, 21, 4, 0}, {152, 21, 92, 21, 4, 0}, {122, 61, 122, 141, 2, 0},
        {168, 21, 168, 36, 4, 1}, {168, 46, 168, 61, 4, 1}, {168, 61, 263, 61, 4, 1}, {263, 61, 263, 46, 4, 1},
        {263, 36, 263, 21, 4, 1}, {263, 21, 168, 21, 4, 1}, {215, 61, 215, 91, 2, 1}, {215, 111, 215, 141, 2, 1},
        {283, 21, 283, 36, 4, 0}, {283, 46, 283, 61, 4, 0}, {283, 61, 363, 61, 4, 0}, {363, 61, 363, 46, 4, 0},
        {363, 36, 363, 21, 4, 0}, {363, 21, 283, 21, 4, 0}, {323, 61, 323, 141, 2, 0},
        {10, 141, 597, 141, 4, 1}, {391, -9, 391, 41, 4, 1}, {10, 41, 10, 141, 2, 1},
        {10, 191, 10, 241, 1, 0}, {10, 241, 597, 241, 1, 0}, {10, 241, 10, 291, 1, 0},
        {10, 241, 26, 211, 1, 0}, {26, 211, 76, 211, 1, 0}, {76, 211, 92, 241, 1, 0}, {92, 241, 152, 241, 1, 0},
        {152, 241, 168, 211, 1, 0}, {168, 211, 263, 211, 1, 0}, {263, 211, 283, 241, 1, 0}, {283, 241, 363, 241, 1, 0}};
    EXPECT_EQ(Draw(data, 30.7, canvas), expected);
    ASSERT_EQ(canvas.Fills.size(), 1u);
    EXPECT_TRUE(canvas.Fills[0].Brush == colours::White && canvas.Fills[0].Right == Wv && canvas.Fills[0].Bottom == Hv);
    ASSERT_EQ(canvas.Ellipses.size(), 1u);
    const auto& e = canvas.Ellipses[0];
    EXPECT_EQ(std::tuple(e.Left, e.Top, e.Right, e.Bottom, e.Brush == colours::White), std::tuple(6, 37, 14, 45, true));
    EXPECT_EQ(canvas.Texts, (std::vector<std::tuple<int, int, std::string>>{{0, 161, "Potenciál"}, {4, 176, "(U)"}}));
    EXPECT_EQ(data.TargetMarker.Top, 11 + 41 - 5);  // centred on the axis
    // Negative voltages below the baseline, truncated toward zero.
    for (auto [voltage, u] : {std::pair{-30.7, -30}, {0.9, 0}, {-0.9, 0}, {75.0, 75}}) {
        RecordingCanvas c;
        EXPECT_EQ(Draw(data, voltage, c).at(37), (std::array{26, 241 - u, 76, 241 - u, 1, 0})) << voltage;
    }
}

TEST(AcceleratorView, NoCavitiesAndATargetLeftOfTheSource) {
    VeloxData data;
    data.SetTargetLeft(13 + 3);
    RecordingCanvas canvas;
    const Strokes strokes = Draw(data, 20, canvas);
    EXPECT_EQ(strokes, (Strokes{{10, 141, 597, 141, 4, 1}, {7, -9, 7, 41, 4, 1}, {10, 41, 10, 141, 2, 1},
                                {10, 191, 10, 241, 1, 0}, {10, 241, 597, 241, 1, 0}, {10, 241, 10, 291, 1, 0}}));
    data.PlaceCavityMarkers();
    for (const ShapeState& m : data.CavityMarkers) EXPECT_FALSE(m.Visible);
}

// An electrode of width 10.5 from 20.7 spans columns 20 to 31; the middle
// 25.95 gives 25.
TEST(AcceleratorView, FractionalEdgesAreTruncatedOneByOne) {
    VeloxData data;
    data.Cavities.Append({10.7, 10.5, 4.4, 8.3});
    data.BuildCavities();
    const CavityColumns k = ColumnsOf(data.CavityList[0], data.ViewScale);
    EXPECT_EQ((std::array{k.Acc1, k.Acc2, k.Ground1, k.Ground2, k.AccMiddle, k.GroundMiddle}),
              (std::array{20, 31, 35, 43, 25, 39}));
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
    for (const auto& s : Draw(data, 50, canvas))
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(s[k] >= PixelMin && s[k] <= PixelMax) << s[k];
}

}  // namespace
}  // namespace velox
