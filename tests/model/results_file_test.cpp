#include <gtest/gtest.h>

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

std::string Records(std::initializer_list<double> values) {
    std::string out;
    for (double v : values) {
        const auto b = EncodeRecord(v);
        out.append(reinterpret_cast<const char*>(b.data()), 8);
    }
    return out;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Results with settings and values that differ from every default, so that
// a load that leaves something alone can be told from one that sets it.
Results DistinctResults() {
    Results r;
    r.RecordArrival(20.0, 0.35);
    r.RecordArrival(31.5, 1.1);
    r.LaunchedCount = 7;
    r.EnergySpectrum.ChannelWidth = 2.5;
    r.EnergySpectrum.XMin = 3;
    r.EnergySpectrum.XMax = 77;
    r.EnergySpectrum.YMax = 45;
    r.EnergySpectrum.Auto = false;
    r.TimeSpectrum.ChannelWidth = 0.2;
    r.TimeSpectrum.XMin = 1;
    r.TimeSpectrum.XMax = 60;
    r.TimeSpectrum.YMax = 30;
    r.TimeSpectrum.Auto = true;
    Rebin(r.EnergySpectrum, r.EnergyValues);
    Rebin(r.TimeSpectrum, r.TimeValues);
    return r;
}

void ExpectSameResults(const Results& a, const Results& b) {
    ASSERT_EQ(a.EnergyValues.size(), b.EnergyValues.size());
    ASSERT_EQ(a.TimeValues.size(), b.TimeValues.size());
    for (std::size_t i = 0; i < a.EnergyValues.size(); ++i) EXPECT_TRUE(SameBits(a.EnergyValues[i], b.EnergyValues[i])) << i;
    for (std::size_t i = 0; i < a.TimeValues.size(); ++i) EXPECT_TRUE(SameBits(a.TimeValues[i], b.TimeValues[i])) << i;
    EXPECT_TRUE(SameBits(a.EnergySums.Sum, b.EnergySums.Sum));
    EXPECT_TRUE(SameBits(a.EnergySums.SumSq, b.EnergySums.SumSq));
    EXPECT_TRUE(SameBits(a.TimeSums.Sum, b.TimeSums.Sum));
    EXPECT_TRUE(SameBits(a.TimeSums.SumSq, b.TimeSums.SumSq));
    EXPECT_EQ(a.ArrivedCount, b.ArrivedCount);
    EXPECT_EQ(a.LaunchedCount, b.LaunchedCount);
    for (auto [x, y] : {std::pair{&a.EnergySpectrum, &b.EnergySpectrum}, std::pair{&a.TimeSpectrum, &b.TimeSpectrum}}) {
        EXPECT_EQ(x->ChannelWidth, y->ChannelWidth);
        EXPECT_EQ(x->XMin, y->XMin);
        EXPECT_EQ(x->XMax, y->XMax);
        EXPECT_EQ(x->YMax, y->YMax);
        EXPECT_EQ(x->Auto, y->Auto);
        EXPECT_EQ(x->Bins, y->Bins);
    }
}

TEST(ResultsRecords, LittleEndianDoubles) {
    const auto sep = EncodeRecord(ResultsSeparator);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sep.data()), 8), std::string("\x00\x00\x00\x00\x80\x87\xC3\xC0", 8));
    const auto one = EncodeRecord(1.0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(one.data()), 8), std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8));
    const unsigned char bytes[8] = {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F};
    EXPECT_EQ(DecodeRecord(bytes), 0.1);
}

TEST(ResultsWriter, NoArrivalsGiveFifteenRecords) {
    Results r;
    r.TimeSpectrum.ChannelWidth = 0.05;
    r.EnergySpectrum.XMax = 220;
    r.LaunchedCount = 3;
    const std::string bytes = FormatResults(r, RunClockRestart);
    EXPECT_EQ(bytes, Records({-9999.0, -9999.0, 0, 3, 36526.0, 1, 0, 220, 20, 1, 0.05, 0, 100, 20, 1}));
    EXPECT_EQ(bytes.size(), 120u);
}

