// velox-batch run as a program: its files, its summary, its tables, its errors.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../common/CsvReader.h"
#include "../common/TestFiles.h"
#include "../common/TimedRunPins.h"
#include "core/model/RunControl.h"
#include "editor/model/NumberText.h"
#include "files/model/ReportTable.h"
#include "files/model/ResultsFile.h"
#include "results/model/PlotGeometry.h"

namespace velox {
namespace {

using testing::ParseCsv;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Names = std::vector<std::string>;

struct BatchRun {
    int Code = -1;
    std::string Out, Err;
};

constexpr uid_t Nobody = 65534;

// velox-batch started through the shell, `shell` running first in the same shell (`ulimit -f 2; `, `cd x && `); as
// user 65534 when `drop` is set; standard output to `out` when given.  VELOX_BATCH_COMMAND, when set, is run instead
// of this build's program: another target's velox-batch under its runner (tests/portable/run).
class Batch {
public:
    explicit Batch(const std::string& args, const std::string& shell = "", bool drop = false, std::string out = "") {
        ::chmod(io_.Path().c_str(), 0777);
        const char* other = std::getenv("VELOX_BATCH_COMMAND");
        const std::string command = shell + "exec " + (other ? other : "'" VELOX_BATCH_PROGRAM "'") + " " + args + " >'" +
                                    (out.empty() ? io_ / "out" : out) + "' 2>'" + (io_ / "err") + "'";
        if ((pid_ = ::fork()) == 0) {
            if (drop && (::setgroups(0, nullptr) || ::setresgid(Nobody, Nobody, Nobody) ||
                         ::setresuid(Nobody, Nobody, Nobody)))
                ::_exit(126);
            ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            ::_exit(127);
        }
    }
    pid_t Pid() const { return pid_; }
    BatchRun Wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(io_ / "out"), ReadBytes(io_ / "err")};
    }

private:
    TempDir io_;
    pid_t pid_ = -1;
};

