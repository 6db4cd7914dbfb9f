// The simulation step on the worst-case load (WorstCaseLoad.h) timed with a
// plain clock, for the targets where Google Benchmark is not built
// (WebAssembly under node, 64-bit ARM under qemu-user): every step from the
// same load, the median and the quartiles of the step times.
//   velox_step_timer [STEPS]      (default 401)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "WorstCaseLoad.h"
#include "editor/model/NumberText.h"

int main(int argc, char** argv) {
    const auto steps = argc > 1 ? velox::ParseWholeNumber(argv[1]) : 401;
    if (!steps || *steps < 1) {
        std::fputs("velox_step_timer: a lépések száma pozitív egész szám\n", stderr);
        return 2;
    }
    velox::VeloxData d;
    velox::BuildWorstCase(d);
    const auto start = d.Particles;
    const double startTime = d.SimTime;
    std::vector<double> ms;
    double positions = 0;  // kept, so the steps cannot be left out
    for (int i = 0; i < *steps; ++i) {
        d.Particles = start;
        d.SimTime = startTime;
        const auto t0 = std::chrono::steady_clock::now();
        d.SimulationStep();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        positions += d.Particles[0].X;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return velox::FormatFixed(ms[static_cast<std::size_t>(q * (ms.size() - 1))], 0, 3); };
    const std::string line = "Legrosszabb szimulációs lépés (20 üreg, 21 részecske), " + velox::FormatInteger(*steps) +
                             " lépés: medián " + at(0.5) + " ms, kvartilisek " + at(0.25) + " és " + at(0.75) +
                             " ms (ellenőrzőösszeg " + velox::FormatGeneral(positions) + ")\n";
    std::fputs(line.c_str(), stdout);
    return 0;
}