TEST(ResultsWriter, LayoutWithValues) {
    Results r = DistinctResults();
    const std::string bytes = FormatResults(r, 36526.5);
    const double e0 = r.EnergyValues[0], e1 = r.EnergyValues[1];
    EXPECT_EQ(bytes, Records({e0, e1, -9999.0, 0.35, 1.1, -9999.0, 2, 7, 36526.5, 2.5, 3, 77, 45, 0, 0.2, 1, 60, 30, 1}));
}

TEST(ResultsRoundTrip, ListsSumsCountersClockAndSettings) {
    // Results of a real run, whose sums were added up arrival by arrival.
    VeloxData data;
    data.ApplyStartupDefaults();
    RunController run(data);
    run.Restart();
    for (int i = 0; i < 3000; ++i) run.Tick();
    ASSERT_GT(data.Store.ArrivedCount, 50);
    data.Store.EnergySpectrum.Auto = false;
    data.Store.EnergySpectrum.YMax = 37;
    data.Store.TimeSpectrum.XMin = 4;

    TempDir dir;
    ASSERT_TRUE(WriteResultsFile(dir / "r.edat", data.Store, run.RunClock).Ok);
    EXPECT_EQ(testing::ReadBytes(dir / "r.edat").size(),
              8 * (data.Store.EnergyValues.size() + data.Store.TimeValues.size() + 15));

    Results loaded;
    double clock = 0;
    const ResultsLoadResult r = LoadResultsFile(loaded, clock, dir / "r.edat");
    ASSERT_EQ(r.Status, FileStatus::Ok) << r.Error;
    EXPECT_TRUE(SameBits(clock, run.RunClock));
    ExpectSameResults(loaded, data.Store);
}

TEST(ResultsReader, TwoSeparatorsOnlyEmptyTheListsAndKeepTheRest) {
    Results r = DistinctResults();
    double clock = 36526.25;
    const ResultsReadResult read = ParseResults(Records({-9999.0, -9999.0}));
    ASSERT_EQ(read.Status, FileStatus::Ok);
    EXPECT_FALSE(read.Data.Closing);
    ApplyResults(r, clock, read.Data);
    EXPECT_TRUE(r.EnergyValues.empty());
    EXPECT_TRUE(r.TimeValues.empty());
    EXPECT_EQ(r.EnergySums.Sum, 0.0);
    EXPECT_EQ(r.TimeSums.SumSq, 0.0);
    EXPECT_TRUE(r.EnergySpectrum.Bins.empty());
    EXPECT_EQ(r.ArrivedCount, 2);
    EXPECT_EQ(r.LaunchedCount, 7);
    EXPECT_EQ(clock, 36526.25);
    EXPECT_EQ(r.EnergySpectrum.XMax, 77);
    EXPECT_EQ(r.TimeSpectrum.ChannelWidth, 0.2);
}

