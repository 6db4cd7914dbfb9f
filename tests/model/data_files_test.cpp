// The set-up file and its lenient reader, the results file and its reader, and the fuzz targets' seed files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "../../fuzz/FileChecks.h"
#include "../common/TestFiles.h"
#include "core/model/VeloxData.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

using testing::TempDir;
const double nan = NAN, inf = INFINITY;

struct Started {
    VeloxData Data;
    Started() { Data.ApplyStartupDefaults(); }
};

// The default set-up; no cavities; phases written whole; cavity values without the exponent the reader splits.
TEST(SetupWriter, ExampleFileNoCavitiesAndPlainDecimals) {
    Started s;
    EXPECT_EQ(FormatSetup(s.Data),
              "Cavity num =2\r\nCavity =\t16\t50\t16\t60\r\nCavity =\t16\t95\t20\t80\r\nTarget =400\r\n"
              "Freq =50\r\nAmpli =50\r\nMultiparticles\r\nStartfazis =0\r\nStopfazis =60\r\n");
    s.Data.Cavities.SetCavityCount(0);
    s.Data.MultiParticle = false;
    std::tie(s.Data.StartPhase, s.Data.StopPhase) = std::tuple(-45.7, 359.9);
    EXPECT_EQ(FormatSetup(s.Data), "Cavity num =0\r\nTarget =400\r\nFreq =50\r\nAmpli =50\r\nSingle particle\r\n"
                                   "Startfazis =-45\r\nStopfazis =359\r\n");
    s.Data.Cavities.Append({0.000001, 1.5e20, 12.5, 0.25});
    EXPECT_NE(FormatSetup(s.Data).find("Cavity =\t0.000001\t150000000000000000000\t12.5\t0.25\r\n"), std::string::npos);
}

// Runs of digits and points; signs and exponents only separate.
TEST(SetupReader, ReadLineNumbers) {
    using V = std::vector<double>;
    const std::tuple<std::string, int, V> rows[] = {
        {"Cavity =\t16\t50\t16\t60", 4, {16, 50, 16, 60}}, {"a 5. b .5 c . d 1.2.3", 4, {5, 0.5, 0, -1}},
        {"x -5 +7", 2, {5, 7}}, {"1E-6", 4, {1, 6, -1, -1}}, {"Target =", 2, {-1, -1}}, {"1 2 3 4 5 6", 2, {1, 2}},
        {"007", 1, {7}}, {std::string(400, '9'), 1, {-1}}, {"0." + std::string(400, '0') + "1", 1, {0}}};
    for (const auto& [line, count, numbers] : rows) EXPECT_EQ(ReadLineNumbers(line, count), numbers) << line;
}

// Lines beyond the table's 21 are ignored but warned about.
TEST(SetupReader, CavityCountAndItsWarning) {
    std::string many;
    for (int i = 0; i < 25; ++i) many += "Cavity =\t" + std::to_string(i + 1) + "\t5\t6\t7\r\n";
    const std::string two = "Cavity =\t1\t2\t3\t4\r\nCavity =\t5\t6\t7\t8\r\n";
    const struct { std::string text; std::int32_t expected; std::size_t read; bool warns; } cases[] = {
        {"Cavity num =3\r\n" + two, 3, 2, true}, {"Cavity =\t1\t2\t3\t4\r\n", 0, 1, true},
        {"Cavity num =2\r\nCavity =\t1\t2\t3\r\nCavity =\t1\t2\t3\t4\r\nCavity =\t1\t2.2.2\t3\t4\r\n", 2, 1, true},
        {"Cavity num =1 2 3 4\r\n", 1, 0, true}, {"Cavity num =25\r\n" + many, 25, 21, true},
        {"Cavity num =21\r\n" + many, 21, 21, true}, {"Cavity num =2\r\n" + two, 2, 2, false}};
    for (const auto& c : cases) {
        const SetupData d = ParseSetup(c.text);
        EXPECT_EQ(std::tuple(d.ExpectedCount, d.Cavities.size(), d.ShowCountWarning()),
                  std::tuple(c.expected, c.read, c.warns)) << c.text;
    }
    EXPECT_EQ(std::pair(ParseSetup(many).Cavities[20].AccGap, ParseSetup(many).IgnoredCavityLines), std::pair(21.0, 4));
}

