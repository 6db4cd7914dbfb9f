// One SimTimer tick of the real main window under the offscreen platform:
// the simulation step, the redraw of the view and the phase window, the
// marker moves, the readouts and the run clock, and the repaint of the
// window that follows.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "WindowLoad.h"
#include "ui/qt/AppSetup.h"

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

// The worst case with the window enlarged on a 1920 × 1080 screen: 1920 × 1040
// device pixels (a zoom of about 171 % at a pixel ratio of 1; under
// QT_SCALE_FACTOR=2 the same screen at a zoom of about 86 %).
void BM_WindowTickWorstCaseEnlarged(benchmark::State& state) {
    TForm1 f;
    velox::bench::StartWindow(f);
    const double ratio = f.devicePixelRatioF();
    f.resize(static_cast<int>(1920 / ratio), static_cast<int>(1040 / ratio));
    QApplication::processEvents();
    velox::bench::ApplyWorstCase(f);
    f.Run.Restart();
    for (auto _ : state) {
        velox::bench::ArmParticles(f);
        Tick(f);
    }
    state.counters["zoom"] = f.Zoom();
    state.counters["ratio"] = ratio;
}
BENCHMARK(BM_WindowTickWorstCaseEnlarged)->Unit(benchmark::kMicrosecond);

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

// Timer3's once-a-second redraw of both spectra after a long run: 100000
// arrivals spread over the shown channels, time channels of 0.01, and the
// repaint of the window that follows.
void BM_Timer3RedrawFullSpectra(benchmark::State& state) {
    TForm1 f;
    velox::bench::StartWindow(f);
    f.Data.Store.TimeSpectrum.ChannelWidth = 0.01;
    for (int i = 0; i < 100000; ++i) {
        const double energy = 0.5 + (i * 7919LL % 22000) / 100.0;
        f.Data.Store.RecordArrival(std::sqrt(10.0 * energy), (i * 104729LL % 62831) / 10000.0);
    }
    for (auto _ : state) {
        f.Timer3Timer();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Timer3RedrawFullSpectra)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    velox::ui::ConfigureOffscreenScreen(1920, 1080);
    QApplication app(argc, argv);
    velox::bench::PrepareApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
