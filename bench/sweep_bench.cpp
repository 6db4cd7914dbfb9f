// The sweep of the frequency spinner over its whole range,
//   velox-batch sweep --vary Freq=0:100:1
// of the start-up set-up at speed 5: 101 timed runs, on one thread and on
// two.  Each iteration is one whole sweep, timed by the wall clock; after
// the benchmarks the median rates and the speed-up of two threads over one
// are printed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "files/model/Sweep.h"

namespace {

std::map<int, std::vector<double>> RunsPerSecond;  // by thread count, one per iteration

void BM_FrequencySweep(benchmark::State& state) {
    const int threads = static_cast<int>(state.range(0));
    const velox::SweepPlan plan{velox::StartupSetup(), {*velox::ParseSweepAxis("Freq=0:100:1").Axis}, 4};
    const std::atomic<bool> stop{false};
    std::size_t runs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const velox::SweepOutcome out = velox::RunSweep(plan, static_cast<unsigned>(threads), stop);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        runs = out.Rows.size();
        benchmark::DoNotOptimize(out.Rows.data());
        RunsPerSecond[threads].push_back(static_cast<double>(runs) / wall.count());
    }
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["runs_per_s"] = RunsPerSecond[threads].back();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace

BENCHMARK(BM_FrequencySweep)->Arg(1)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double one = Median(RunsPerSecond[1]);
    const double two = Median(RunsPerSecond[2]);
    if (one > 0 && two > 0)
        std::printf("Frequency sweep, 101 runs at speed 5 (medians): 1 thread %.2f runs/s, 2 threads %.2f runs/s, "
                    "speed-up %.2fx\n",
                    one, two, two / one);
    return 0;
}
