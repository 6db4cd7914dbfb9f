// The results file: the records as written, and a reader that loads a whole
// file, a file cut short, or nothing at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "../common/TestFiles.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "files/model/ResultsFile.h"

namespace velox {
namespace {

using testing::TempDir;
const double nan = NAN, inf = INFINITY;

std::string Records(const std::vector<double>& values) {
    std::string out;
    for (double v : values) out.append(reinterpret_cast<const char*>(EncodeRecord(v).data()), 8);
    return out;
}

// Settings and values unlike every default, so that a load that leaves
// something alone can be told from one that sets it.
Results DistinctResults() {
    Results r;
    r.RecordArrival(20.0, 0.35);
    r.RecordArrival(31.5, 1.1);
    r.LaunchedCount = 7;
    for (auto [s, values, w, x0, x1, y, a] : {std::tuple{&r.EnergySpectrum, &r.EnergyValues, 2.5, 3, 77, 45, false},
                                              {&r.TimeSpectrum, &r.TimeValues, 0.2, 1, 60, 30, true}}) {
        std::tie(s->ChannelWidth, s->XMin, s->XMax, s->YMax, s->Auto) = std::tuple(w, x0, x1, y, a);
        Rebin(*s, *values);
    }
    return r;
}

// The lists bit for bit, counters and settings through the file's own
// layout; the sums and histograms, which the file does not hold, apart.
void ExpectSameResults(const Results& a, const Results& b) {
    EXPECT_EQ(FormatResults(a, 0), FormatResults(b, 0));
    for (auto [x, y] : {std::pair{a.EnergySums, b.EnergySums}, {a.TimeSums, b.TimeSums}})
        EXPECT_TRUE(std::memcmp(&x, &y, sizeof x) == 0);
    EXPECT_EQ(std::pair(a.EnergySpectrum.Bins, a.TimeSpectrum.Bins), std::pair(b.EnergySpectrum.Bins, b.TimeSpectrum.Bins));
}

Results Applied(const std::string& bytes, Results r = {}, double* clock = nullptr, std::int32_t flying = 0) {
    double c = 0;
    const ResultsReadResult read = ParseResults(bytes);
    EXPECT_EQ(read.Status, FileStatus::Ok);
    ApplyResults(r, clock ? *clock : c, read.Data, flying);
    return r;
}

// No arrivals: 15 records, the separator being the bytes 00 00 00 00 80 87 C3 C0.
TEST(ResultsWriter, LittleEndianRecordsInTheFileOrder) {
    Results r;
    r.TimeSpectrum.ChannelWidth = 0.05;
    r.EnergySpectrum.XMax = 220;
    r.LaunchedCount = 3;
    const std::string empty = FormatResults(r, RunClockRestart);
    EXPECT_EQ(empty, Records({-9999.0, -9999.0, 0, 3, 36526.0, 1, 0, 220, 20, 1, 0.05, 0, 100, 20, 1}));
    EXPECT_EQ(empty.substr(0, 8) + empty.substr(40, 8), std::string("\0\0\0\0\x80\x87\xC3\xC0\0\0\0\0\0\0\xF0\x3F", 16));
    r = DistinctResults();
    EXPECT_EQ(FormatResults(r, 36526.5), Records({r.EnergyValues[0], r.EnergyValues[1], -9999.0, 0.35, 1.1, -9999.0, 2, 7,
                                                  36526.5, 2.5, 3, 77, 45, 0, 0.2, 1, 60, 30, 1}));
}

// A real run's sums were added up arrival by arrival, as the reader adds them.
TEST(ResultsFile, RealRunComesBackBitForBit) {
    VeloxData data;
    data.ApplyStartupDefaults();
    RunController run(data);
    run.Restart();
    for (int i = 0; i < 3000; ++i) run.Tick();
    ASSERT_GT(data.Store.ArrivedCount, 50);
    double clock = 0;
    ExpectSameResults(Applied(FormatResults(data.Store, run.RunClock), {}, &clock), data.Store);
    EXPECT_EQ(clock, run.RunClock);
}

// Cut at every byte, with a part of a record after the last one: the whole
// records before the cut load, up to the second separator; a file that ends
// inside the closing records changes nothing.
TEST(ResultsFile, CutAtEveryByteLoadsWholeOrChangesNothing) {
    TempDir dir;
    const Results source = DistinctResults();
    const std::string whole = FormatResults(source, 36526.5) + std::string(7, '\x7F');
    const std::size_t end = whole.size() - 7;
    const long closing = static_cast<long>(end / 8 - ClosingRecordCount);
    const std::vector<double>&e = source.EnergyValues, &t = source.TimeValues;
    for (std::size_t len = 0; len <= whole.size(); ++len) {
        SCOPED_TRACE(len);
        testing::WriteBytes(dir / "t.edat", whole.substr(0, len));
        Results r;
        r.RecordArrival(5, 5);
        r.LaunchedCount = 99;
        const Results before = r;
        double clock = 1.5;
        const ResultsLoadResult res = LoadResultsFile(r, clock, dir / "t.edat");
        const long records = static_cast<long>(len / 8);
        if (len >= end) {
            ASSERT_EQ(res.Status, FileStatus::Ok);
            ExpectSameResults(r, source);
            EXPECT_EQ(clock, 36526.5);
        } else if (records > closing) {
            EXPECT_TRUE(res.Status == FileStatus::Failed && res.Error.find("t.edat") != std::string::npos) << res.Error;
            ExpectSameResults(r, before);
            EXPECT_EQ(clock, 1.5);
        } else {  // e0 e1 S t0 t1 S
            ASSERT_EQ(res.Status, FileStatus::Ok);
            EXPECT_EQ(r.EnergyValues, std::vector<double>(e.begin(), e.begin() + std::min(records, 2L)));
            EXPECT_EQ(r.TimeValues, std::vector<double>(t.begin(), t.begin() + std::clamp(records - 3, 0L, 2L)));
            EXPECT_EQ(std::tuple(r.ArrivedCount, r.LaunchedCount, r.EnergySpectrum.XMax, clock),
                      std::tuple(int(r.EnergyValues.size()), 99, 100, 1.5));
            EXPECT_EQ(r.EnergySpectrum.Bins.empty(), r.EnergyValues.empty());
        }
    }
}

// Whole numbers are truncated; "Auto" is on only for exactly 1.0; particles
// still in flight add to the launch count, up to its largest value.
TEST(ResultsReader, WholeNumbersAutoAndParticlesInFlight) {
    double clock = 0;
    const Results r = Applied(Records({-9999, -9999, 5.9, 9.99, 36526.75, 1, 12.9, 99.9, 20.7, 1, 0.5, 0, 40.2, 1.5, 0}),
                              {}, &clock);
    EXPECT_EQ(FormatResults(r, clock), Records({-9999, -9999, 0, 9, 36526.75, 1, 12, 99, 20, 1, 0.5, 0, 40, 1, 0}));
    for (auto [record, on] : {std::pair{1.0, true}, {0.5, false}, {2.0, false}, {0.0, false}, {-1.0, false},
                              {std::nextafter(1.0, 2.0), false}, {nan, false}}) {
        Results before;
        before.EnergySpectrum.Auto = !on;
        EXPECT_EQ(Applied(Records({-9999, -9999, 0, 0, 0, 1, 0, 100, 20, record, 1, 0, 100, 20, 1}), before).EnergySpectrum.Auto, on)
            << record;
    }
    for (auto [file, loaded] : {std::pair{7.0, 28}, {2147483640.0, 2147483647}})
        EXPECT_EQ(Applied(Records({-9999, -9999, 0, file, 0, 1, 0, 100, 20, 1, 1, 0, 100, 20, 1}), {}, nullptr, 21).LaunchedCount,
                  loaded) << file;
}

// The 13 closing records as in the file, then as loaded over
// DistinctResults: a value the window cannot hold keeps its value.  The
// lists always load, and the arrived count is always the one energy.
TEST(ResultsReader, ValuesTheWindowCannotHoldKeepTheirValues) {
    const struct { std::vector<double> file, loaded; std::size_t bins; } cases[] = {
        // zero width, reversed ranges, NaN counters and clock
        {{nan, nan, nan, 0, 50, 40, 0.5, 1, -1, 10, 10, 1e10, 1}, {1, 7, 36526.1, 2.5, 3, 77, 45, 1, 0.2, 1, 60, 30, 1}, 2},
        // infinite width, ends and counters beyond 32 bits
        {{1e10, 1e10, inf, inf, 0, 3e9, -5, 1, nan, 1e12, 5, nan, 1}, {1, 7, 36526.1, 2.5, 0, 77, 45, 1, 0.2, 1, 60, 30, 1}, 2},
        // negative channel, counters and clock; a width too small
        {{-3, -1, -0.5, -inf, -5, 50, inf, 1, 1e-300, -3e9, 20, -3e9, 1}, {1, 7, 36526.1, 2.5, 3, 50, 45, 1, 0.2, 1, 60, 30, 1}, 2},
        // the narrowest width and range, ten years on
        {{5, 9.5, 40179.0, 0.01, 0, 20, 20, 1, 0.0099, 40, 59, 20, 1}, {1, 9, 40179.0, 0.01, 0, 20, 20, 1, 0.2, 1, 60, 20, 1}, 400},
        // a clock past ten years
        {{1, 0, 40179.01, 2, 21, 40, 20, 0, 0.5, 0, 19, 20, 0}, {1, 0, 36526.1, 2, 3, 77, 20, 0, 0.5, 1, 60, 20, 0}, 3}};
    for (const auto& c : cases) {
        double clock = 36526.1;
        const Results r = Applied(Records({4, -9999, 0.5, -9999}) + Records(c.file), DistinctResults(), &clock);
        EXPECT_EQ(FormatResults(r, clock), Records({4, -9999, 0.5, -9999}) + Records(c.loaded)) << c.file[3];
        EXPECT_EQ(r.EnergySpectrum.Bins.size(), c.bins) << c.file[3];
    }
}

TEST(ResultsFile, MissingAndUnreadableFilesChangeNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "d.edat");
    for (const char* name : {"none.edat", "d.edat"}) {
        Results r = DistinctResults();
        double clock = 7;
        const ResultsLoadResult res = LoadResultsFile(r, clock, dir / name);
        EXPECT_TRUE(res.Status != FileStatus::Ok && res.Error.find(name) != std::string::npos) << res.Error;
        ExpectSameResults(r, DistinctResults());
        EXPECT_EQ(clock, 7);
    }
}

}  // namespace
}  // namespace velox
