#include <gtest/gtest.h>

#include "files/batch/BatchAutoScale.h"

namespace velox::batch {
namespace {

TEST(BatchNiceStep, StepsAndRoundedUpTops) {
    struct Case {
        double hi, step, top, intervals;
    };
    for (const Case& c : {Case{20, 5, 20, 4}, Case{37, 10, 40, 4}, Case{100, 20, 100, 5}, Case{220, 50, 250, 5},
                          Case{14.8, 5, 15, 3}, Case{148, 20, 160, 8}}) {
        double lo = 0, hi = c.hi;
        const BatchAxisSteps s = BatchNiceStep(lo, hi);
        EXPECT_EQ(s.Step, c.step) << c.hi;
        EXPECT_EQ(hi, c.top) << c.hi;
        EXPECT_EQ(s.Intervals, c.intervals) << c.hi;
        EXPECT_EQ(lo, 0.0);
    }
    // The lower end is truncated to a whole step.
    double lo = 5, hi = 100;
    const BatchAxisSteps s = BatchNiceStep(lo, hi);
    EXPECT_EQ(s.Step, 20);
    EXPECT_EQ(lo, 0);
}

Spectrum WithCounts(std::initializer_list<std::pair<int, int>> counts, int xMin, int xMax) {
    Spectrum s;
    s.XMin = xMin;
    s.XMax = xMax;
    for (auto [channel, n] : counts) {
        EnsureBin(s.Bins, channel);
        s.Bins[static_cast<std::size_t>(channel)] = n;
    }
    return s;
}

TEST(BatchAutoScaleY, HighestVisibleCountGivesTheTop) {
    for (auto [count, yMax] : {std::pair{37, 40}, {21, 25}, {100, 100}, {101, 120}, {148, 160}, {5, 20}}) {
        Spectrum s = WithCounts({{10, count}, {11, 1}}, 0, 100);
        BatchAutoScaleY(s);
        EXPECT_EQ(s.YMax, yMax) << count;
    }
    Spectrum empty = WithCounts({}, 0, 100);
    empty.YMax = 999;
    BatchAutoScaleY(empty);
    EXPECT_EQ(empty.YMax, 20);
    EXPECT_EQ(empty.AxisStep, 5);
    EXPECT_EQ(empty.AxisIntervals, 4);
}

TEST(BatchAutoScaleY, OnlyChannelsFromOneBeforeXMinToXMaxCount) {
    Spectrum s = WithCounts({{9, 500}, {10, 37}, {61, 900}}, 11, 60);
    BatchAutoScaleY(s);
    EXPECT_EQ(s.YMax, 40);  // channel 10 = XMin - 1 counts, 9 and 61 do not
    EXPECT_EQ(BatchMaxCount(WithCounts({{3, 8}}, 5, 60)), -1);
}

}  // namespace
}  // namespace velox::batch