// A "-" right before the start phase makes it negative, down to -360; every other key keeps the sign out of the
// number.  A stop phase below 1 is written as 0 and reads back as 0.
TEST(SetupReader, PhaseLimitsAndSigns) {
    using Row = std::pair<const char*, std::optional<double>>;
    for (auto [text, value] : {Row{"360", {}}, {"359.5", 359.5}, {"0", 0.0}, {"45.7", 45.7}, {"-360", -360.0},
                               {"-45.5", -45.5}, {"-360.5", {}}, {"-1.2.3", {}}, {"- 30", 30.0}, {"-", {}}})
        EXPECT_EQ(ParseSetup(std::string("Startfazis =") + text + "\n").StartPhase, value) << text;
    for (auto [text, value] : {Row{"360", 360.0}, {"0", 0.0}, {"360.5", {}}, {"", {}}, {"-30", 30.0}})
        EXPECT_EQ(ParseSetup(std::string("Stopfazis =") + text + "\n").StopPhase, value) << text;
    EXPECT_EQ(ParseSetup("Target =-20\n").TargetLeft, 20);
}

// A spinner line without a number re-applies the position; later lines win; positions are held within 0 … 100.
TEST(SetupReader, SpinnerLinesReapplyEvenWithoutANumber) {
    Started s;
    s.Data.FrequencyPosition = 70;  // the spinner moved, the value not yet applied
    s.Data.Frequency = s.Data.Amplitude = 9.0;
    ApplySetup(s.Data, ParseSetup("Freq =\r\nAmpli =abc\r\n"));
    EXPECT_EQ(std::tuple(s.Data.FrequencyPosition, s.Data.Frequency, s.Data.Amplitude), std::tuple(70, 1.2, 50.0));
    s.Data.Frequency = 9.0;
    ApplySetup(s.Data, ParseSetup("Target =400\r\n"));
    EXPECT_EQ(s.Data.Frequency, 9.0);
    ApplySetup(s.Data, ParseSetup("Freq =10\r\nFreq =20\r\nFreq =\r\nAmpli =150\r\n"));
    EXPECT_EQ(std::tuple(s.Data.FrequencyPosition, s.Data.VoltagePosition, s.Data.Amplitude),
              std::tuple(20, 100, 75.0));
}

// Lone CR, lone LF, CR LF and a last line without an end; keys anywhere in a line, every key a line holds, numbers
// from the line's start; keys are case-sensitive.  UTF-16 with a byte-order mark in either byte order, as editors
// save "Unicode", is decoded; "İ" (U+0130, whose low byte is the digit 0) stays out of the numbers.
TEST(SetupReader, LineEndsKeysAndEncodings) {
    const SetupData d = ParseSetup("Cavity num =2\rCavity =\t1\t2\t3\t4\nTarget =300\r\n\r\nCavity =\t5\t6\t7\t8\n\r"
                                   "Single particle\rTarget =310\nMultiparticles\r\nStopfazis =90");
    EXPECT_EQ(std::tuple(d.Cavities.size(), d.Cavities.at(1).AccGap, d.TargetLeft, d.MultiParticle, d.StopPhase,
                         d.ShowCountWarning()),
              std::tuple(2ul, 5.0, 310, true, 90.0, false));
    const SetupData m = ParseSetup("xx Target =12 Freq =99\r\ntarget =5\r\nMultiparticles Single particle\r\n");
    EXPECT_EQ(std::tuple(m.TargetLeft, m.FrequencyPosition, m.MultiParticle), std::tuple(12, 12, false));
    const std::u16string text = u"Cavity num =1\r\nCavity =\t16\t50\t16\t60\r\nTarget =350\u0130\r\nStopfazis =90";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t u : text) {
        le += {char(u & 0xFF), char(u >> 8)};
        be += {char(u >> 8), char(u & 0xFF)};
    }
    for (const std::string& bytes : {le, be, std::string("\xEF\xBB\xBF" "Cavity num =1\r\nCavity =\t16\t50\t16\t60\r\n"
                                                          "Target =350\xC4\xB0\r\nStopfazis =90")}) {
        const SetupData e = ParseSetup(bytes);
        EXPECT_EQ(std::tuple(e.Cavities.size(), e.TargetLeft, e.StopPhase, e.ShowCountWarning()),
                  std::tuple(1ul, 350, 90.0, false));
    }
}