TEST(ResultsReader, SectionsEndWhereTheFileEnds) {
    // No separator at all: everything is an energy.
    ResultsReadResult read = ParseResults(Records({1, 2, 3}));
    ASSERT_EQ(read.Status, FileStatus::Ok);
    EXPECT_EQ(read.Data.EnergyValues, (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(read.Data.TimeValues.empty());
    EXPECT_FALSE(read.Data.Closing);
    EXPECT_EQ(read.Data.EnergySums.Sum, 6.0);
    EXPECT_EQ(read.Data.EnergySums.SumSq, 14.0);

    // An empty file.
    read = ParseResults("");
    EXPECT_EQ(read.Status, FileStatus::Ok);
    EXPECT_TRUE(read.Data.EnergyValues.empty());
    EXPECT_FALSE(read.Data.Closing);
}

TEST(ResultsReader, IncompleteLastRecordCountsAsTheEnd) {
    const std::string whole = FormatResults(DistinctResults(), 36526.5);
    for (std::size_t extra = 1; extra < 8; ++extra) {
        const ResultsReadResult read = ParseResults(whole + std::string(extra, '\x7F'));
        ASSERT_EQ(read.Status, FileStatus::Ok) << extra;
        Results a, b;
        double ca = 0, cb = 0;
        ApplyResults(a, ca, read.Data);
        ApplyResults(b, cb, ParseResults(whole).Data);
        ExpectSameResults(a, b);
    }
    // The closing section cut short by less than one record fails.
    EXPECT_EQ(ParseResults(whole.substr(0, whole.size() - 1)).Status, FileStatus::Failed);
}

TEST(ResultsReader, TruncatedAtEveryByteEitherLoadsWholeOrChangesNothing) {
    TempDir dir;
    const Results source = DistinctResults();
    const std::string whole = FormatResults(source, 36526.5);
    const std::size_t closingStart = whole.size() - 8 * ClosingRecordCount;
    for (std::size_t len = 0; len <= whole.size(); ++len) {
        SCOPED_TRACE(len);
        testing::WriteBytes(dir / "t.edat", whole.substr(0, len));
        Results r;
        r.RecordArrival(5, 5);
        r.LaunchedCount = 99;
        r.EnergySpectrum.XMax = 150;
        const Results before = r;
        double clock = 1.5;
        const ResultsLoadResult res = LoadResultsFile(r, clock, dir / "t.edat");
        const std::size_t records = len / 8;
        if (records > closingStart / 8 && len < whole.size()) {
            // Inside the closing records: an error, and nothing changed.
            EXPECT_EQ(res.Status, FileStatus::Failed);
            EXPECT_FALSE(res.Error.empty());
            ExpectSameResults(r, before);
            EXPECT_EQ(clock, 1.5);
        } else {
            ASSERT_EQ(res.Status, FileStatus::Ok);
            // The records are e0 e1 S t0 t1 S and the closing ones: the
            // lists hold every whole record before the cut.
            const std::vector<double>& e = source.EnergyValues;
            const std::vector<double>& t = source.TimeValues;
            const std::size_t nE = std::min<std::size_t>(records, 2);
            const std::size_t nT = records > 3 ? std::min<std::size_t>(records - 3, 2) : 0;
            EXPECT_EQ(r.EnergyValues, std::vector<double>(e.begin(), e.begin() + static_cast<long>(nE)));
            EXPECT_EQ(r.TimeValues, std::vector<double>(t.begin(), t.begin() + static_cast<long>(nT)));
            if (len == whole.size()) {
                ExpectSameResults(r, source);
                EXPECT_EQ(clock, 36526.5);
            } else {
                EXPECT_EQ(r.LaunchedCount, 99);
                EXPECT_EQ(r.EnergySpectrum.XMax, 150);
                EXPECT_EQ(clock, 1.5);
                EXPECT_EQ(r.EnergySpectrum.Bins.size() > 0, !r.EnergyValues.empty());
            }
        }
    }
}

TEST(ResultsReader, AutoOnlyForExactlyOne) {
    for (auto [record, expected] : {std::pair{1.0, true}, {0.5, false}, {2.0, false}, {0.0, false}, {-1.0, false},
                                    {std::nextafter(1.0, 2.0), false}, {std::nan(""), false}}) {
        Results r;
        r.EnergySpectrum.Auto = !expected;
        double clock = 0;
        ApplyResults(r, clock, ParseResults(Records({-9999, -9999, 0, 0, 0, 1, 0, 100, 20, record, 1, 0, 100, 20, 1})).Data);
        EXPECT_EQ(r.EnergySpectrum.Auto, expected) << record;
    }
}

TEST(ResultsReader, WholeNumbersAreTruncatedTowardZero) {
    Results r;
    double clock = 0;
    ApplyResults(r, clock,
                 ParseResults(Records({-9999, -9999, 5.9, 9.99, 36526.75, 1, 12.9, 99.9, 20.7, 1, 0.5, 0, 40.2, 1.5, 0})).Data);
    EXPECT_EQ(r.ArrivedCount, 5);
    EXPECT_EQ(r.LaunchedCount, 9);
    EXPECT_EQ(clock, 36526.75);
    EXPECT_EQ(r.EnergySpectrum.XMin, 12);
    EXPECT_EQ(r.EnergySpectrum.XMax, 99);
    EXPECT_EQ(r.EnergySpectrum.YMax, 20);
    EXPECT_EQ(r.TimeSpectrum.ChannelWidth, 0.5);
    EXPECT_EQ(r.TimeSpectrum.XMax, 40);
    EXPECT_EQ(r.TimeSpectrum.YMax, 1);
    EXPECT_FALSE(r.TimeSpectrum.Auto);
}

TEST(ResultsReader, SettingsTheWindowCannotHoldKeepTheirValues) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::array<double, 10> spectra;  // energy then time: width, xmin, xmax, ymax, auto
        std::array<std::int32_t, 4> ranges;  // energy xmin, xmax, time xmin, xmax after loading
    };
    const Case cases[] = {
        {"zero width, reversed ranges", {0, 50, 40, 0.5, 1, -1, 10, 10, 1e10, 1}, {3, 77, 1, 60}},
        {"infinite width, ends beyond 32 bits", {inf, 0, 3e9, -5, 1, nan, 1e12, 5, nan, 1}, {0, 77, 1, 5}},
        {"negative first channel", {-inf, -5, 50, inf, 1, 1e-300, -3e9, 20, -3e9, 1}, {3, 50, 1, 20}},
        {"range reversed by a kept end", {-inf, 80, nan, inf, 1, 0, 70, 1e10, 0, 1}, {3, 77, 1, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Results r = DistinctResults();
        double clock = 36526.1;
        const auto& s = c.spectra;
        const std::string bytes = Records({4, -9999, 0.5, -9999, nan, 1e10, inf, s[0], s[1], s[2], s[3], s[4], s[5],
                                           s[6], s[7], s[8], s[9]});
        const ResultsReadResult read = ParseResults(bytes);
        ASSERT_EQ(read.Status, FileStatus::Ok);
        ApplyResults(r, clock, read.Data);
        // The lists always load.
        EXPECT_EQ(r.EnergyValues, (std::vector<double>{4}));
        EXPECT_EQ(r.TimeValues, (std::vector<double>{0.5}));
        // Counters and clock out of range keep theirs.
        EXPECT_EQ(r.ArrivedCount, 2);
        EXPECT_EQ(r.LaunchedCount, 7);
        EXPECT_EQ(clock, 36526.1);
        EXPECT_EQ(r.EnergySpectrum.ChannelWidth, 2.5);
        EXPECT_EQ(r.EnergySpectrum.YMax, 45);
        EXPECT_TRUE(r.EnergySpectrum.Auto);
        EXPECT_EQ(r.TimeSpectrum.YMax, 30);
        EXPECT_EQ(r.EnergySpectrum.XMin, c.ranges[0]);
        EXPECT_EQ(r.EnergySpectrum.XMax, c.ranges[1]);
        EXPECT_EQ(r.TimeSpectrum.XMin, c.ranges[2]);
        EXPECT_EQ(r.TimeSpectrum.XMax, c.ranges[3]);
        // The histograms are rebuilt with the widths in force.
        EXPECT_EQ(r.EnergySpectrum.Bins.size(), 2u);
    }
    // A tiny positive width is a width: its values fall beyond the channels.
    Results r = DistinctResults();
    double clock = 0;
    ApplyResults(r, clock, ParseResults(Records({4, -9999, 0.5, -9999, 1, 1, 0, 1e-300, 0, 100, 20, 1, 1, 0, 100, 20, 1})).Data);
    EXPECT_EQ(r.EnergySpectrum.ChannelWidth, 1e-300);
    EXPECT_TRUE(r.EnergySpectrum.Bins.empty());
}

TEST(ResultsReader, DamagedValuesLoadWithoutHarm) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Results r;
    double clock = 0;
    ApplyResults(r, clock, ParseResults(Records({-1, nan, 1e308, 2.5, -9999, -0.0, 3e9})).Data);
    EXPECT_EQ(r.EnergyValues.size(), 4u);
    EXPECT_EQ(r.TimeValues.size(), 2u);
    ASSERT_EQ(r.EnergySpectrum.Bins.size(), 3u);  // only 2.5 has a channel
    EXPECT_EQ(r.EnergySpectrum.Bins[2], 1);
    EXPECT_TRUE(std::isnan(r.EnergySums.Sum));
}

TEST(ResultsReader, MissingAndUnreadableFilesChangeNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "d.edat");
    for (const char* name : {"none.edat", "d.edat"}) {
        Results r = DistinctResults();
        const Results before = r;
        double clock = 7;
        const ResultsLoadResult res = LoadResultsFile(r, clock, dir / name);
        EXPECT_NE(res.Status, FileStatus::Ok) << name;
        EXPECT_NE(res.Error.find(name), std::string::npos) << res.Error;
        ExpectSameResults(r, before);
        EXPECT_EQ(clock, 7);
    }
}

}  // namespace
}  // namespace velox
