// The pictures: the ion source panel with its markers and texts, the accelerator view with its potential line.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "core/model/PhaseWindow.h"
#include "core/model/VeloxData.h"
#include "editor/model/AcceleratorView.h"
#include "ui/model/Zoom.h"

namespace velox {
namespace {

// {x1, y1, x2, y2, pen width, blue}; fills and ellipses {left, top, right, bottom, aqua or white}.
using Shapes = std::vector<std::array<int, 6>>;

struct RecordingCanvas : Canvas {
    Shapes Strokes, Fills, Ellipses, Others;  // Others: strokes and fills in any other colour
    std::vector<std::tuple<int, int, std::string>> Texts;
    Colour Pen;
    int Width = 1, X = 0, Y = 0;
    void FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour c) override {
        (c == colours::Aqua || c == colours::White ? Fills : Others).push_back({l, t, r, b, c == colours::Aqua});
    }
    void SetPen(Colour c, std::int32_t w) override { std::tie(Pen, Width) = std::tuple(c, w); }
    void MoveTo(std::int32_t x, std::int32_t y) override { std::tie(X, Y) = std::tuple(x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override {
        (Pen == colours::Blue || Pen == colours::Black ? Strokes : Others)
            .push_back({X, Y, x, y, Width, Pen == colours::Blue});
        std::tie(X, Y) = std::tuple(x, y);
    }
    void Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour fill) override {
        Ellipses.push_back({l, t, r, b, fill == colours::White});
    }
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text, Colour, Colour) override {
        Texts.emplace_back(x, y, std::string(text));
    }
    void TextOver(std::int32_t x, std::int32_t y, std::string_view text, Colour c) override { TextOut(x, y, text, c, c); }
};

constexpr int W = 107, H = 61;  // the phase window

RecordingCanvas PhaseWindow(double start, double stop) {
    RecordingCanvas c;
    DrawPhaseWindow(c, W, H, start, stop);
    EXPECT_TRUE(c.Others.empty());
    return c;
}

}  // namespace

// White, then the window shaded aqua at x(a) = Trunc(101 · a / 360) + 3; a start of 0 or below shades both ends.
TEST(PhaseWindow, ShadedRangesAndTheWrapAroundTheEnd) {
    EXPECT_EQ(PhaseWindow(90, 180).Fills, (Shapes{{0, 0, W, H, 0, 0}, {28, 3, 53, H - 3, 1, 0}}));
    EXPECT_EQ(PhaseWindow(-30, 30).Fills,
              (Shapes{{0, 0, W, H, 0, 0}, {3, 3, 11, H - 3, 1, 0}, {95, 3, W - 3, H - 3, 1, 0}}));
    EXPECT_EQ(PhaseWindow(0, 60).Fills,
              (Shapes{{0, 0, W, H, 0, 0}, {3, 3, 19, H - 3, 1, 0}, {W - 3, 3, W - 3, H - 3, 1, 0}}));
}

// Frame and middle line in black, one period of sine in blue, upwards: i = 13 at Trunc(101 · 13 / 50) + 3, 30 − 24.
TEST(PhaseWindow, FrameMiddleLineAndOnePeriodOfSine) {
    const Shapes s = PhaseWindow(0, 60).Strokes;
    ASSERT_EQ(s.size(), 55u);
    EXPECT_EQ(Shapes(s.begin(), s.begin() + 5), (Shapes{{3, 3, 3, H - 3, 1, 0}, {3, H - 3, W - 3, H - 3, 1, 0},
                                                        {W - 3, H - 3, W - 3, 3, 1, 0}, {W - 3, 3, 3, 3, 1, 0},
                                                        {3, 30, W - 3, 30, 1, 0}}));
    EXPECT_EQ((std::array{s[5], s[17], s[41], s[54]}),
              (std::array<std::array<int, 6>, 4>{{{3, 30, 5, 27, 2, 1}, {27, 6, 29, 6, 2, 1}, {75, 54, 77, 54, 2, 1},
                                                  {101, 33, W - 3, 30, 2, 1}}}));
}

// A start of 0 sits at 360; the stop at Trunc(16.83 + 18); the fields show the values truncated.
TEST(PhaseWindow, MarkersAndFieldTexts) {
    PhasePanelState p = PhasePanelFor(15, W, 0, 60);
    EXPECT_EQ(std::tuple(p.StartMarkerLeft, p.StopMarkerLeft, p.StartText, p.StopText), std::tuple(119, 34, "0", "60"));
    p = PhasePanelFor(15, W, -30.5, 45.7);
    EXPECT_EQ(std::tuple(p.StartMarkerLeft, p.StartText, p.StopText), std::tuple(110, "-30", "45"));  // Trunc(110.44)
}

