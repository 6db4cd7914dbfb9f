// A short run of the simulation without a window: the default two-cavity
// accelerator, the default launch window, a few thousand steps.
#include <cstdio>
#include <string>

#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"

int main() {
    velox::VeloxData data;
    data.ApplyStartupDefaults();
    const int steps = 5000;
    data.LaunchParticle(0);
    for (int i = 0; i < steps; ++i) data.SimulationStep();

    const velox::Results& r = data.Store;
    const auto e = velox::ComputeStatistics(r.EnergySums, r.ArrivedCount);
    const auto t = velox::ComputeStatistics(r.TimeSums, r.ArrivedCount);
    std::string out = "Lépések: " + velox::FormatInteger(steps) + "\n" +
                      "Indított részecskék: " + velox::FormatInteger(r.LaunchedCount) + "\n" +
                      "Beérkezett részecskék: " + velox::FormatInteger(r.ArrivedCount) + "\n" +
                      "Energia: átlag " + velox::FormatFixed(e.Mean, 10, 3) + ", szórás " + velox::FormatFixed(e.Deviation, 10, 3) + "\n" +
                      "Idő:     átlag " + velox::FormatFixed(t.Mean, 10, 3) + ", szórás " + velox::FormatFixed(t.Deviation, 10, 3) + "\n";
    std::fputs(out.c_str(), stdout);
    return 0;
}
