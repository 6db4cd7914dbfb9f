#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "core/model/PhaseWindow.h"

namespace velox {
namespace {

using testing::RecordingCanvas;
using testing::Stroke;
constexpr std::int32_t W = 107, H = 61;

TEST(PhaseWindow, PositiveStartShadesOneRange) {
    RecordingCanvas c;
    DrawPhaseWindow(c, W, H, 90, 180);
    ASSERT_EQ(c.Fills.size(), 2u);  // white background, one aqua range
    EXPECT_EQ(c.Fills[0].Right, W);
    EXPECT_EQ(c.Fills[1].Brush, colours::Aqua);
    EXPECT_EQ(c.Fills[1].Left, 28);    // Trunc(101 · 90 / 360) + 3
    EXPECT_EQ(c.Fills[1].Right, 53);   // Trunc(101 · 180 / 360) + 3
    EXPECT_EQ(c.Fills[1].Top, 3);
    EXPECT_EQ(c.Fills[1].Bottom, H - 3);
}

TEST(PhaseWindow, StartAtZeroOrBelowWrapsAroundTheEnd) {
    RecordingCanvas c;
    DrawPhaseWindow(c, W, H, -30, 30);
    ASSERT_EQ(c.Fills.size(), 3u);
    EXPECT_EQ(c.Fills[1].Left, 3);
    EXPECT_EQ(c.Fills[1].Right, 11);  // Trunc(8.41) + 3
    EXPECT_EQ(c.Fills[2].Left, 95);   // Trunc(92.58) + 3
    EXPECT_EQ(c.Fills[2].Right, W - 3);

    RecordingCanvas d;
    DrawPhaseWindow(d, W, H, 0, 60);
    ASSERT_EQ(d.Fills.size(), 3u);
    EXPECT_EQ(d.Fills[1].Right, 19);
    EXPECT_EQ(d.Fills[2].Left, W - 3);  // the second range is empty
}

TEST(PhaseWindow, FrameMiddleLineAndOnePeriodOfSine) {
    RecordingCanvas c;
    DrawPhaseWindow(c, W, H, 0, 60);
    EXPECT_TRUE(c.HasStroke(3, 3, 3, H - 3, colours::Black, 1));
    EXPECT_TRUE(c.HasStroke(W - 3, 3, 3, 3, colours::Black, 1));
    EXPECT_TRUE(c.HasStroke(3, 30, W - 3, 30, colours::Black, 1));
    std::vector<Stroke> sine;
    for (const auto& s : c.Strokes)
        if (s.Pen == colours::Blue && s.Width == 2) sine.push_back(s);
    ASSERT_EQ(sine.size(), 50u);
    EXPECT_EQ(sine.front().X1, 3);
    EXPECT_EQ(sine.front().Y1, 30);
    EXPECT_EQ(sine[12].X2, 29);  // i = 13: x = Trunc(101 · 13 / 50) + 3
    EXPECT_EQ(sine[12].Y2, 6);   // 30 − Trunc(24.95): positive values upwards
    EXPECT_EQ(sine[36].Y2, 54);  // i = 37: 30 − Trunc(−24.95)
    EXPECT_EQ(sine.back().X2, W - 3);
    EXPECT_EQ(sine.back().Y2, 30);
}

TEST(PhaseWindow, MarkersAndFieldTexts) {
    PhasePanelState p = PhasePanelFor(15, W, 0, 60);
    EXPECT_EQ(p.StartMarkerLeft, 15 + 3 + 101);  // a start of 0 sits at 360
    EXPECT_EQ(p.StopMarkerLeft, 34);             // Trunc(16.83 + 18)
    EXPECT_EQ(p.StartText, "0");
    EXPECT_EQ(p.StopText, "60");
    p = PhasePanelFor(15, W, -30.5, 45.7);
    EXPECT_EQ(p.StartMarkerLeft, 110);  // Trunc(101 · 329.5 / 360 + 18) = Trunc(110.44)
    EXPECT_EQ(p.StartText, "-30");
    EXPECT_EQ(p.StopText, "45");
}

TEST(PhaseEntry, WholeNumbersInRangeAndOrder) {
    EXPECT_EQ(AcceptStartPhase("-360", 60), -360.0);
    EXPECT_EQ(AcceptStartPhase("  12", 60), 12.0);
    EXPECT_EQ(AcceptStartPhase("$1F", 60), 31.0);
    EXPECT_EQ(AcceptStartPhase("0x1f", 60), 31.0);
    EXPECT_FALSE(AcceptStartPhase("-361", 60));
    EXPECT_FALSE(AcceptStartPhase("45.5", 60));
    EXPECT_FALSE(AcceptStartPhase("abc", 60));
    EXPECT_FALSE(AcceptStartPhase("12 ", 60));
    EXPECT_FALSE(AcceptStartPhase("", 60));
    EXPECT_FALSE(AcceptStartPhase("60", 60));  // the start must stay below the stop
    EXPECT_FALSE(AcceptStartPhase("-$1F", 60));

    EXPECT_EQ(AcceptStopPhase("360", 0), 360.0);
    EXPECT_EQ(AcceptStopPhase("1", 0), 1.0);
    EXPECT_FALSE(AcceptStopPhase("361", 0));
    EXPECT_FALSE(AcceptStopPhase("-1", -30));
    EXPECT_FALSE(AcceptStopPhase("90", 90));
}

}  // namespace
}  // namespace velox
