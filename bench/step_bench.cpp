// The simulation step on the worst-case load of WorstCaseLoad.h.
//
// BM_SimulationStep runs the model's step; BM_LiteralScanStep runs the same
// particle motion with the plain linear scan over the 85 field slots, so one
// run prints the ratio between the two.  velox_bench runs them on the
// model's Extended of the build (the x87 hardware on x86-64),
// velox_step_bench_software on the integer arithmetic.  BM_Sin is the
// voltage's sine of one step, beside the C library's.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <type_traits>

#include "WorstCaseLoad.h"
#include "core/model/Numeric.h"
#include "core/model/VeloxData.h"

namespace {

using velox::BuildWorstCase;
using velox::VeloxData;

// Sub-steps that one step of the current particles takes.
long SubSteps(const VeloxData& d) {
    long total = 0;
    for (const auto& p : d.Particles) {
        const double dts = p.V == 0.0 ? d.TimeStep : static_cast<double>(velox::TwoHundredth / std::fabs(p.V));
        total += std::max(1, velox::TruncToInt(velox::Extended(d.TimeStep) / dts));
    }
    return total;
}

// The reference: the motion of one step with a plain scan of the field table.
velox::FieldSample LiteralFieldAt(const VeloxData& d, double x) {
    if (!(x > 0.0)) return {};
    int n = 0;
    while (n < velox::FieldSlots && x > d.FieldTable[static_cast<std::size_t>(n)].Boundary) ++n;
    const auto m = static_cast<std::size_t>(n - 1);
    return {static_cast<double>(velox::Extended(d.FieldTable[m].Factor) * d.Voltage), m % 2 == 1};
}

void LiteralStep(VeloxData& d) {
    d.AdvanceRf();
    for (auto& p : d.Particles) {
        const double dts = p.V == 0.0 ? d.TimeStep : static_cast<double>(velox::TwoHundredth / std::fabs(p.V));
        int n = std::max(1, velox::TruncToInt(velox::Extended(d.TimeStep) / dts));
        velox::FieldSample f;
        for (int k = 0; k < n; ++k) {
            f = LiteralFieldAt(d, p.X);
            p.X = static_cast<double>(velox::Extended(p.V) * dts + p.X + velox::Extended(2.5) * f.Field * dts * dts);
            p.V = static_cast<double>(velox::Extended(5.0) * f.Field * dts + p.V);
        }
        benchmark::DoNotOptimize(f);
    }
}

template <typename Step>
void RunStep(benchmark::State& state, Step step) {
    VeloxData d;
    BuildWorstCase(d);
    const auto start = d.Particles;
    const double startTime = d.SimTime;
    const long subSteps = SubSteps(d);
    for (auto _ : state) {
        d.Particles = start;  // the same load every iteration
        d.SimTime = startTime;
        step(d);
        benchmark::DoNotOptimize(d.Particles);
    }
    state.SetLabel(std::is_same_v<velox::Extended, velox::SoftExtended> ? "integer arithmetic" : "x87 hardware");
    state.counters["substeps"] = static_cast<double>(subSteps);
    state.counters["per_substep"] = benchmark::Counter(static_cast<double>(subSteps) * state.iterations(),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SimulationStep(benchmark::State& state) {
    RunStep(state, [](VeloxData& d) { d.SimulationStep(); });
}

void BM_LiteralScanStep(benchmark::State& state) { RunStep(state, LiteralStep); }

void BM_FieldAt(benchmark::State& state) {
    VeloxData d;
    BuildWorstCase(d);
    const double end = d.FieldTable[80].Boundary;
    double x = 11;
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.FieldAt(x));
        x = x > end ? 11 : x + 0.37;
    }
}

void BM_FieldAtLiteral(benchmark::State& state) {
    VeloxData d;
    BuildWorstCase(d);
    const double end = d.FieldTable[80].Boundary;
    double x = 11;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LiteralFieldAt(d, x));
        x = x > end ? 11 : x + 0.37;
    }
}

// The voltage's sine on the phases of the steps of one RF period: the
// model's own (Sin), and the C library's for comparison.
void BM_Sin(benchmark::State& state) {
    velox::Extended phase = 0;
    for (auto _ : state) {
        phase = phase > velox::TwoPi ? phase - velox::TwoPi : phase + 0.05;
        benchmark::DoNotOptimize(velox::Sin(phase));
    }
}

#if VELOX_X87_LONG_DOUBLE
void BM_LibrarySinl(benchmark::State& state) {
    const long double twoPi = 2 * std::numbers::pi_v<long double>;
    long double phase = 0;
    for (auto _ : state) {
        phase = phase > twoPi ? phase - twoPi : phase + 0.05L;
        benchmark::DoNotOptimize(std::sin(phase));
    }
}
#endif

}  // namespace

BENCHMARK(BM_SimulationStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralScanStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FieldAt);
BENCHMARK(BM_FieldAtLiteral);
BENCHMARK(BM_Sin);
#if VELOX_X87_LONG_DOUBLE
BENCHMARK(BM_LibrarySinl);
#endif

BENCHMARK_MAIN();