BatchRun RunBatch(const std::string& args, const std::string& shell = "", bool drop = false) {
    return Batch(args, shell, drop).Wait();
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The summary lines of the counters and statistics of a results file, loaded.
std::string SummaryLines(const std::string& path) {
    Results r;
    double clock = 0;
    EXPECT_EQ(LoadResultsFile(r, clock, path).Status, FileStatus::Ok) << path;
    const ResultFigures f = FiguresOf(r);
    return "Indított részecskék: " + FormatInteger(f.Launched) + "\nBeérkezett részecskék: " +
           FormatInteger(f.Arrived) + "\nEnergia: átlag " + StatisticText(f.Energy.Mean) + ", szórás " +
           StatisticText(f.Energy.Deviation) + "\nIdő: átlag " + StatisticText(f.Time.Mean) + ", szórás " +
           StatisticText(f.Time.Deviation) + "\n";
}

// Tick 6001 ends the default run; its files hold what the summary tells, start-up settings, redrawn count axes.
TEST(VeloxBatch, DefaultRunWritesFilesThatLoadBackIntoTheSummarisedResults) {
    TempDir dir;
    const BatchRun r = RunBatch("--out '" + dir.Path() + "'");
    ASSERT_EQ(std::tuple(r.Code, r.Err, dir.Entries()),
              std::tuple(0, "", Names{"VELOX_2013.edat", "VELOX_2013.gydat"}));
    EXPECT_EQ(r.Out, "Lépések: 6001\n" + SummaryLines(dir / "VELOX_2013.edat") + "Kiírva: " +
                         (dir / "VELOX_2013.gydat") + ", " + (dir / "VELOX_2013.edat") + "\n");
    Results loaded;
    double clock = 0;
    LoadResultsFile(loaded, clock, dir / "VELOX_2013.edat");
    EXPECT_TRUE(loaded.LaunchedCount >= loaded.ArrivedCount && loaded.ArrivedCount > 0 && TimedRunEnded(clock));
    EXPECT_EQ(std::tuple(loaded.EnergySpectrum.XMax, loaded.TimeSpectrum.ChannelWidth), std::tuple(220, 0.05));
    for (const Spectrum* s : {&loaded.EnergySpectrum, &loaded.TimeSpectrum}) {
        Spectrum redrawn = *s;
        DrawSpectrumGeometry(redrawn, loaded.SumsOf(*s), loaded.ArrivedCount, {}, PlotBitmapWidth);
        EXPECT_TRUE(s->Auto && s->YMax == redrawn.YMax && s->YMax > 20) << s->YMax;
    }
}

// The timed run at every speed writes the pinned files.
class TimedRunFiles : public ::testing::TestWithParam<testing::PinnedRun> {};

TEST_P(TimedRunFiles, AreByteForByteThoseOfTheFirstRelease) {
    TempDir dir;
    const BatchRun r = RunBatch("--speed " + FormatInteger(GetParam().Speed) + " --out '" + dir.Path() + "'");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(testing::Digest(ReadBytes(dir / "VELOX_2013.gydat")), testing::PinnedSetup);
    EXPECT_EQ(testing::Digest(ReadBytes(dir / "VELOX_2013.edat")), GetParam().BatchResults);
}
INSTANTIATE_TEST_SUITE_P(EverySpeed, TimedRunFiles, ::testing::ValuesIn(testing::PinnedRuns),
                         [](const auto& run) { return "Speed" + std::to_string(run.param.Speed); });

// A set-up file goes on top of the start-up; a wrong count is reported; speed 2 ends on tick 858, speed 1 on 667.
TEST(VeloxBatch, SetupFileIsAppliedOnTopOfTheStartUp) {
    TempDir dir;
    const std::string cavities =
        "Cavity num =3\nCavity =\t16\t40\t16\t50\nCavity =\t16\t60\t16\t70\nCavity =\t16\t80\t16\t90\n";
    WriteBytes(dir / "in.gydat",
               cavities + "Target =560\nAmpli =70\nSingle particle\nStartfazis =-30\nStopfazis =40\n");
    const BatchRun r = RunBatch("--setup '" + (dir / "in.gydat") + "' --speed 2 --out '" + dir.Path() + "'");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"),
              "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\t70\r\n"
              "Cavity =\t16\t80\t16\t90\r\nTarget =560\r\nFreq =50\r\nAmpli =70\r\n"
              "Single particle\r\nStartfazis =-30\r\nStopfazis =40\r\n");
    EXPECT_TRUE(r.Out.starts_with("Lépések: 858\n" + SummaryLines(dir / "VELOX_2013.edat"))) << r.Out;
    WriteBytes(dir / "short.gydat", "Cavity num =3\nCavity =\t16\t50\t16\t60\n");
    const BatchRun w = RunBatch("--setup '" + (dir / "short.gydat") + "' --speed 1 --out '" + dir.Path() + "'");
    EXPECT_TRUE(w.Code == 0 && w.Err.find("Not all cavities could be read correctly") != std::string::npos) << w.Err;
    EXPECT_TRUE(w.Out.starts_with("Lépések: 667\n")) << w.Out;
}

// Bad arguments exit with 2, file errors with 1, writing nothing; beyond the size limit the old file stays.
TEST(VeloxBatch, HelpAndFailures) {
    const BatchRun help = RunBatch("--help");
    EXPECT_TRUE(help.Code == 0 && help.Out.starts_with("Használat: velox-batch [--setup FÁJL.gydat] [--speed 1..5]"));
    TempDir dir;
    for (const char* args : {"--speed 6", "--speed x", "--speed", "--bogus", "extra", "--setup", "--setup --speed 1",
                             "--help=1"}) {
        const BatchRun r = RunBatch(std::string(args) + " --out '" + dir.Path() + "'");
        EXPECT_TRUE(r.Code == 2 && r.Err.starts_with("velox-batch: ") && r.Err.ends_with("velox-batch --help\n"))
            << args;
    }
    ASSERT_EQ(::mkfifo((dir / "x.gydat").c_str(), 0644), 0);
    WriteBytes(dir / "empty.gydat", "");
    WriteBytes(dir / "file", "x");
    for (const std::string& args : {"--setup '" + (dir / "missing.gydat") + "' --out '" + dir.Path() + "'",
                                    "--setup '" + (dir / "x.gydat") + "' --out '" + dir.Path() + "'",
                                    "--setup '" + (dir / "empty.gydat") + "' --out '" + dir.Path() + "'",
                                    "--speed 1 --out '" + (dir / "file") + "'"}) {
        const BatchRun r = RunBatch(args);
        EXPECT_TRUE(r.Code == 1 && !r.Err.empty()) << args;
    }
    EXPECT_EQ(dir.Entries(), (Names{"empty.gydat", "file", "x.gydat"}));
    TempDir out;
    WriteBytes(out / "VELOX_2013.edat", "old");
    const BatchRun r = RunBatch("--out '" + out.Path() + "'", "ulimit -f 2; ");
    EXPECT_TRUE(r.Code == 1 && r.Err.find(out / "VELOX_2013.edat: " + std::strerror(EFBIG)) != std::string::npos)
        << r.Err;
    EXPECT_EQ(std::pair(out.Entries(), ReadBytes(out / "VELOX_2013.edat")),
              std::pair(Names{"VELOX_2013.edat", "VELOX_2013.gydat"}, std::string("old")));
}

