#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "../common/TestFiles.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "files/model/ResultsFile.h"

namespace velox {
namespace {

using testing::TempDir;
const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

std::string Records(const std::vector<double>& values) {
    std::string out;
    for (double v : values) out.append(reinterpret_cast<const char*>(EncodeRecord(v).data()), 8);
    return out;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

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

// Lists bit for bit, counters and settings through the file's own layout;
// the sums and histograms, which the file does not hold, apart.
void ExpectSameResults(const Results& a, const Results& b) {
    EXPECT_EQ(FormatResults(a, 0), FormatResults(b, 0));
    for (auto [x, y] : {std::pair{a.EnergySums, b.EnergySums}, {a.TimeSums, b.TimeSums}})
        EXPECT_TRUE(SameBits(x.Sum, y.Sum) && SameBits(x.SumSq, y.SumSq));
    EXPECT_EQ(a.EnergySpectrum.Bins, b.EnergySpectrum.Bins);
    EXPECT_EQ(a.TimeSpectrum.Bins, b.TimeSpectrum.Bins);
}

Results Applied(const std::string& bytes, Results r = {}, double* clock = nullptr, std::int32_t flying = 0) {
    double c = 0;
    const ResultsReadResult read = ParseResults(bytes);
    EXPECT_EQ(read.Status, FileStatus::Ok);
    ApplyResults(r, clock ? *clock : c, read.Data, flying);
    return r;
}

TEST(ResultsWriter, LittleEndianRecordsInTheFileOrder) {
    Results r;
    r.TimeSpectrum.ChannelWidth = 0.05;
    r.EnergySpectrum.XMax = 220;
    r.LaunchedCount = 3;
    const std::string empty = FormatResults(r, RunClockRestart);
    EXPECT_EQ(empty, Records({-9999.0, -9999.0, 0, 3, 36526.0, 1, 0, 220, 20, 1, 0.05, 0, 100, 20, 1}));
    ASSERT_EQ(empty.size(), 120u);
    EXPECT_EQ(empty.substr(0, 8), std::string("\x00\x00\x00\x00\x80\x87\xC3\xC0", 8));   // -9999.0
    EXPECT_EQ(empty.substr(40, 8), std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8));  // 1.0

    r = DistinctResults();
    const double e0 = r.EnergyValues[0], e1 = r.EnergyValues[1];
    EXPECT_EQ(FormatResults(r, 36526.5),
              Records({e0, e1, -9999.0, 0.35, 1.1, -9999.0, 2, 7, 36526.5, 2.5, 3, 77, 45, 0, 0.2, 1, 60, 30, 1}));
}

TEST(ResultsRoundTrip, RealRunComesBackBitForBit) {
    // A real run's sums were added up arrival by arrival, as the reader must.
    VeloxData data;
    data.ApplyStartupDefaults();
    RunController run(data);
    run.Restart();
    for (int i = 0; i < 3000; ++i) run.Tick();
    ASSERT_GT(data.Store.ArrivedCount, 50);
    double clock = 0;
    ExpectSameResults(Applied(FormatResults(data.Store, run.RunClock), {}, &clock), data.Store);
    EXPECT_TRUE(SameBits(clock, run.RunClock));
}

TEST(ResultsReader, SectionsEndWhereTheFileEnds) {
    using V = std::vector<double>;
    const struct { std::string bytes; V energies, times; } cases[] = {
        {"", {}, {}},
        {Records({1, 2, 3}), {1, 2, 3}, {}},
        {Records({-9999.0, -9999.0}), {}, {}},
        {Records({-1, 1e308, 2.5, -9999, -0.0, 3e9}), {-1, 1e308, 2.5}, {-0.0, 3e9}},
    };
    for (const auto& c : cases) {
        const ResultsReadResult read = ParseResults(c.bytes);
        ASSERT_EQ(read.Status, FileStatus::Ok) << c.bytes.size();
        EXPECT_EQ(read.Data.EnergyValues, c.energies);
        EXPECT_EQ(read.Data.TimeValues, c.times);
        EXPECT_FALSE(read.Data.Closing);
    }

    // Without the closing records only the lists and the arrived count change.
    double clock = 36526.25;
    const Results r = Applied(Records({-9999.0, -9999.0}), DistinctResults(), &clock);
    EXPECT_EQ(FormatResults(r, clock), Records({-9999, -9999, 0, 7, 36526.25, 2.5, 3, 77, 45, 0, 0.2, 1, 60, 30, 1}));
    EXPECT_TRUE(r.EnergySums.Sum == 0 && r.TimeSums.SumSq == 0 && r.EnergySpectrum.Bins.empty());
}

TEST(ResultsReader, CutAtEveryByteOrTrailingPartLoadsWholeOrChangesNothing) {
    TempDir dir;
    const Results source = DistinctResults();
    // A part of a record after the last one counts as the end of the file.
    const std::string whole = FormatResults(source, 36526.5) + std::string(7, '\x7F');
    const std::size_t end = whole.size() - 7;
    const long closing = static_cast<long>(end / 8 - ClosingRecordCount);
    const std::vector<double>& e = source.EnergyValues;
    const std::vector<double>& t = source.TimeValues;
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
        } else if (records > closing) {  // inside the closing records
            EXPECT_TRUE(res.Status == FileStatus::Failed && !res.Error.empty());
            ExpectSameResults(r, before);
            EXPECT_EQ(clock, 1.5);
        } else {  // e0 e1 S t0 t1 S: the whole records before the cut, nothing else
            ASSERT_EQ(res.Status, FileStatus::Ok);
            EXPECT_EQ(r.EnergyValues, std::vector<double>(e.begin(), e.begin() + std::min(records, 2L)));
            EXPECT_EQ(r.TimeValues, std::vector<double>(t.begin(), t.begin() + std::clamp(records - 3, 0L, 2L)));
            EXPECT_EQ(std::tuple(r.LaunchedCount, r.EnergySpectrum.XMax, clock), std::tuple(99, 100, 1.5));
            EXPECT_EQ(r.EnergySpectrum.Bins.empty(), r.EnergyValues.empty());
        }
    }
}

