// Geometry of a spectrum plot: axis steps, scales, ticks and labels, the
// count line, the statistics lines and the marker readouts.
//
// Everything here is plain data that a painter replays without further
// logic, in this order onto a bitmap filled black:
//   1. Axes, CountTicks, ChannelTicks (white lines) and CountLabels,
//      ChannelLabels (white text, opaque on black); labels and ticks never
//      overlap, so their relative order does not matter;
//   2. the count line (white polylines);
//   3. the statistics texts (opaque, so they cover the line beneath them);
//   4. the counts beyond the range, "← n" and "→ n" (opaque).
// Lines run from their first to their second point like move-to/line-to.
// A text is placed by its top left corner.  Text widths come from the
// caller's measure, so the positions match whatever face the painter uses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Canvas.h"
#include "core/model/Numeric.h"
#include "results/model/Spectrum.h"

namespace velox {

struct PlotPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlotPoint&) const = default;
};

struct PlotLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const PlotLine&) const = default;
};

struct PlotText {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const PlotText&) const = default;
};

// Measures of the plot face: the width in pixels of a UTF-8 text and the
// height of a text line.
struct TextMetrics {
    std::function<int(std::string_view)> Width;
    int Height = 0;
};

// The narrowest channel range, the lowest count-axis top and the smallest
// channel width the window accepts.
inline constexpr std::int32_t MinChannelSpan = 20;
inline constexpr std::int32_t MinCountAxisTop = 20;
inline constexpr Extended MinChannelWidth = Hundredth;

// The 1-2-5 step rule.  Given Lo < Hi, walks the steps …, 1, 2, 5, 10, …
// from 1 until the range holds 3 to 7 steps or 20 moves are spent, rounds
// Lo down and Hi up to whole steps and gives the step and the number of
// intervals.  Without a range (Lo >= Hi, or either end not finite) it gives
// Step 1 and 0 intervals and leaves Lo and Hi alone.
void NiceStep(double& lo, double& hi, double& step, double& intervals);

// Chooses the count-axis top from the highest count shown (-1 for none):
// the rounded-up top of NiceStep(0, max(maxCount, 20)), at least 20.
// AxisStep and AxisIntervals take that step.  True when YMax changed, so
// the number fields need rewriting.
bool AutoScaleY(Spectrum& spectrum, std::int32_t maxCount);

// XScale and YScale from the current fields.  A channel range the window
// would never allow (XMax <= XMin) is scaled as MinChannelSpan channels
// from XMin, and a count-axis top of 0 or below as MinCountAxisTop; the
// fields themselves are not changed.
void ComputeScales(Spectrum& spectrum);

struct MarkerGeometry {
    // Left edge of the marker line, relative to the bitmap's left edge:
    // XLeft + Trunc((Marker - XMin) * XScale), kept within XLeft … XRight.
    int LineX = 0;
    std::string XText;  // "X=" n "   "
    std::string YText;  // "Y=" count "   ", or "Y=" and nine blanks
};

// The marker line and readouts with the XScale stored in the record.
MarkerGeometry UpdateMarkerGeometry(const Spectrum& spectrum);

struct AxesGeometry {
    std::vector<PlotLine> Axes;  // y axis from the top edge, then x axis
    std::vector<PlotLine> CountTicks;
    std::vector<PlotText> CountLabels;
    std::vector<PlotLine> ChannelTicks;
    std::vector<PlotText> ChannelLabels;
    MarkerGeometry Marker;
    bool YMaxRaised = false;  // YMax was below 20 and is now 20
};

// The empty plot: raises YMax to 20, recomputes the scales (this drawing
// already uses the raised YMax), lays out both axes, leaves the channel
// axis step in AxisStep/AxisIntervals, keeps Marker inside XMin … XMax and
// gives the marker geometry.
AxesGeometry DrawAxesGeometry(Spectrum& spectrum, const TextMetrics& metrics);

// The counters of the channels left of XMin and right of XMax: the values
// the plot does not show.  Channels below 0 are never counted.
struct BeyondRange {
    std::int64_t Below = 0;
    std::int64_t Above = 0;
    bool operator==(const BeyondRange&) const = default;
};
BeyondRange CountBeyondRange(const Spectrum& spectrum);

// The markers of the counts beyond the range, just above the channel axis:
// "← n" starting 3 pixels right of the y axis, "→ n" ending at XRight; a
// side without such counts has none.
std::vector<PlotText> BeyondRangeTexts(const Spectrum& spectrum, BeyondRange counts, const TextMetrics& metrics);

struct SpectrumGeometry {
    AxesGeometry Axes;
    // The count line; each polyline starts with a move to its first point.
    std::vector<std::vector<PlotPoint>> CountLine;
    // "Összes=", "Átlag=", "Szórás=", top right of the bitmap.
    std::vector<PlotText> StatisticsTexts;
    BeyondRange Beyond;
    std::vector<PlotText> BeyondTexts;  // "← n" and/or "→ n", none when all is shown
    std::int64_t Total = 0;       // sum of every counter
    std::int32_t MaxCount = -1;   // highest counter of channels XMin - 1 … XMax
    Statistics Stats;
    bool AutoScaled = false;      // AutoScaleY ran: the number fields are due
    bool YMaxChanged = false;     // … and YMax actually changed
};

// The full plot of a spectrum on a bitmap `bitmapWidth` pixels wide, with
// the statistics of its `sums` taken over `arrivedCount` arrivals.  Writes
// back XScale, YScale, AxisStep, AxisIntervals, YMax and Marker.
SpectrumGeometry DrawSpectrumGeometry(Spectrum& spectrum, const ResultSums& sums, std::int32_t arrivedCount,
                                      const TextMetrics& metrics, std::int32_t bitmapWidth);

// Collects move-to/line-to strokes into polylines.  Consecutive points in
// one pixel column are kept as the first, the lowest, the highest and the
// last of them, which covers the same pixels: a long histogram squeezed
// into a narrow plot gives at most four points per column.
class PolylineBuilder {
public:
    void MoveTo(PlotPoint p);
    void LineTo(PlotPoint p);
    // The polylines drawn so far; a lone move draws nothing and is left out.
    std::vector<std::vector<PlotPoint>> Finish();

private:
    void Close();
    std::vector<std::vector<PlotPoint>> lines_;
    std::vector<PlotPoint> current_;
    std::size_t runStart_ = 0;
    std::size_t runCount_ = 0;
    int runMin_ = 0;
    int runMax_ = 0;
};

// The plot laid out above, drawn on a canvas of width × height pixels:
// black, the axes with their ticks and labels.
void DrawAxesOn(Canvas& canvas, std::int32_t width, std::int32_t height, const AxesGeometry& axes);

// The whole plot: the axes, the count line, then the statistics and the
// counts beyond the range.  Those lines stand closer than the face is high:
// all their backgrounds go down first and the texts over them, so that no
// line cuts off the accents or descenders of its neighbour.
void DrawSpectrumOn(Canvas& canvas, std::int32_t width, std::int32_t height, const SpectrumGeometry& plot,
                    const TextMetrics& metrics);

}  // namespace velox