// Missing: nothing changes, two cavities expected; unreadable: nothing changes; empty: no cavities, nothing else.
TEST(SetupFile, EmptyMissingOrUnreadableFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "x.gydat").c_str(), 0644), 0);
    testing::WriteBytes(dir / "e.gydat", "");
    Started s;
    s.Data.SetTargetLeft(333);
    s.Data.MultiParticle = false;
    const std::string before = FormatSetup(s.Data);
    SetupLoadResult r = LoadAcceleratorData(s.Data, dir / "teszt02.gydat");
    EXPECT_EQ(std::pair(r.Status, r.ShowCountWarning), std::pair(FileStatus::Missing, false));
    r = LoadAcceleratorData(s.Data, dir / "x.gydat");  // a FIFO: refused without waiting
    EXPECT_EQ(std::tuple(r.Status, r.Error.ends_with("(FIFO): " + (dir / "x.gydat")), FormatSetup(s.Data)),
              std::tuple(FileStatus::Failed, true, before)) << r.Error;
    s.Data.Cavities.Remove(1);
    r = LoadAcceleratorData(s.Data, dir / "teszt02.gydat");
    EXPECT_EQ(std::pair(r.ShowCountWarning, s.Data.CavityList.size()), std::pair(true, 1ul));
    r = LoadAcceleratorData(s.Data, dir / "e.gydat");
    EXPECT_EQ(std::tuple(r.Status, r.ShowCountWarning, FormatSetup(s.Data)),
              std::tuple(FileStatus::Ok, false, "Cavity num =0\r\n" + before.substr(before.find("Target"))));
}

std::string Records(const std::vector<double>& values) {
    std::string out;
    for (double v : values) out.append(reinterpret_cast<const char*>(EncodeRecord(v).data()), 8);
    return out;
}

// Settings and values unlike every default, so that a load that leaves something alone can be told apart.
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

// The lists bit for bit, counters and settings through the file's own layout; sums and histograms apart.
void ExpectSameResults(const Results& a, const Results& b) {
    EXPECT_EQ(FormatResults(a, 0), FormatResults(b, 0));
    for (auto [x, y] : {std::pair{a.EnergySums, b.EnergySums}, {a.TimeSums, b.TimeSums}})
        EXPECT_TRUE(std::memcmp(&x, &y, sizeof x) == 0);
    EXPECT_TRUE(a.EnergySpectrum.Bins == b.EnergySpectrum.Bins && a.TimeSpectrum.Bins == b.TimeSpectrum.Bins);
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
    std::tie(r.TimeSpectrum.ChannelWidth, r.EnergySpectrum.XMax, r.LaunchedCount) = std::tuple(0.05, 220, 3);
    const std::string empty = FormatResults(r, RunClockRestart);
    EXPECT_EQ(empty, Records({-9999.0, -9999.0, 0, 3, 36526.0, 1, 0, 220, 20, 1, 0.05, 0, 100, 20, 1}));
    EXPECT_EQ(empty.substr(0, 8) + empty.substr(40, 8), std::string("\0\0\0\0\x80\x87\xC3\xC0\0\0\0\0\0\0\xF0?", 16));
    r = DistinctResults();
    EXPECT_EQ(FormatResults(r, 36526.5), Records({r.EnergyValues[0], r.EnergyValues[1], -9999.0, 0.35, 1.1, -9999.0, 2,
                                                  7, 36526.5, 2.5, 3, 77, 45, 0, 0.2, 1, 60, 30, 1}));
}

