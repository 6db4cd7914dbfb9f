// The sweep's grid items against the set-up reader, its points and its stop.
#include <gtest/gtest.h>

#include <atomic>

#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/model/Sweep.h"

namespace velox {
namespace {

// A value is offered exactly when a set-up file line that gives it reads
// back as that value, so that each point is a set-up velox-batch can run.
TEST(Sweep, ItemValuesAreThoseASetupFileLineReadsBack) {
    for (const SweepItemRule& rule : SweepItemRules())
        for (const std::int64_t v : {rule.Min - 1, rule.Min, rule.Max, rule.Max + 1}) {
            const std::string text = FormatInteger(v);
            VeloxData data;
            data.ApplyStartupDefaults();
            ApplySetup(data, ParseSetup(std::string(rule.Name) + " =" + text + "\r\n"));
            const double read[] = {double(data.FrequencyPosition), double(data.VoltagePosition), data.StartPhase,
                                   data.StopPhase, double(data.TargetLeft)};
            const bool offered =
                ParseSweepAxis(std::string(rule.Name) + "=" + text + ":" + text + ":1").Axis.has_value();
            EXPECT_EQ(offered, read[static_cast<int>(rule.Item)] == double(v)) << rule.Name << " " << v;
        }
}

// Each point sets its items as a file line would, also over a base set-up
// without that line.
TEST(Sweep, PointSetupsGiveTheirItems) {
    const std::vector<SweepAxis> axes{*ParseSweepAxis("Freq=0:100:50").Axis, *ParseSweepAxis("Ampli=0:100:25").Axis,
                                      *ParseSweepAxis("Target=300:400:100").Axis};
    EXPECT_EQ(SweepPointCount(axes), 30u);
    const std::vector<std::int64_t> values = SweepPointValues(axes, 13);  // 1 · 10 + 1 · 2 + 1
    EXPECT_EQ(values, (std::vector<std::int64_t>{50, 25, 400}));
    VeloxData data;
    data.ApplyStartupDefaults();
    ApplySetup(data, SweepPointSetup(SetupData{}, axes, values));
    EXPECT_EQ(std::tuple(data.Frequency, data.Amplitude, data.TargetLeft), std::tuple(1.0, 37.5, 400));
}

TEST(Sweep, StopLetsTheStartedPointsFinishAndKeepsGridOrder) {
    const SweepPlan plan{
        StartupSetup(), {*ParseSweepAxis("Freq=0:1:1").Axis, *ParseSweepAxis("Ampli=0:100:1").Axis}, 0};
    std::atomic<bool> stop{false};
    const SweepOutcome out = RunSweep(plan, 2, stop, [&](std::size_t done, std::size_t) { stop = stop || done >= 3; });
    ASSERT_GE(out.Rows.size(), 3u);
    EXPECT_EQ(std::pair(out.NotRun > 0, out.Rows.size() + out.NotRun), std::pair(true, 202ul));
    for (std::size_t i = 0; i < out.Rows.size(); ++i) {
        const SweepRow alone = RunSweepPoint(plan, i);
        EXPECT_EQ(std::tuple(out.Rows[i].Values, out.Rows[i].Amplitude, out.Rows[i].Figures.Launched,
                             out.Rows[i].Figures.Arrived, out.Rows[i].Figures.Energy.Mean),
                  std::tuple(std::vector<std::int64_t>{0, std::int64_t(i)}, 25 + 0.5 * double(i),
                             alone.Figures.Launched, alone.Figures.Arrived, alone.Figures.Energy.Mean));
    }
}

}  // namespace
}  // namespace velox
