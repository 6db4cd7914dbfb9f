// The automatic count axis of a spectrum plot, as the once-a-second redraw
// of the window computes it: the 1-2-5 step rule with its limit of 20 moves,
// and the highest count among the channels XMin - 1 … XMax.
//
// velox-batch keeps its own copy of these few lines for now; they are to be
// replaced by the shared plot geometry once that is part of the model.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/model/Numeric.h"
#include "results/model/Spectrum.h"

namespace velox::batch {

struct BatchAxisSteps {
    double Step = 0.0;
    double Intervals = 0.0;
};

// The step rule: starts at step 1 and moves one mantissa (1, 2, 5) at a time
// up while the range holds more than 7 steps and down while it holds fewer
// than 3, at most 20 moves; then widens lo and hi to whole steps.
inline BatchAxisSteps BatchNiceStep(double& lo, double& hi) {
    static constexpr double Mantissa[4] = {0.0, 1.0, 2.0, 5.0};
    int j = 1;
    double decade = 1.0;
    int roundsLeft = 20;
    const auto ratio = [&] {
        return static_cast<double>((static_cast<long double>(hi) - lo) / (static_cast<long double>(Mantissa[j]) * decade));
    };
    double r = ratio();
    while ((r > 7.0 || r < 3.0) && roundsLeft > 0) {
        --roundsLeft;
        if (r > 7.0) {
            if (++j > 3) {
                j = 1;
                decade = static_cast<double>(decade * 10.0L);
            }
        }
        if (r < 3.0) {
            if (--j < 1) {
                j = 3;
                decade = static_cast<double>(decade / 10.0L);
            }
        }
        r = ratio();
    }
    BatchAxisSteps s;
    s.Step = static_cast<double>(static_cast<long double>(Mantissa[j]) * decade);
    lo = static_cast<double>(std::trunc(static_cast<long double>(lo) / s.Step) * s.Step);
    const long double top = std::trunc(static_cast<long double>(hi) / s.Step) * s.Step;
    if (top < hi) hi = static_cast<double>(top + s.Step);
    s.Intervals = static_cast<double>((static_cast<long double>(hi) - lo) / s.Step);
    return s;
}

// The highest counter among the existing channels XMin - 1 … XMax; -1 when
// there is none.
inline std::int32_t BatchMaxCount(const Spectrum& s) {
    const std::int64_t first = std::max<std::int64_t>(0, static_cast<std::int64_t>(s.XMin) - 1);
    const std::int64_t last = std::min<std::int64_t>(s.XMax, static_cast<std::int64_t>(s.Bins.size()) - 1);
    std::int32_t best = -1;
    for (std::int64_t i = first; i <= last; ++i) best = std::max(best, s.Bins[static_cast<std::size_t>(i)]);
    return best;
}

// YMax of an automatic redraw: the rounded-up top of the step rule over
// 0 … max(MaxCount, 20), at least 20.
inline void BatchAutoScaleY(Spectrum& s) {
    double lo = 0.0;
    double hi = std::max(BatchMaxCount(s), 20);
    const BatchAxisSteps steps = BatchNiceStep(lo, hi);
    s.AxisStep = steps.Step;
    s.AxisIntervals = steps.Intervals;
    s.YMax = TruncToInt(static_cast<long double>(steps.Intervals) * steps.Step);
    if (s.YMax < 20) s.YMax = 20;
}

}  // namespace velox::batch