Names Column(const std::vector<std::vector<std::string>>& rows, std::size_t c) {
    Names out;
    for (std::size_t i = 1; i < rows.size(); ++i) out.push_back(rows[i].at(c));
    return out;
}

// A class folder as a teacher finds it: every student gets a row in Hungarian order under the folder's own name, a
// damaged file shows only why, names can neither forge a row on the terminal nor a formula in the spreadsheet.
TEST(VeloxBatchSummary, AClassFolderGivesEveryStudentOneRowThatSaysWhoseItIs) {
    TempDir dir;
    const auto student = [&](const std::string& name, const Results& r, const std::string& file = "VELOX_2013.edat") {
        std::filesystem::create_directories(dir / ("10a/" + name));
        WriteBytes(dir / ("10a/" + name + "/" + file), FormatResults(r, AdvanceRunClock(RunClockRestart, 60000)));
    };
    Results good, huge, infinite, negative;
    for (int k = 1; k <= 3; ++k) good.RecordArrival(10.0 * k, k);
    good.LaunchedCount = 8;
    huge.EnergyValues = huge.TimeValues = {0x1p66};
    infinite.EnergyValues = infinite.TimeValues = {HUGE_VAL};
    negative.LaunchedCount = -5;
    const Names fine{"Oz Péter", "Öveges József", "Cukor Dénes", "Csaba Ildikó", "Szabó Éva", "Sánta Sándor",
                     "=HYPERLINK(\"x\")", "Esc\x1b[31m\xC2\x9B\r\n", "Vad\xff Vilma", ".rejtett"};
    for (const std::string& name : fine) student(name, good);
    student("Upper", good, "VELOX_2013.EDAT");
    WriteBytes(dir / "10a/Upper/VELOX_2013.GYDAT", "Cavity num =3\nCavity =\t4\t4\t4\t4\nCavity =\t4\t4\t4\t4\n");
    student("Nagy Nándor", huge), student("Fehér Flóra", infinite), student("Dénes Dóra", negative);
    student("Bús Bence", good);
    WriteBytes(dir / "10a/Bús Bence/VELOX_2013.edat", "just some text\n");
    std::filesystem::create_directories(dir / "10a/Hiányzó Henrik/jegyzetek");
    std::filesystem::create_directory(dir / "10b");
    std::filesystem::create_directory_symlink("..", dir / "10a/Oz Péter/vissza");
    std::filesystem::create_directory_symlink("Cukor Dénes", dir / "10a/Zz");
    WriteBytes(dir / "=x.edat", FormatResults(good, AdvanceRunClock(RunClockRestart, 60000)));
    const BatchRun run = RunBatch("summary 10b 10a/ =x.edat --csv out.csv", "cd '" + dir.Path() + "' && ");
    EXPECT_EQ(run.Code, 1) << run.Err;
    const auto csv = ParseCsv(ReadBytes(dir / "out.csv"));
    const std::string file = "/VELOX_2013.edat", cut = "Az eredményfájl csonka: hiányoznak a záró rekordok";
    Names labels{"'=x.edat", "10a/=HYPERLINK(\"x\")" + file, "10a/Bús Bence" + file, "10a/Cukor Dénes" + file,
                 "10a/Csaba Ildikó" + file, "10a/Dénes Dóra" + file, "10a/Esc\x1b[31m\xC2\x9B\r\n" + file,
                 "10a/Fehér Flóra" + file, "10a/Hiányzó Henrik", "10a/Nagy Nándor" + file, "10a/Oz Péter" + file,
                 "10a/Oz Péter/vissza", "10a/Öveges József" + file, "10a/Sánta Sándor" + file, "10a/Szabó Éva" + file,
                 "10a/Upper/VELOX_2013.EDAT", "10a/Vad\xEF\xBF\xBD Vilma" + file, "10a/Zz", "10b"};
    Names reasons{"", "", cut, "", "", "Az eredményfájl sérült: a részecskék száma nem 0 vagy nagyobb egész szám.",
                        "", "Az eredményfájl sérült: nem véges energia, érkezési idő vagy futási idő van benne.",
                        "nincs eredményfájl", "", "", "ugyanaz a mappa, mint ez: 10a", "", "", "",
                        "Not all cavities could be read correctly", "", "ugyanaz a mappa, mint ez: 10a/Cukor Dénes",
                        "nincs eredményfájl"};
#ifdef VELOX_HAVE_ICU  // else, and for another target's velox-batch, built without ICU: sorted by bytes
    if (std::getenv("VELOX_BATCH_WITHOUT_ICU") != nullptr)
#endif
    {
        std::vector<std::pair<std::string, std::string>> rows;
        for (std::size_t i = 0; i < labels.size(); ++i) rows.emplace_back(labels[i].substr(i == 0), reasons[i]);
        std::sort(rows.begin(), rows.end());
        for (std::size_t i = 0; i < labels.size(); ++i)
            labels[i] = (rows[i].first[0] == '=' ? "'" : "") + rows[i].first, reasons[i] = rows[i].second;
    }
    ASSERT_EQ(Column(csv, 0), labels);
    const auto at = [&](const char* name) {  // the CSV row of a student
        return std::size_t(std::find_if(labels.begin(), labels.end(), [&](auto& l) { return Contains(l, name); }) -
                           labels.begin()) + 1;
    };
    Names shown = Column(csv, 12);
    for (std::string& r : shown) r = r.substr(0, r.starts_with(cut) ? cut.size() : r.size());
    EXPECT_EQ(shown, reasons);
    const ResultFigures f = FiguresOf(good);
    const Names full{"8", "3", "37.5", FormatRoundTrip(f.Energy.Mean), FormatRoundTrip(f.Energy.Deviation),
                     FormatRoundTrip(f.Time.Mean), FormatRoundTrip(f.Time.Deviation), "00:01:00"};
    for (std::size_t i = 1; i < csv.size(); ++i)  // numbers in full, and only for files read without complaint
        EXPECT_EQ(Names(csv[i].begin() + 1, csv[i].begin() + 9),
                  reasons[i - 1].empty() || i == at("Upper") ? (i == at("Nagy") ? Names{"1", "1", "100", "73786976294838206464", "0", "73786976294838206464", "0",
                                                                      "00:01:00"} : full) : Names(8)) << i;
    EXPECT_EQ(Names(csv[at("Upper")].begin() + 9, csv[at("Upper")].begin() + 12), (Names{"2", "1", "50"}));
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 20);
    EXPECT_TRUE(Contains(run.Out, "10a/Esc\\x1b[31m\\xc2\\x9b\\r\\n/VELOX_2013.edat ") && Contains(run.Out, "Vad\\xff Vilma") &&
                Contains(run.Out, " 7.379E19 ") && Contains(run.Out, "Öveges") && !Contains(run.Out, "\x1b") && !Contains(run.Out, "\r"));
    // By a column: the largest number first, rows without one last, the label breaking ties.
    const BatchRun sorted = RunBatch("summary --sort 'E átlag' 10b 10a =x.edat --csv sorted.csv", "cd '" + dir.Path() + "' && ");
    Names order, without;
    for (std::size_t i = 0; i < labels.size(); ++i) (csv[i + 1][4].empty() ? without : order).push_back(labels[i]);
    std::stable_partition(order.begin(), order.end(), [](auto& l) { return Contains(l, "Nagy"); });  // 2^66
    order.insert(order.end(), without.begin(), without.end());
    EXPECT_EQ(Column(ParseCsv(ReadBytes(dir / "sorted.csv")), 0), order) << sorted.Err;
}

