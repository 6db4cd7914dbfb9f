// The ion source panel: the phase window picture, its markers and the two
// phase fields.
#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "core/model/PhaseWindow.h"

namespace velox {
namespace {

using testing::RecordingCanvas;
constexpr std::int32_t W = 107, H = 61;

// The aqua ranges after the white background, as {left, right} pairs.
using Ranges = std::vector<std::pair<std::int32_t, std::int32_t>>;
Ranges Shaded(double start, double stop) {
    RecordingCanvas c;
    DrawPhaseWindow(c, W, H, start, stop);
    EXPECT_TRUE(c.Fills.at(0).Brush == colours::White && c.Fills[0].Right == W && c.Fills[0].Bottom == H);
    Ranges out;
    for (std::size_t k = 1; k < c.Fills.size(); ++k) {
        EXPECT_TRUE(c.Fills[k].Brush == colours::Aqua && c.Fills[k].Top == 3 && c.Fills[k].Bottom == H - 3);
        out.push_back({c.Fills[k].Left, c.Fills[k].Right});
    }
    return out;
}

// x(a) = Trunc(101 · a / 360) + 3; a start of 0 or below shades both ends.
TEST(PhaseWindow, ShadedRangesAndTheWrapAroundTheEnd) {
    EXPECT_EQ(Shaded(90, 180), (Ranges{{28, 53}}));
    EXPECT_EQ(Shaded(-30, 30), (Ranges{{3, 11}, {95, W - 3}}));
    EXPECT_EQ(Shaded(0, 60), (Ranges{{3, 19}, {W - 3, W - 3}}));  // the second range is empty
}

TEST(PhaseWindow, FrameMiddleLineAndOnePeriodOfSine) {
    RecordingCanvas c;
    DrawPhaseWindow(c, W, H, 0, 60);
    for (auto [x1, y1, x2, y2] : {std::array{3, 3, 3, H - 3}, {3, H - 3, W - 3, H - 3}, {W - 3, H - 3, W - 3, 3},
                                  {W - 3, 3, 3, 3}, {3, 30, W - 3, 30}})
        EXPECT_TRUE(c.HasStroke(x1, y1, x2, y2, colours::Black, 1)) << x1 << "," << y1 << " " << x2 << "," << y2;
    std::vector<testing::Stroke> sine;
    for (const auto& s : c.Strokes)
        if (s.Pen == colours::Blue && s.Width == 2) sine.push_back(s);
    ASSERT_EQ(sine.size(), 50u);
    // i = 13: x = Trunc(101 · 13 / 50) + 3, y = 30 − Trunc(24.95): positive upwards.
    EXPECT_EQ(std::tuple(sine[0].X1, sine[0].Y1, sine[12].X2, sine[12].Y2, sine[36].Y2, sine[49].X2, sine[49].Y2),
              std::tuple(3, 30, 29, 6, 54, W - 3, 30));
}

TEST(PhaseWindow, MarkersAndFieldTexts) {
    PhasePanelState p = PhasePanelFor(15, W, 0, 60);
    // A start of 0 sits at 360; the stop at Trunc(16.83 + 18).
    EXPECT_EQ(std::tuple(p.StartMarkerLeft, p.StopMarkerLeft, p.StartText, p.StopText), std::tuple(119, 34, "0", "60"));
    p = PhasePanelFor(15, W, -30.5, 45.7);
    EXPECT_EQ(std::tuple(p.StartMarkerLeft, p.StartText, p.StopText), std::tuple(110, "-30", "45"));  // Trunc(110.44)
}

// Start −360 … 360 and below the stop; stop 0 … 360 and above the start.
TEST(PhaseEntry, WholeNumbersInRangeAndOrder) {
    for (auto [text, stop, value] : {std::tuple{"-360", 60.0, -360.0}, {"  12", 60.0, 12.0}, {"$1F", 60.0, 31.0},
                                     {"0x1f", 60.0, 31.0}, {"360", 1000.0, 360.0}, {"59", 60.0, 59.0}})
        EXPECT_EQ(AcceptStartPhase(text, stop), value) << text;
    for (auto [text, stop] : {std::pair{"-361", 60.0}, {"361", 1000.0}, {"60", 60.0}, {"45.5", 60.0}, {"abc", 60.0},
                              {"12 ", 60.0}, {"", 60.0}, {"-$1F", 60.0}})
        EXPECT_FALSE(AcceptStartPhase(text, stop)) << text;
    for (auto [text, start, value] : {std::tuple{"360", 0.0, 360.0}, {"1", 0.0, 1.0}, {"0", -30.0, 0.0}})
        EXPECT_EQ(AcceptStopPhase(text, start), value) << text;
    for (auto [text, start] : {std::pair{"361", 0.0}, {"-1", -30.0}, {"90", 90.0}, {"x", -30.0}})
        EXPECT_FALSE(AcceptStopPhase(text, start)) << text;
}

}  // namespace
}  // namespace velox
