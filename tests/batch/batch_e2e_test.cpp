// velox-batch run as a program: its files, its summary, its tables, its errors.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../common/TestFiles.h"
#include "../common/TimedRunPins.h"
#include "core/model/RunControl.h"
#include "editor/model/NumberText.h"
#include "files/model/ReportTable.h"
#include "files/model/ResultsFile.h"
#include "results/model/PlotGeometry.h"

namespace velox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Names = std::vector<std::string>;

struct BatchRun {
    int Code = -1;
    std::string Out, Err;
};

// `shell` runs first in the same shell, `ulimit -f 2;` say.  VELOX_BATCH_COMMAND, when set, is run instead of
// this build's program: another target's velox-batch under its runner (tests/portable/run).
BatchRun RunBatch(const std::string& args, const std::string& shell = "") {
    TempDir io;
    const char* command = std::getenv("VELOX_BATCH_COMMAND");
    const int status = std::system(
        (shell + (command ? command : "'" VELOX_BATCH_PROGRAM "'") + " " + args + " >'" + (io / "out") + "' 2>'" + (io / "err") + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(io / "out"), ReadBytes(io / "err")};
}

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

// A row per results file, sorted, set-up beside, damaged ones named: 3 of 8 arrive, E 10, 40, 90, t 1, 2, 3.
TEST(VeloxBatchSummary, OneRowPerResultsFileSortedWithTheSetupBesideAndDamagedFilesNamed) {
    TempDir dir;
    for (const char* folder : {"class", "class/kiss, \"anna\"", "class/nagy", "class/toth"})
        std::filesystem::create_directory(dir / folder);
    Results r;
    for (int k = 1; k <= 3; ++k) r.RecordArrival(10.0 * k, k);
    r.LaunchedCount = 8;
    const std::string kiss = dir / "class/kiss, \"anna\"/VELOX_2013";
    ASSERT_TRUE(WriteResultsFile(kiss + ".edat", r, AdvanceRunClock(RunClockRestart, 60000)).Ok);
    WriteBytes(kiss + ".gydat", "Cavity num =2\nCavity =\t4\t4\t4\t4\nCavity =\t4\t4\t4\t4\nFreq =60\nAmpli =40\n");
    ASSERT_TRUE(WriteResultsFile(dir / "class/nagy/VELOX_2013.edat", Results(), RunClockRestart).Ok);
    const std::string damaged = FormatResults(Results(), RunClockRestart);  // cut inside the closing records
    WriteBytes(dir / "class/toth/VELOX_2013.edat", damaged.substr(0, damaged.size() - 40));
    const BatchRun run = RunBatch("summary '" + (dir / "class") + "' --csv '" + (dir / "class.csv") + "'");
    EXPECT_EQ(run.Code, 1) << run.Err;
    const std::string error =
        dir / "class/toth/VELOX_2013.edat: Az eredményfájl sérült: a záró rekordokból 8 van meg a 13 helyett.";
    EXPECT_EQ(ReadBytes(dir / "class.csv"),
              "Fájl,Indított,Beérkezett,Arány (%),E átlag,E szórás,t átlag,t szórás,Futási idő,Üregek,Frekvencia,"
              "Gyorsítófesz,Hiba\r\n\"kiss, \"\"anna\"\"/VELOX_2013.edat\",8,3,37.5,46.667,32.998,2.000,0.816,"
              "00:01:00,2,1.1,45,\r\nnagy/VELOX_2013.edat,0,0,,0.000,0.000,0.000,0.000,00:00:00,,,,\r\n"
              "toth/VELOX_2013.edat,,,,,,,,,,,," + error + "\r\n");
    EXPECT_TRUE(run.Out.find("kiss") < run.Out.find("nagy/") && run.Out.find("nagy/") < run.Out.find(error));
}

// Rows in grid order with each point's generator values and figures; a start phase of 60 is not below 60.
TEST(VeloxBatchSweep, RowsInGridOrder) {
    TempDir dir;
    WriteBytes(dir / "base.gydat", "Cavity num =1\nCavity =\t16\t40\t16\t50\nAmpli =70\nStopfazis =60\n");
    const BatchRun sweep = RunBatch("sweep --setup '" + (dir / "base.gydat") + "' --speed 1 --vary Freq=40:60:20 " +
                                    "--vary=Startfazis=-30:60:45 --csv '" + (dir / "sweep.csv") + "'");
    ASSERT_EQ(sweep.Code, 0) << sweep.Err;
    const std::string csv = ReadBytes(dir / "sweep.csv"),
                      skip = ",,,,,,,kihagyva: a kezdőfázis nincs a végső alatt\r\n";
    EXPECT_TRUE(csv.starts_with("Freq,Startfazis,Frekvencia,Gyorsítófesz,Indított,Beérkezett,E átlag,E szórás,"
                                "t átlag,t szórás,Megjegyzés\r\n")) << csv;
    std::size_t at = 0;
    for (const std::string& row : Names{"40,-30,0.9,60,", "40,15,0.9,60,", "40,60,0.9,60" + skip, "60,-30,1.1,60,",
                                        "60,15,1.1,60,", "60,60,1.1,60" + skip}) {
        ASSERT_NE(at = csv.find("\r\n" + row, at), std::string::npos) << row << " in " << csv;
        EXPECT_TRUE(row.ends_with("\n") || std::isdigit(static_cast<unsigned char>(csv[at + 2 + row.size()]))) << row;
    }
    for (std::size_t i = 0, end; (end = csv.find("\r\n", i)) != std::string::npos; i = end + 2)  // 11 cells each
        EXPECT_EQ(std::count(csv.begin() + long(i), csv.begin() + long(end), ','), 10) << csv.substr(i, end - i);
}

// Refused before the set-up file is even looked for.
TEST(VeloxBatchSweep, BadGridsAreRefusedBeforeAnyRun) {
    TempDir dir;
    for (const char* vary : {"", "--vary Freq=5:1:1", "--vary Freq=1:5:0", "--vary Freq=1.5:3:1", "--vary Freq=0:101:1",
                             "--vary Stopfazis=-1:10:1", "--vary Target=-1:5:1", "--vary Frek=1:2:1", "--vary Freq=1:2",
                             "--vary Freq=1:2:1 --vary Freq=3:4:1",
                             "--vary Freq=0:100:1 --vary Ampli=0:100:1 --vary Startfazis=0:9:1"}) {
        const BatchRun r = RunBatch("sweep " + std::string(vary) + " --setup '" + (dir / "missing.gydat") +
                                    "' --csv '" + (dir / "out.csv") + "'");
        EXPECT_TRUE(r.Code == 2 && r.Out.empty() && r.Err.starts_with("velox-batch: ")) << vary;
    }
    EXPECT_EQ(dir.Entries(), Names{});
}

}  // namespace
}  // namespace velox