static Shapes View(VeloxData& data, double voltage, RecordingCanvas& canvas) {
    data.Voltage = voltage;
    DrawAcceleratorView(data, canvas, 607, 360);
    EXPECT_TRUE(canvas.Others.empty());
    return canvas.Strokes;
}

// The default accelerator at U = 30.7 with the axis at 41: per cavity the accelerating electrode (blue), open
// between 36 and 46 for the beam, its lead broken at the marker, the grounded electrode (black) and its lead; then
// the common line, the target rod at Trunc(9 div 2 + 387), the source lead, the diagram axes and the potential line
// at Trunc(U) above the baseline 241, ending at the last grounded electrode.
TEST(AcceleratorView, DefaultAcceleratorStrokeByStroke) {
    VeloxData data;
    data.ApplyStartupDefaults();
    RecordingCanvas canvas;
    const Shapes expected = {
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
    EXPECT_EQ(View(data, 30.7, canvas), expected);
    EXPECT_EQ(std::tuple(canvas.Fills, canvas.Ellipses, data.TargetMarker.Top),
              std::tuple(Shapes{{0, 0, 607, 360, 0, 0}}, Shapes{{6, 37, 14, 45, 1, 0}}, 11 + 41 - 5));
    EXPECT_EQ(canvas.Texts, (std::vector<std::tuple<int, int, std::string>>{{0, 161, "Potenciál"}, {4, 176, "(U)"}}));
    for (auto [voltage, u] : {std::pair{-30.7, -30}, {0.9, 0}, {-0.9, 0}, {75.0, 75}}) {
        RecordingCanvas c;
        EXPECT_EQ(View(data, voltage, c).at(37), (std::array{26, 241 - u, 76, 241 - u, 1, 0})) << voltage;
    }
}

// An electrode of width 10.5 from 20.7 spans columns 20 to 31; the middles 25.95 and 39.75 give 25 and 39.
TEST(AcceleratorView, FractionalEdgesAreTruncatedOneByOne) {
    VeloxData data;
    data.Cavities.Append({10.7, 10.5, 4.4, 8.3});
    data.BuildCavities();
    const CavityColumns k = ColumnsOf(data.CavityList[0], data.ViewScale);
    EXPECT_EQ((std::array{k.Acc1, k.Acc2, k.Ground1, k.Ground2, k.AccMiddle, k.GroundMiddle}),
              (std::array{20, 31, 35, 43, 25, 39}));
}

}  // namespace velox

namespace velox {
namespace {

TEST(WindowZoom, FitsTheScreenNeverBelowHalfAndStepsWithinLimits) {
    const PixelSize design{963, 606};
    // 100 % where the screen holds the design; the screen's fit where it is
    // smaller; never below half.
    EXPECT_EQ(SmallestZoom({1920, 1080}, design), 1.0);
    EXPECT_DOUBLE_EQ(SmallestZoom({960, 540}, design), 540.0 / 606);
    EXPECT_EQ(SmallestZoom({300, 200}, design), LeastZoom);
    EXPECT_DOUBLE_EQ(ContentZoom({1920, 1040}, design, 1), 1040.0 / 606);
    EXPECT_EQ(ContentZoom({900, 500}, design, 1), 1.0);
    // Touching rectangles still touch at any zoom; a thin one keeps a pixel.
    const PixelRect left = ScaledRect({13, 11, 606, 360}, 1.5), right = ScaledRect({619, 11, 1, 360}, 1.5);
    EXPECT_EQ(left.Left + left.Width, right.Left);
    EXPECT_EQ(ScaledRect({7, 5, 1, 1}, 0.5), (PixelRect{4, 3, 1, 1}));
    EXPECT_EQ(CentredContent({1000, 700}, {400, 300}, 2), (PixelRect{100, 50, 800, 600}));
    // Content larger than the client keeps its top left corner in view; an
    // empty rectangle stays empty.
    EXPECT_EQ(CentredContent({300, 200}, {400, 300}, 1), (PixelRect{0, 0, 400, 300}));
    EXPECT_EQ(ScaledRect({5, 5, 0, 0}, 2), (PixelRect{10, 10, 0, 0}));
    // Steps of a quarter of the size at start, landing on the nearest step,
    // clamped to the minimum and the screen.
    const PixelSize start{800, 600}, least{700, 500}, screen{1500, 1000};
    EXPECT_EQ(SteppedSize(start, start, 1, least, screen), (PixelSize{1000, 750}));
    EXPECT_EQ(SteppedSize({1090, 800}, start, 1, least, screen), (PixelSize{1200, 900}));
    EXPECT_EQ(SteppedSize({1200, 900}, start, 2, least, screen), (PixelSize{1500, 1000}));
    EXPECT_EQ(SteppedSize(start, start, -1, least, screen), (PixelSize{700, 500}));
}

}  // namespace
}  // namespace velox