// A --csv target that is an input (a hard link, after symbolic links) or that could not be written is refused before any file is read:
// exit 2, both paths named, nothing written.  A folder the user may not write in is tried as user 65534.
TEST(VeloxBatchSummary, CsvTargetsThatAreInputsOrCannotBeWrittenAreRefused) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    std::filesystem::create_directories(dir / "10a/kiss");
    std::filesystem::create_directory(dir / "ro");
    ASSERT_EQ(::chmod((dir / "ro").c_str(), 0555), 0);
    const std::string results = dir / "10a/kiss/VELOX_2013.edat", setup = dir / "10a/kiss/VELOX_2013.Gydat";
    WriteBytes(results, FormatResults(Results(), RunClockRestart));
    WriteBytes(setup, "Freq =60\n");
    std::filesystem::create_hard_link(results, dir / "results.csv");
    std::filesystem::create_symlink(setup, dir / "setup.csv");
    const struct { std::string csv, operand, message; bool drop = false; } rows[] = {
        {dir / "results.csv", dir / "10a", results}, {dir / "setup.csv", dir / "10a", setup},
        {dir / "setup.csv", results, setup},         {dir / "new.EDat", dir / "10a", "nem eredmény- vagy adatfájlé"},
        {dir / "no/x.csv", results, std::strerror(ENOENT)}, {dir / "10a", results, "hanem mappa"},
        {"/dev/null", results, "hanem eszköz"},      {dir / "ro/x.csv", results, std::strerror(EACCES), ::geteuid() == 0}};
    for (const auto& row : rows) {
        const BatchRun r = RunBatch("summary --csv '" + row.csv + "' '" + row.operand + "'", "", row.drop);
        EXPECT_TRUE(r.Code == 2 && r.Out.empty() && Contains(r.Err, row.csv) && Contains(r.Err, row.message)) << r.Err;
    }
    EXPECT_EQ(std::pair(ReadBytes(results), ReadBytes(setup)),
              std::pair(FormatResults(Results(), RunClockRestart), std::string("Freq =60\n")));
    EXPECT_EQ(dir.Entries(), (Names{"10a", "results.csv", "ro", "setup.csv"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "ro"));
}

