#include "files/model/TimedExercise.h"

#include <string_view>

#include "core/model/RunControl.h"
#include "results/model/PlotGeometry.h"

namespace velox {

void PrepareTimedRun(VeloxData& data, const SetupData* setup) {
    data.ApplyStartupDefaults();
    if (setup != nullptr) {
        ApplySetup(data, *setup);
        data.PlaceCavityMarkers();
    }
}

TimedRunOutcome RunTimedExercise(VeloxData& data, int speedIndex) {
    // "Teszt üzemmód" cleared, then "Újraindít" with empty results.
    RunController run(data);
    run.SpeedIndex = speedIndex;
    run.SetFreeMode(false);
    data.Store.Clear();
    run.Restart();
    long long steps = 1;
    while (!run.Tick()) ++steps;

    // The count axis that the window's next once-a-second redraw gives: it
    // redraws a spectrum that holds counts, scaling it when "Auto" is on.
    const TextMetrics metrics{[](std::string_view) { return 0; }, 0};
    for (Spectrum* s : {&data.Store.EnergySpectrum, &data.Store.TimeSpectrum})
        if (s->Auto && !s->Bins.empty())
            DrawSpectrumGeometry(*s, data.Store.SumsOf(*s), data.Store.ArrivedCount, metrics, PlotBitmapWidth);
    return {steps, run.RunClock};
}

}  // namespace velox
