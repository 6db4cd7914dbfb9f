// Loading a results file of 1,000,000 energies in ascending order, the
// order in which every new value needs a new highest channel: the load
// reads the file, parses it and rebuilds both histograms.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "files/model/ResultsFile.h"

namespace {

void BM_LoadAscendingResults(benchmark::State& state) {
    velox::Results source;
    for (int i = 0; i < 1000000; ++i) source.EnergyValues.push_back(i + 0.5);
    std::string path = "/tmp/velox-bench.XXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0 || !velox::ReplaceFile(path, velox::FormatResults(source, 36526.0)).Ok) {
        state.SkipWithError("cannot write the results file");
        return;
    }
    ::close(fd);
    for (auto _ : state) {
        velox::Results r;
        double clock = 0;
        const velox::ResultsLoadResult load = velox::LoadResultsFile(r, clock, path);
        if (load.Status != velox::FileStatus::Ok || r.EnergySpectrum.Bins.size() != 1000000) {
            state.SkipWithError("the file did not load");
            break;
        }
    }
    ::unlink(path.c_str());
}

}  // namespace

BENCHMARK(BM_LoadAscendingResults)->Unit(benchmark::kMillisecond);
