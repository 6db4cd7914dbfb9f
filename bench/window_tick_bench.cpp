// One SimTimer tick of the real main window under the offscreen platform:
// the simulation step, the redraw of the view and the phase window, the
// marker moves, the readouts and the run clock, and the repaint of the
// window that follows.
#include <benchmark/benchmark.h>

#include <memory>

#include "WindowLoad.h"

namespace {

void Tick(TForm1& f) {
    f.Timer2Timer();
    QApplication::processEvents();
}

// The start-up set-up, running with the default launch window.
void BM_WindowTickDefault(benchmark::State& state) {
    TForm1 f;
    velox::bench::StartWindow(f);
    f.Run.Restart();
    for (int i = 0; i < 500; ++i) Tick(f);  // particles in flight
    for (auto _ : state) Tick(f);
}
BENCHMARK(BM_WindowTickDefault)->Unit(benchmark::kMicrosecond);

// The worst case: 20 cavities and 21 fast particles in every tick.
void BM_WindowTickWorstCase(benchmark::State& state) {
    TForm1 f;
    velox::bench::StartWindow(f);
    velox::bench::ApplyWorstCase(f);
    f.Run.Restart();
    for (auto _ : state) {
        velox::bench::ArmParticles(f);
        Tick(f);
    }
}
BENCHMARK(BM_WindowTickWorstCase)->Unit(benchmark::kMicrosecond);

// The handler alone, without the repaint.
void BM_WindowTickHandlerOnlyWorstCase(benchmark::State& state) {
    TForm1 f;
    velox::bench::StartWindow(f);
    velox::bench::ApplyWorstCase(f);
    f.Run.Restart();
    for (auto _ : state) {
        velox::bench::ArmParticles(f);
        f.Timer2Timer();
    }
    QApplication::processEvents();
}
BENCHMARK(BM_WindowTickHandlerOnlyWorstCase)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velox::bench::PrepareApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