// The table on a full disk, and a timed run's summary line, are reported (exit 1); SIGTERM stops a sweep like Ctrl+C:
// the finished rows on the terminal, the CSV left as it was.
TEST(VeloxBatch, AnOutputThatFailsIsReportedAndAnInterruptedSweepWritesNoCsv) {
    TempDir dir;
    ASSERT_TRUE(WriteResultsFile(dir / "a.edat", Results(), RunClockRestart).Ok);
    for (const std::string& args : {"summary '" + (dir / "a.edat") + "'", "--out '" + dir.Path() + "'"}) {
        const BatchRun r = Batch(args, "", false, "/dev/full").Wait();
        EXPECT_TRUE(r.Code == 1 && Contains(r.Err, std::strerror(ENOSPC))) << args << r.Err;
    }
    WriteBytes(dir / "old.csv", "old");
    Batch sweep("sweep --speed 1 --vary Freq=0:100:1 --vary Ampli=0:100:1 --csv '" + (dir / "old.csv") + "'");
    const auto caught = [&] {  // SIGTERM is sent once the sweep catches it
        const std::string status = ReadBytes("/proc/" + std::to_string(sweep.Pid()) + "/status");
        const auto at = status.find("SigCgt:\t");
        return at != std::string::npos && (std::stoull(status.substr(at + 8, 16), nullptr, 16) >> (SIGTERM - 1) & 1);
    };
    while (!caught()) ::usleep(10000);
    ::kill(sweep.Pid(), SIGTERM);
    const BatchRun r = sweep.Wait();
    EXPECT_TRUE(r.Code == 143 && r.Out.starts_with("Freq  Ampli") && Contains(r.Err, "a CSV-fájl nem íródott ki")) << r.Err;
    EXPECT_EQ(ReadBytes(dir / "old.csv"), "old");
}

