#include "results/model/PlotGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/model/Numeric.h"
#include "editor/model/NumberText.h"

namespace velox {
namespace {

constexpr Extended StepMantissa[3] = {1.0, 2.0, 5.0};
constexpr int StepMoves = 20;

// base + Trunc(offset), without overflow whatever the offset, held within
// the pixel range that the painter takes.
int Shifted(std::int64_t base, Extended offset) { return PixelAt(offset, base); }

int WidthOf(const TextMetrics& metrics, std::string_view text) {
    return metrics.Width ? metrics.Width(text) : 0;
}

// The last channel the plot scales to: XMax, or MinChannelSpan channels
// from XMin when the stored range is empty or reversed.
std::int64_t ScaledXMax(const Spectrum& s) {
    return s.XMax > s.XMin ? s.XMax : static_cast<std::int64_t>(s.XMin) + MinChannelSpan;
}

}  // namespace

void NiceStep(double& lo, double& hi, double& step, double& intervals) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi)) {
        step = 1.0;
        intervals = 0.0;
        return;
    }
    const Extended span = Extended(hi) - lo;
    int j = 0;
    Extended decade = 1.0;
    int roundsLeft = StepMoves;
    Extended r = span / (StepMantissa[j] * decade);
    while ((r > 7.0 || r < 3.0) && roundsLeft > 0) {
        roundsLeft -= 1;
        if (r > 7.0) {
            if (++j > 2) {
                j = 0;
                decade *= 10.0;
            }
        } else {
            if (--j < 0) {
                j = 2;
                decade /= 10.0;
            }
        }
        r = span / (StepMantissa[j] * decade);
    }
    step = static_cast<double>(StepMantissa[j] * decade);
    lo = static_cast<double>(Trunc(lo / Extended(step)) * step);
    const Extended top = Trunc(hi / Extended(step)) * step;
    if (top < hi) hi = static_cast<double>(top + step);
    intervals = static_cast<double>((Extended(hi) - lo) / step);
}

bool AutoScaleY(Spectrum& s, std::int32_t maxCount) {
    double lo = 0.0;
    double hi = std::max(maxCount, MinCountAxisTop);
    NiceStep(lo, hi, s.AxisStep, s.AxisIntervals);
    std::int32_t top = TruncToInt(Extended(s.AxisIntervals) * s.AxisStep);
    if (top < MinCountAxisTop) top = MinCountAxisTop;
    const bool changed = top != s.YMax;
    s.YMax = top;
    return changed;
}

void ComputeScales(Spectrum& s) {
    const Extended width = Extended(static_cast<std::int64_t>(s.XRight) - s.XLeft);
    const Extended channels = Extended(ScaledXMax(s) - s.XMin);
    s.XScale = static_cast<double>(width / channels);
    const Extended height = Extended(static_cast<std::int64_t>(s.YBottom) - s.YTop);
    const Extended top = s.YMax > 0 ? s.YMax : MinCountAxisTop;
    s.YScale = static_cast<double>(height / top);
}

MarkerGeometry UpdateMarkerGeometry(const Spectrum& s) {
    MarkerGeometry m;
    const Extended channels = Extended(static_cast<std::int64_t>(s.Marker) - s.XMin);
    const int x = Shifted(s.XLeft, channels * s.XScale);
    m.LineX = std::clamp(x, s.XLeft, std::max(s.XLeft, s.XRight));
    m.XText = "X=" + FormatInteger(s.Marker) + "   ";
    if (s.Marker >= 1 && static_cast<std::size_t>(s.Marker) < s.Bins.size())
        m.YText = "Y=" + FormatInteger(s.Bins[static_cast<std::size_t>(s.Marker)]) + "   ";
    else
        m.YText = "Y=         ";
    return m;
}

