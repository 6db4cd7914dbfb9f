#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "core/model/PhaseWindow.h"

namespace velox {
namespace {

using testing::RecordingCanvas;
using testing::Stroke;
constexpr std::int32_t W = 107, H = 61;

// The aqua ranges after the white background, as {left, right} pairs.
using Ranges = std::vector<std::pair<std::int32_t, std::int32_t>>;
Ranges Shaded(double start, double stop) {
    RecordingCanvas c;
    DrawPhaseWindow(c, W, H, start, stop);
    Ranges out;
    for (std::size_t k = 1; k < c.Fills.size(); ++k) {
        EXPECT_TRUE(c.Fills[k].Brush == colours::Aqua && c.Fills[k].Top == 3 && c.Fills[k].Bottom == H - 3);
        out.push_back({c.Fills[k].Left, c.Fills[k].Right});
    }
    return out;
}

TEST(PhaseWindow, ShadedRangesAndTheWrapAroundTheEnd) {
    EXPECT_EQ(Shaded(90, 180), (Ranges{{28, 53}}));  // Trunc(101 · 90 / 360) + 3 …
    EXPECT_EQ(Shaded(-30, 30), (Ranges{{3, 11}, {95, W - 3}}));  // Trunc(8.41) + 3, Trunc(92.58) + 3
    EXPECT_EQ(Shaded(0, 60), (Ranges{{3, 19}, {W - 3, W - 3}}));  // the second range is empty
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
    for (auto [text, value] : {std::pair{"-360", -360.0}, {"  12", 12.0}, {"$1F", 31.0}, {"0x1f", 31.0}})
        EXPECT_EQ(AcceptStartPhase(text, 60), value) << text;
    for (const char* bad : {"-361", "45.5", "abc", "12 ", "", "60", "-$1F"})  // 60: not below the stop
        EXPECT_FALSE(AcceptStartPhase(bad, 60)) << bad;
    EXPECT_EQ(AcceptStopPhase("360", 0), 360.0);
    EXPECT_EQ(AcceptStopPhase("1", 0), 1.0);
    EXPECT_FALSE(AcceptStopPhase("361", 0) || AcceptStopPhase("-1", -30) || AcceptStopPhase("90", 90));
}

}  // namespace
}  // namespace velox