TEST(ResultsReader, WholeNumbersTruncatedAndAutoOnlyForExactlyOne) {
    double clock = 0;
    const Results r = Applied(Records({-9999, -9999, 5.9, 9.99, 36526.75, 1, 12.9, 99.9, 20.7, 1, 0.5, 0, 40.2, 1.5, 0}),
                              {}, &clock);
    // The arrived count is that of the energies, none here.
    EXPECT_EQ(FormatResults(r, clock), Records({-9999, -9999, 0, 9, 36526.75, 1, 12, 99, 20, 1, 0.5, 0, 40, 1, 0}));

    for (auto [record, on] : {std::pair{1.0, true}, {0.5, false}, {2.0, false}, {0.0, false}, {-1.0, false},
                              {std::nextafter(1.0, 2.0), false}, {nan, false}}) {
        Results before;
        before.EnergySpectrum.Auto = !on;
        const Results r = Applied(Records({-9999, -9999, 0, 0, 0, 1, 0, 100, 20, record, 1, 0, 100, 20, 1}), before);
        EXPECT_EQ(r.EnergySpectrum.Auto, on) << record;
    }
}

TEST(ResultsReader, ParticlesInFlightAddToTheLaunchCountUpToItsLargestValue) {
    for (auto [file, loaded] : {std::pair{7.0, 28}, {2147483640.0, 2147483647}}) {
        const Results r =
            Applied(Records({-9999, -9999, 0, file, 0, 1, 0, 100, 20, 1, 1, 0, 100, 20, 1}), {}, nullptr, 21);
        EXPECT_EQ(r.LaunchedCount, loaded) << file;
    }
}

TEST(ResultsReader, ValuesTheWindowCannotHoldKeepTheirValues) {
    // The 13 closing records as in the file, then as loaded over
    // DistinctResults: counters, clock, then width, XMin, XMax, YMax, Auto of
    // each spectrum.  The lists always load, and the arrived count is always
    // the one energy.
    const struct { const char* what; std::vector<double> file, loaded; std::size_t bins; } cases[] = {
        {"zero width, reversed ranges, NaN counters and clock", {nan, nan, nan, 0, 50, 40, 0.5, 1, -1, 10, 10, 1e10, 1},
         {1, 7, 36526.1, 2.5, 3, 77, 45, 1, 0.2, 1, 60, 30, 1}, 2},
        {"infinite width, ends and counters beyond 32 bits", {1e10, 1e10, inf, inf, 0, 3e9, -5, 1, nan, 1e12, 5, nan, 1},
         {1, 7, 36526.1, 2.5, 0, 77, 45, 1, 0.2, 1, 60, 30, 1}, 2},
        {"negative channel, counters and clock; width too small", {-3, -1, -0.5, -inf, -5, 50, inf, 1, 1e-300, -3e9, 20, -3e9, 1},
         {1, 7, 36526.1, 2.5, 3, 50, 45, 1, 0.2, 1, 60, 30, 1}, 2},
        {"narrowest width and range, ten years on", {5, 9.5, 40179.0, 0.01, 0, 20, 20, 1, 0.0099, 40, 59, 20, 1},
         {1, 9, 40179.0, 0.01, 0, 20, 20, 1, 0.2, 1, 60, 20, 1}, 400},
        {"clock past ten years", {1, 0, 40179.01, 2, 21, 40, 20, 0, 0.5, 0, 19, 20, 0},
         {1, 0, 36526.1, 2, 3, 77, 20, 0, 0.5, 1, 60, 20, 0}, 3},
    };
    for (const auto& c : cases) {
        double clock = 36526.1;
        const Results r = Applied(Records({4, -9999, 0.5, -9999}) + Records(c.file), DistinctResults(), &clock);
        EXPECT_EQ(FormatResults(r, clock), Records({4, -9999, 0.5, -9999}) + Records(c.loaded)) << c.what;
        EXPECT_EQ(r.EnergySpectrum.Bins.size(), c.bins) << c.what;
    }
}

TEST(ResultsReader, MissingAndUnreadableFilesChangeNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "d.edat");
    for (const char* name : {"none.edat", "d.edat"}) {
        Results r = DistinctResults();
        double clock = 7;
        const ResultsLoadResult res = LoadResultsFile(r, clock, dir / name);
        EXPECT_NE(res.Status, FileStatus::Ok) << name;
        EXPECT_NE(res.Error.find(name), std::string::npos) << res.Error;
        ExpectSameResults(r, DistinctResults());
        EXPECT_EQ(clock, 7);
    }
}

}  // namespace
}  // namespace velox