AxesGeometry DrawAxesGeometry(Spectrum& s, const TextMetrics& metrics) {
    AxesGeometry g;
    if (s.YMax < MinCountAxisTop) {
        s.YMax = MinCountAxisTop;
        g.YMaxRaised = true;
    }
    ComputeScales(s);
    g.Axes.push_back({s.XLeft, 0, s.XLeft, s.YBottom});
    g.Axes.push_back({s.XLeft, s.YBottom, s.XRight, s.YBottom});

    // Count axis, labels right-aligned left of the axis and centred on
    // their ticks.  YMax is an int32, so NiceStep's 20 moves leave at most
    // a few hundred intervals here.
    double lo = 0.0;
    double hi = s.YMax;
    NiceStep(lo, hi, s.AxisStep, s.AxisIntervals);
    if (s.AxisIntervals > 1.0) {
        const auto n = TruncToInt64(RoundHalfEven(s.AxisIntervals));
        for (std::int64_t k = 0; k <= n; ++k) {
            const Extended v = k * Extended(s.AxisStep);
            const int y = Shifted(s.YBottom, -(v * s.YScale));
            std::string label = FormatInteger(TruncToInt64(v));
            const int w = WidthOf(metrics, label);
            g.CountLabels.push_back({s.XLeft - 2 * (w / 2) - 5, y - metrics.Height / 2, std::move(label)});
            g.CountTicks.push_back({s.XLeft, y, s.XLeft - 5, y});
        }
    }

    // Channel axis: labels count from XMin, centred under their ticks.
    lo = s.XMin;
    hi = static_cast<double>(ScaledXMax(s));
    NiceStep(lo, hi, s.AxisStep, s.AxisIntervals);
    if (s.AxisIntervals > 1.0) {
        const auto n = TruncToInt64(RoundHalfEven(s.AxisIntervals));
        for (std::int64_t k = 0; k <= n; ++k) {
            const Extended v = k * Extended(s.AxisStep);
            const int x = Shifted(s.XLeft, v * s.XScale);
            std::string label = FormatInteger(TruncToInt64(v) + s.XMin);
            const int w = WidthOf(metrics, label);
            g.ChannelLabels.push_back({x - w / 2, s.YBottom + 10, std::move(label)});
            g.ChannelTicks.push_back({x, s.YBottom, x, s.YBottom + 10});
        }
    }

    if (s.XMin > s.Marker) s.Marker = s.XMin;
    if (s.XMax < s.Marker) s.Marker = s.XMax;
    g.Marker = UpdateMarkerGeometry(s);
    return g;
}

SpectrumGeometry DrawSpectrumGeometry(Spectrum& s, const ResultSums& sums, std::int32_t arrivedCount,
                                      const TextMetrics& metrics, std::int32_t bitmapWidth) {
    SpectrumGeometry g;
    ComputeScales(s);

    const auto binCount = static_cast<std::int64_t>(s.Bins.size());
    const std::int64_t first = std::max<std::int64_t>(0, static_cast<std::int64_t>(s.XMin) - 1);
    for (std::int32_t n : s.Bins) g.Total += n;
    for (std::int64_t i = first; i < binCount && i <= s.XMax; ++i)
        g.MaxCount = std::max(g.MaxCount, s.Bins[static_cast<std::size_t>(i)]);

    g.Stats = ComputeStatistics(sums, arrivedCount);

    if (s.Auto) {
        g.AutoScaled = true;
        g.YMaxChanged = AutoScaleY(s, g.MaxCount);
        ComputeScales(s);
    }

    g.Axes = DrawAxesGeometry(s, metrics);

    // The count line, one point per channel from XMin - 1 to XMax; the
    // channel one past the last counter is an empty one, so the line comes
    // back to zero.  Counts above the box are cut at its top edge.  When the
    // very first point lies above the box, the line has no end yet to cut
    // from; the cut segment then rises from the channel axis below the point.
    PolylineBuilder line;
    bool started = false;
    bool penPlaced = false;
    PlotPoint pen;
    const std::int64_t last = std::min<std::int64_t>(binCount, s.XMax);
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int32_t n = i < binCount ? s.Bins[static_cast<std::size_t>(i)] : 0;
        const PlotPoint p{Shifted(s.XLeft, Extended(i - s.XMin) * s.XScale),
                          Shifted(s.YBottom, -(Extended(n) * s.YScale))};
        if (p.x <= s.XRight && p.y >= s.YTop) {
            if (started) {
                line.LineTo(p);
            } else {
                line.MoveTo(p);
                started = true;
            }
            pen = p;
            penPlaced = true;
        } else if (p.y < s.YTop) {
            if (!penPlaced) {
                pen = {p.x, s.YBottom};
                line.MoveTo(pen);
                penPlaced = true;
            }
            PlotPoint cut{p.x, s.YTop};
            if (pen.y > s.YTop) {
                // Both factors are differences of int32 values, so the
                // product is exact in the 64-bit significand.
                const Extended across = Extended(static_cast<std::int64_t>(p.x) - pen.x) *
                                           (static_cast<std::int64_t>(pen.y) - s.YTop);
                const Extended rise = Extended(pen.y) - p.y;
                cut.x = Shifted(pen.x, across / rise);
            }
            line.LineTo(cut);
            pen = cut;
        }
    }
    g.CountLine = line.Finish();

    std::string texts[3] = {"Összes=" + FormatInteger(g.Total), "Átlag=" + FormatFixed(g.Stats.Mean, 10, 3),
                            "Szórás=" + FormatFixed(g.Stats.Deviation, 10, 3)};
    int widest = 0;
    for (const auto& t : texts) widest = std::max(widest, WidthOf(metrics, t));
    const int left = bitmapWidth - widest - 5;
    const int tops[3] = {2, 10, 18};
    for (int k = 0; k < 3; ++k) g.StatisticsTexts.push_back({left, tops[k], std::move(texts[k])});

    g.Beyond = CountBeyondRange(s);
    g.BeyondTexts = BeyondRangeTexts(s, g.Beyond, metrics);
    return g;
}