// Rows in grid order with each point's generator values and figures and the set-up's warning; a start phase of 60 is
// not below 60.
TEST(VeloxBatchSweep, RowsInGridOrder) {
    TempDir dir;
    WriteBytes(dir / "base.gydat", "Cavity num =2\nCavity =\t16\t40\t16\t50\nAmpli =70\nStopfazis =60\n");
    const BatchRun sweep = RunBatch("sweep --setup '" + (dir / "base.gydat") + "' --speed 1 --vary Freq=40:60:20 " +
                                    "--vary=Startfazis=-30:60:45 --csv '" + (dir / "sweep.csv") + "'");
    ASSERT_EQ(sweep.Code, 0) << sweep.Err;
    const std::string csv = ReadBytes(dir / "sweep.csv"),
                      warning = "Not all cavities could be read correctly\r\n",
                      skip = ",,,,,,,kihagyva: a kezdőfázis nincs a végső alatt; " + warning;
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF" "Freq,Startfazis,Frekvencia,Gyorsítófesz,Indított,Beérkezett,E átlag,E szórás,"
                                "t átlag,t szórás,Megjegyzés\r\n")) << csv;
    std::size_t at = 0;
    for (const std::string& row : Names{"40,-30,0.9,60,", "40,15,0.9,60,", "40,60,0.9,60" + skip, "60,-30,1.1,60,",
                                        "60,15,1.1,60,", "60,60,1.1,60" + skip}) {
        ASSERT_NE(at = csv.find("\r\n" + row, at), std::string::npos) << row << " in " << csv;
        EXPECT_TRUE(row.ends_with("\n") || std::isdigit(static_cast<unsigned char>(csv[at + 2 + row.size()]))) << row;
    }
    std::size_t warnings = 0;  // the set-up's warning on every row
    for (std::size_t p = 0; (p = csv.find(warning, p)) != std::string::npos; p += warning.size()) ++warnings;
    EXPECT_EQ(warnings, 6u);
    for (std::size_t i = 0, end; (end = csv.find("\r\n", i)) != std::string::npos; i = end + 2)  // 11 cells each
        EXPECT_EQ(std::count(csv.begin() + long(i), csv.begin() + long(end), ','), 10) << csv.substr(i, end - i);
}

// Bad grids are refused before the set-up file is even looked for; a --csv target that is the set-up (after links)
// or cannot be written before the first of the 10201 points runs: exit 2, nothing written.
TEST(VeloxBatchSweep, BadGridsAndCsvTargetsAreRefusedBeforeAnyRun) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    std::filesystem::create_directory(dir / "ro");
    ASSERT_EQ(::chmod((dir / "ro").c_str(), 0555), 0);
    WriteBytes(dir / "base.gydat", "Freq =60\n");
    std::filesystem::create_symlink("base.gydat", dir / "setup.csv");
    struct Row { std::string args, message; bool drop = false; };
    std::vector<Row> rows;
    for (const char* vary : {"", "--vary Freq=5:1:1", "--vary Freq=1:5:0", "--vary Freq=1.5:3:1", "--vary Freq=0:101:1",
                             "--vary Stopfazis=-1:10:1", "--vary Target=-1:5:1", "--vary Frek=1:2:1", "--vary Freq=1:2",
                             "--vary Freq=1:2:1 --vary Freq=3:4:1",
                             "--vary Freq=0:100:1 --vary Ampli=0:100:1 --vary Startfazis=0:9:1"})
        rows.push_back({std::string(vary) + " --setup '" + (dir / "missing.gydat") + "' --csv '" + (dir / "out.csv"), ""});
    const std::string grid = "--vary Freq=0:100:1 --vary Ampli=0:100:1 --setup '" + (dir / "base.gydat") + "' --csv '";
    for (const Row& row : {Row{grid + (dir / "setup.csv"), dir / "base.gydat"},
                           Row{grid + (dir / "x.GYDAT"), "nem eredmény- vagy adatfájlé"},
                           Row{grid + (dir / "no/x.csv"), std::strerror(ENOENT)}, Row{grid + dir.Path(), "hanem mappa"},
                           Row{grid + (dir / "ro/x.csv"), std::strerror(EACCES), ::geteuid() == 0}})
        rows.push_back(row);
    for (const Row& row : rows) {
        const BatchRun r = RunBatch("sweep " + row.args + "'", "", row.drop);
        EXPECT_TRUE(r.Code == 2 && r.Out.empty() && r.Err.starts_with("velox-batch: ") && Contains(r.Err, row.message))
            << row.args << r.Err;
    }
    EXPECT_EQ(std::pair(dir.Entries(), ReadBytes(dir / "base.gydat")),
              std::pair(Names{"base.gydat", "ro", "setup.csv"}, std::string("Freq =60\n")));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "ro"));
}

}  // namespace
}  // namespace velox
