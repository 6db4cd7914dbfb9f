// The sweep's grid items against the set-up reader, and its stop.
#include <gtest/gtest.h>

#include <atomic>

#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/model/Sweep.h"

namespace velox {
namespace {

// A value is offered exactly when a set-up file line that gives it reads
// back as that value, so that each point is a set-up velox-batch --setup
// can run.
TEST(Sweep, ItemValuesAreThoseASetupFileLineReadsBack) {
    for (const SweepItemRule& rule : SweepItemRules()) {
        for (const std::int64_t v : {rule.Min - 1, rule.Min, rule.Max, rule.Max + 1}) {
            const std::string text = FormatInteger(v);
            VeloxData data;
            data.ApplyStartupDefaults();
            ApplySetup(data, ParseSetup(std::string(rule.Name) + " =" + text + "\r\n"));
            const double read[] = {static_cast<double>(data.FrequencyPosition), static_cast<double>(data.VoltagePosition),
                                   data.StartPhase, data.StopPhase, static_cast<double>(data.TargetLeft)};
            const bool offered = ParseSweepAxis(std::string(rule.Name) + "=" + text + ":" + text + ":1").Axis.has_value();
            EXPECT_EQ(offered, read[static_cast<int>(rule.Item)] == static_cast<double>(v)) << rule.Name << " " << v;
        }
    }
}

TEST(Sweep, StopLetsTheStartedPointsFinishAndKeepsGridOrder) {
    const SweepPlan plan{StartupSetup(), {*ParseSweepAxis("Freq=0:1:1").Axis, *ParseSweepAxis("Ampli=0:100:1").Axis}, 0};
    std::atomic<bool> stop{false};
    const SweepOutcome out = RunSweep(plan, 2, stop, [&](std::size_t done, std::size_t) {
        if (done >= 3) stop = true;
    });
    ASSERT_GE(out.Rows.size(), 3u);
    EXPECT_GT(out.NotRun, 0u);
    EXPECT_EQ(out.Rows.size() + out.NotRun, 202u);
    for (std::size_t i = 0; i < out.Rows.size(); ++i) {
        EXPECT_EQ(out.Rows[i].Values, (std::vector<std::int64_t>{0, static_cast<std::int64_t>(i)}));
        const SweepRow alone = RunSweepPoint(plan, i);
        EXPECT_EQ(std::tuple(out.Rows[i].Figures.Launched, out.Rows[i].Figures.Arrived, out.Rows[i].Figures.Energy.Mean),
                  std::tuple(alone.Figures.Launched, alone.Figures.Arrived, alone.Figures.Energy.Mean));
    }
}

}  // namespace
}  // namespace velox