// Cut at every byte, with a part of a record after the last one: the whole records before the cut load, up to the
// second separator; a file that ends inside the closing records, or none at all, changes nothing.
TEST(ResultsFile, CutAtEveryByteLoadsWholeOrChangesNothing) {
    TempDir dir;
    const Results source = DistinctResults();
    const std::string whole = FormatResults(source, 36526.5) + std::string(7, '\x7F');
    const long end = long(whole.size()) - 7, closing = end / 8 - long(ClosingRecordCount);
    const std::vector<double>&e = source.EnergyValues, &t = source.TimeValues;
    for (long len = 0; len <= long(whole.size()); ++len) {
        testing::WriteBytes(dir / "t.edat", whole.substr(0, std::size_t(len)));
        Results r;
        r.RecordArrival(5, 5);
        r.LaunchedCount = 99;
        const Results before = r;
        double clock = 1.5;
        const ResultsLoadResult res = LoadResultsFile(r, clock, dir / "t.edat");
        if (const long records = len / 8; len >= end || records > closing) {
            const bool ok = len >= end;
            EXPECT_EQ(std::tuple(res.Status, clock, res.Error.find("t.edat") != std::string::npos),
                      std::tuple(ok ? FileStatus::Ok : FileStatus::Failed, ok ? 36526.5 : 1.5, !ok));
            ExpectSameResults(r, len >= end ? source : before);
        } else {  // e0 e1 S t0 t1 S: the whole records before the cut
            const auto n = std::min(records, 2L), m = std::clamp(records - 3, 0L, 2L);
            EXPECT_EQ(std::tuple(res.Status, r.EnergyValues, r.TimeValues, r.ArrivedCount, r.LaunchedCount, clock),
                      std::tuple(FileStatus::Ok, std::vector(e.begin(), e.begin() + n),
                                 std::vector(t.begin(), t.begin() + m), int(n), 99, 1.5)) << len;
            EXPECT_EQ(std::pair(r.EnergySpectrum.Bins.empty(), r.EnergySpectrum.XMax), std::pair(n == 0, 100)) << len;
        }
    }
    Results r = DistinctResults();
    double clock = 7;
    const ResultsLoadResult res = LoadResultsFile(r, clock, dir / "none.edat");
    EXPECT_EQ(std::tuple(res.Status, res.Error.find("none.edat") != std::string::npos, clock),
              std::tuple(FileStatus::Missing, true, 7.0));
    ExpectSameResults(r, DistinctResults());
}

// Whole numbers truncated; "Auto" only for 1.0; particles in flight add to the launch count, up to its largest.
TEST(ResultsReader, WholeNumbersAutoAndParticlesInFlight) {
    double clock = 0;
    const Results r =
        Applied(Records({-9999, -9999, 5.9, 9.99, 36526.75, 1, 12.9, 99.9, 20.7, 1, 0.5, 0, 40.2, 1.5, 0}), {}, &clock);
    EXPECT_EQ(FormatResults(r, clock), Records({-9999, -9999, 0, 9, 36526.75, 1, 12, 99, 20, 1, 0.5, 0, 40, 1, 0}));
    for (auto [record, on] : {std::pair{1.0, true}, {0.5, false}, {2.0, false}, {0.0, false}, {-1.0, false},
                              {std::nextafter(1.0, 2.0), false}, {nan, false}}) {
        Results before;
        before.EnergySpectrum.Auto = !on;
        const Results r = Applied(Records({-9999, -9999, 0, 0, 0, 1, 0, 100, 20, record, 1, 0, 100, 20, 1}), before);
        EXPECT_EQ(r.EnergySpectrum.Auto, on) << record;
    }
    for (auto [file, loaded] : {std::pair{7.0, 28}, {2147483640.0, 2147483647}}) {
        const Results r =
            Applied(Records({-9999, -9999, 0, file, 0, 1, 0, 100, 20, 1, 1, 0, 100, 20, 1}), {}, nullptr, 21);
        EXPECT_EQ(r.LaunchedCount, loaded) << file;
    }
    // Damaged files: never more arrivals than launches.
    EXPECT_EQ(Applied(Records({4, 5, 6, -9999, -9999, 3, 1, 0, 1, 0, 100, 20, 1, 1, 0, 100, 20, 1})).LaunchedCount, 3);
    EXPECT_EQ(Applied(Records({4, 5})).LaunchedCount, 2);
}