BeyondRange CountBeyondRange(const Spectrum& s) {
    BeyondRange r;
    for (std::size_t i = 0; i < s.Bins.size(); ++i) {
        const auto c = static_cast<std::int64_t>(i);
        if (c < s.XMin) r.Below += s.Bins[i];
        else if (c > s.XMax) r.Above += s.Bins[i];
    }
    return r;
}

std::vector<PlotText> BeyondRangeTexts(const Spectrum& s, BeyondRange counts, const TextMetrics& metrics) {
    std::vector<PlotText> texts;
    // One pixel clear of the channel axis, so the text's background never
    // hides it.
    const int top = s.YBottom - metrics.Height - 1;
    if (counts.Below > 0) texts.push_back({s.XLeft + 3, top, "← " + FormatInteger(counts.Below)});
    if (counts.Above > 0) {
        std::string text = "→ " + FormatInteger(counts.Above);
        texts.push_back({s.XRight - WidthOf(metrics, text), top, std::move(text)});
    }
    return texts;
}

void PolylineBuilder::MoveTo(PlotPoint p) {
    Close();
    current_.push_back(p);
    runStart_ = 0;
    runCount_ = 1;
    runMin_ = runMax_ = p.y;
}

void PolylineBuilder::LineTo(PlotPoint p) {
    if (current_.empty()) {
        MoveTo(p);
        return;
    }
    if (p.x != current_.back().x) {
        runStart_ = current_.size();
        runCount_ = 1;
        runMin_ = runMax_ = p.y;
        current_.push_back(p);
        return;
    }
    runCount_ += 1;
    runMin_ = std::min(runMin_, p.y);
    runMax_ = std::max(runMax_, p.y);
    if (runCount_ <= 4) {
        current_.push_back(p);
    } else {
        current_.resize(runStart_ + 1);
        current_.push_back({p.x, runMin_});
        current_.push_back({p.x, runMax_});
        current_.push_back(p);
    }
}

void PolylineBuilder::Close() {
    if (current_.size() > 1) lines_.push_back(std::move(current_));
    current_.clear();
}

std::vector<std::vector<PlotPoint>> PolylineBuilder::Finish() {
    Close();
    return std::move(lines_);
}

namespace {

void DrawLines(Canvas& canvas, const std::vector<PlotLine>& lines) {
    for (const PlotLine& l : lines) {
        canvas.MoveTo(l.x1, l.y1);
        canvas.LineTo(l.x2, l.y2);
    }
}

void DrawTexts(Canvas& canvas, const std::vector<PlotText>& texts) {
    for (const PlotText& t : texts) canvas.TextOut(t.x, t.y, t.text, colours::White, colours::Black);
}

}  // namespace

void DrawAxesOn(Canvas& canvas, std::int32_t width, std::int32_t height, const AxesGeometry& axes) {
    canvas.FillRect(0, 0, width, height, colours::Black);
    canvas.SetPen(colours::White, 1);
    DrawLines(canvas, axes.Axes);
    DrawLines(canvas, axes.CountTicks);
    DrawLines(canvas, axes.ChannelTicks);
    DrawTexts(canvas, axes.CountLabels);
    DrawTexts(canvas, axes.ChannelLabels);
}

void DrawSpectrumOn(Canvas& canvas, std::int32_t width, std::int32_t height, const SpectrumGeometry& plot,
                    const TextMetrics& metrics) {
    DrawAxesOn(canvas, width, height, plot.Axes);
    canvas.SetPen(colours::White, 1);
    for (const auto& line : plot.CountLine) {
        canvas.MoveTo(line.front().x, line.front().y);
        for (std::size_t k = 1; k < line.size(); ++k) canvas.LineTo(line[k].x, line[k].y);
    }
    for (const auto* texts : {&plot.StatisticsTexts, &plot.BeyondTexts})
        for (const PlotText& t : *texts)
            canvas.FillRect(t.x, t.y, t.x + metrics.Width(t.text), t.y + metrics.Height, colours::Black);
    for (const auto* texts : {&plot.StatisticsTexts, &plot.BeyondTexts})
        for (const PlotText& t : *texts) canvas.TextOver(t.x, t.y, t.text, colours::White);
}

}  // namespace velox