// The 13 closing records as in the file, then as loaded over DistinctResults: a value the window cannot hold keeps
// its value.  The lists always load, and the arrived count is always the one energy.
TEST(ResultsReader, ValuesTheWindowCannotHoldKeepTheirValues) {
    // Zero width, reversed ranges, NaN counters and clock; infinite width, ends and counters beyond 32 bits; negative
    // channel, counters and clock, a width too small; the narrowest width and range, ten years on; a clock after that
    // (and fewer launches than arrivals).
    const struct { std::size_t bins; std::vector<double> file, loaded; } cases[] = {
        {2, {nan, nan, nan, 0, 50, 40, .5, 1, -1, 9, 9, 1e10, 1}, {1, 7, 36526.1, 2.5, 3, 77, 45, 1, .2, 1, 60, 30, 1}},
        {2, {1e10, 1e10, inf, inf, 0, 3e9, -5, 1, nan, 1e12, 5, nan, 1},
         {1, 7, 36526.1, 2.5, 0, 77, 45, 1, .2, 1, 60, 30, 1}},
        {2, {-3, -1, -.5, -inf, -5, 50, inf, 1, 1e-300, -3e9, 20, -3e9, 1},
         {1, 7, 36526.1, 2.5, 3, 50, 45, 1, .2, 1, 60, 30, 1}},
        {400, {5, 9.5, 40179.0, .01, 0, 20, 20, 1, .0099, 40, 59, 20, 1},
         {1, 9, 40179.0, .01, 0, 20, 20, 1, .2, 1, 60, 20, 1}},
        {3, {1, 0, 40179.01, 2, 21, 40, 20, 0, .5, 0, 19, 20, 0}, {1, 1, 36526.1, 2, 3, 77, 20, 0, .5, 1, 60, 20, 0}}};
    for (const auto& c : cases) {
        double clock = 36526.1;
        const Results r = Applied(Records({4, -9999, 0.5, -9999}) + Records(c.file), DistinctResults(), &clock);
        EXPECT_EQ(FormatResults(r, clock), Records({4, -9999, 0.5, -9999}) + Records(c.loaded)) << c.file[3];
        EXPECT_EQ(r.EnergySpectrum.Bins.size(), c.bins) << c.file[3];
    }
}

// The fuzz targets' seed files (crash finds included), checked as the fuzz targets check every input.
TEST(FileCorpus, SeedFilesPassTheFuzzChecks) {
    for (auto [kind, file, model] : {std::tuple{"setup", &fuzzing::SetupFileProblem, &fuzzing::SetupModelProblem},
                                     {"results", &fuzzing::ResultsFileProblem, &fuzzing::ResultsModelProblem}}) {
        int files = 0;
        for (const auto& e :
             std::filesystem::directory_iterator(std::string(VELOX_SOURCE_DIR "/tests/corpus/") + kind)) {
            EXPECT_EQ(file(testing::ReadBytes(e.path().string())) + model(testing::ReadBytes(e.path().string())), "") << e.path();
            ++files;
        }
        EXPECT_GE(files, 10) << kind;
    }
    // The damaged seeds include one that ends inside the closing records.
    EXPECT_EQ(ParseResults(testing::ReadBytes(VELOX_SOURCE_DIR "/tests/corpus/results/cut_in_closing.edat")).Status,
              FileStatus::Failed);
}

}  // namespace
}  // namespace velox
