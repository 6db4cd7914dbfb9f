// velox-batch run as a program: its files, its summary, its tables, its errors.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "../common/TestFiles.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/model/ReportTable.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "results/model/PlotGeometry.h"

namespace velox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Cells = std::vector<std::vector<std::string>>;

struct BatchRun {
    int Code = -1;
    std::string Out, Err;
};

// `shell` runs first in the same shell, `ulimit -f 2;` say.
BatchRun RunBatch(const std::string& args, const std::string& shell = "") {
    TempDir io;
    const int status = std::system((shell + "'" VELOX_BATCH_PROGRAM "' " + args + " >'" + (io / "out") + "' 2>'" +
                                    (io / "err") + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(io / "out"), ReadBytes(io / "err")};
}

// The summary lines of a run's counters and statistics.
std::string SummaryLines(const std::vector<std::string>& f) {
    return "Indított részecskék: " + f[0] + "\nBeérkezett részecskék: " + f[1] + "\nEnergia: átlag " + f[2] +
           ", szórás " + f[3] + "\nIdő: átlag " + f[4] + ", szórás " + f[5] + "\n";
}

std::string SummaryLines(const Results& r) {
    const ResultFigures f = FiguresOf(r);
    return SummaryLines({FormatInteger(f.Launched), FormatInteger(f.Arrived), StatisticText(f.Energy.Mean),
                         StatisticText(f.Energy.Deviation), StatisticText(f.Time.Mean), StatisticText(f.Time.Deviation)});
}

// The cells of a CSV file without quoted fields; every line ends in CR LF.
Cells CsvCells(const std::string& text) {
    Cells rows;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
        rows.emplace_back(1);
        for (char c : text.substr(at, end - at))
            if (c == ',') rows.back().emplace_back(); else rows.back().back() += c;
    }
    EXPECT_TRUE(text.ends_with("\r\n")) << text;
    return rows;
}

// The default run ends on tick 6001; its files load back into what the
// summary tells, with the start-up settings and the count axes an automatic
// redraw of the final histograms gives.
TEST(VeloxBatch, DefaultRunWritesFilesThatLoadBackIntoTheSummarisedResults) {
    TempDir dir;
    const BatchRun r = RunBatch("--out '" + dir.Path() + "'");
    ASSERT_EQ(std::pair(r.Code, r.Err), std::pair(0, std::string())) << r.Err;
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"VELOX_2013.edat", "VELOX_2013.gydat"}));
    Results loaded;
    double clock = 0;
    ASSERT_EQ(LoadResultsFile(loaded, clock, dir / "VELOX_2013.edat").Status, FileStatus::Ok);
    EXPECT_TRUE(loaded.LaunchedCount >= loaded.ArrivedCount && loaded.ArrivedCount > 0 && TimedRunEnded(clock));
    EXPECT_EQ(r.Out, "Lépések: 6001\n" + SummaryLines(loaded) + "Kiírva: " + (dir / "VELOX_2013.gydat") + ", " +
                         (dir / "VELOX_2013.edat") + "\n");
    EXPECT_EQ(std::tuple(loaded.EnergySpectrum.XMax, loaded.TimeSpectrum.ChannelWidth), std::tuple(220, 0.05));
    for (const Spectrum* s : {&loaded.EnergySpectrum, &loaded.TimeSpectrum}) {
        Spectrum redrawn = *s;
        DrawSpectrumGeometry(redrawn, loaded.SumsOf(*s), loaded.ArrivedCount, {}, PlotBitmapWidth);
        EXPECT_TRUE(s->Auto && s->YMax == redrawn.YMax && s->YMax > 20) << s->YMax;
    }
}

// A set-up file is loaded on top of the start-up; a count that does not
// match is reported and the run goes on; at speed 1 it ends on tick 667.
TEST(VeloxBatch, SetupFileIsAppliedOnTopOfTheStartUp) {
    TempDir dir;
    WriteBytes(dir / "in.gydat", "Cavity num =3\nCavity =\t16\t40\t16\t50\nCavity =\t16\t60\t16\t70\nCavity =\t16\t80\t16\t90\n"
                                 "Target =560\nAmpli =70\nSingle particle\nStartfazis =-30\nStopfazis =40\n");
    const BatchRun r = RunBatch("--setup '" + (dir / "in.gydat") + "' --speed 2 --out '" + dir.Path() + "/out'");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(ReadBytes(dir / "out/VELOX_2013.gydat"),
              "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\t70\r\nCavity =\t16\t80\t16\t90\r\n"
              "Target =560\r\nFreq =50\r\nAmpli =70\r\nSingle particle\r\nStartfazis =-30\r\nStopfazis =40\r\n");
    Results loaded;
    double clock = 0;
    ASSERT_EQ(LoadResultsFile(loaded, clock, dir / "out/VELOX_2013.edat").Status, FileStatus::Ok);
    EXPECT_NE(r.Out.find(SummaryLines(loaded)), std::string::npos) << r.Out;
    WriteBytes(dir / "short.gydat", "Cavity num =3\nCavity =\t16\t50\t16\t60\n");
    const BatchRun w = RunBatch("--setup '" + (dir / "short.gydat") + "' --speed 1 --out '" + dir.Path() + "/w'");
    EXPECT_EQ(w.Code, 0);
    EXPECT_NE(w.Err.find("Not all cavities could be read correctly"), std::string::npos) << w.Err;
    EXPECT_TRUE(w.Out.starts_with("Lépések: 667\n")) << w.Out;
}

// Bad arguments exit with 2, file errors with 1, and nothing is written.
// Beyond the file size limit the results file fails like any file error
// instead of SIGXFSZ ending the program; its temporary is gone.
TEST(VeloxBatch, HelpAndFailures) {
    const BatchRun help = RunBatch("--help");
    EXPECT_EQ(help.Code, 0);
    EXPECT_TRUE(help.Out.starts_with("Használat: velox-batch [--setup FÁJL.gydat] [--speed 1..5] [--out MAPPA]\n"));
    TempDir dir;
    for (const char* args : {"--speed 6", "--speed x", "--speed", "--bogus", "extra", "--setup", "--setup --speed 1", "--help=1"}) {
        const BatchRun r = RunBatch(std::string(args) + " --out '" + dir.Path() + "'");
        EXPECT_TRUE(r.Code == 2 && r.Err.starts_with("velox-batch: ") && r.Err.ends_with("velox-batch --help\n")) << args;
    }
    ASSERT_EQ(::mkfifo((dir / "x.gydat").c_str(), 0644), 0);
    WriteBytes(dir / "empty.gydat", "");
    WriteBytes(dir / "file", "x");
    for (const std::string& args : {"--setup '" + (dir / "missing.gydat") + "'", "--setup '" + (dir / "x.gydat") + "'",
                                    "--setup '" + (dir / "empty.gydat") + "'", "--speed 1 --out '" + (dir / "file") + "'"}) {
        const BatchRun r = RunBatch(args + (args.starts_with("--setup") ? " --out '" + dir.Path() + "'" : ""));
        EXPECT_TRUE(r.Code == 1 && !r.Err.empty()) << args;
    }
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"empty.gydat", "file", "x.gydat"}));
    TempDir out;
    const BatchRun r = RunBatch("--out '" + out.Path() + "'", "ulimit -f 2; ");
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find(out / "VELOX_2013.edat"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find(std::strerror(EFBIG)), std::string::npos) << r.Err;
    EXPECT_EQ(out.Entries(), std::vector<std::string>{"VELOX_2013.gydat"});
}

// One row per results file, sorted, with the set-up beside it; a damaged
// file is named.  Three arrivals of 8 launched, energies 10, 40, 90 and
// times 1, 2, 3, after a full timed run; the spinners at 60 and 40.
TEST(VeloxBatchSummary, OneRowPerResultsFileSortedWithTheSetupBesideAndDamagedFilesNamed) {
    TempDir dir;
    for (const char* folder : {"class", "class/kiss, \"anna\"", "class/nagy", "class/toth"})
        std::filesystem::create_directory(dir / folder);
    Results r;
    for (int k = 1; k <= 3; ++k) r.RecordArrival(10.0 * k, k);
    r.LaunchedCount = 8;
    ASSERT_TRUE(WriteResultsFile(dir / "class/kiss, \"anna\"/VELOX_2013.edat", r, AdvanceRunClock(RunClockRestart, 60000)).Ok);
    VeloxData setup;
    setup.ApplyStartupDefaults();
    setup.SetFrequencyPosition(60);
    setup.SetVoltagePosition(40);
    ASSERT_TRUE(WriteSetupFile(dir / "class/kiss, \"anna\"/VELOX_2013.gydat", setup).Ok);
    ASSERT_TRUE(WriteResultsFile(dir / "class/nagy/VELOX_2013.edat", Results(), RunClockRestart).Ok);
    const std::string damaged = FormatResults(Results(), RunClockRestart);  // cut inside the closing records
    WriteBytes(dir / "class/toth/VELOX_2013.edat", damaged.substr(0, damaged.size() - 40));

    const BatchRun run = RunBatch("summary '" + (dir / "class") + "' --csv '" + (dir / "class.csv") + "'");
    EXPECT_EQ(run.Code, 1) << run.Err;
    const std::string error = dir / "class/toth/VELOX_2013.edat: Az eredményfájl sérült: a záró rekordokból 8 van meg a 13 helyett.";
    EXPECT_EQ(ReadBytes(dir / "class.csv"),
              "Fájl,Indított,Beérkezett,Arány (%),E átlag,E szórás,t átlag,t szórás,Futási idő,Üregek,Frekvencia,"
              "Gyorsítófesz,Hiba\r\n\"kiss, \"\"anna\"\"/VELOX_2013.edat\",8,3,37.5,46.667,32.998,2.000,0.816,00:01:00,2,1.1,45,\r\n"
              "nagy/VELOX_2013.edat,0,0,,0.000,0.000,0.000,0.000,00:00:00,,,,\r\ntoth/VELOX_2013.edat,,,,,,,,,,,," + error + "\r\n");
    // The terminal shows the same rows in the same order.
    EXPECT_TRUE(run.Out.find("kiss") < run.Out.find("nagy/") && run.Out.find("nagy/") < run.Out.find("toth/"));
    EXPECT_NE(run.Out.find(error), std::string::npos) << run.Out;
}

// The rows, in grid order, are those of single runs of the modified set-up;
// a start phase of 60 does not lie below the stop phase 60 and is skipped.
TEST(VeloxBatchSweep, RowsAreThoseOfSingleRunsOfTheModifiedSetupInGridOrder) {
    TempDir dir;
    const std::string base = "Cavity num =3\nCavity =\t16\t40\t16\t50\nCavity =\t16\t60\t16\t70\nCavity =\t16\t80\t16\t90\n"
                             "Target =560\nFreq =50\nAmpli =70\nMultiparticles\nStartfazis =0\nStopfazis =60\n";
    WriteBytes(dir / "base.gydat", base);
    const BatchRun sweep = RunBatch("sweep --setup '" + (dir / "base.gydat") + "' --speed 1 --vary Freq=40:60:20 " +
                                    "--vary=Startfazis=-30:60:45 --csv '" + (dir / "sweep.csv") + "'");
    ASSERT_EQ(sweep.Code, 0) << sweep.Err;
    const Cells csv = CsvCells(ReadBytes(dir / "sweep.csv"));
    ASSERT_EQ(csv.size(), 7u);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"Freq", "Startfazis", "Frekvencia", "Gyorsítófesz", "Indított", "Beérkezett",
                                                "E átlag", "E szórás", "t átlag", "t szórás", "Megjegyzés"}));
    for (std::size_t i = 0; i < 6; ++i) {
        const std::string freq = i < 3 ? "40" : "60", start = std::vector<std::string>{"-30", "15", "60"}[i % 3];
        const std::vector<std::string>& row = csv[i + 1];
        ASSERT_EQ(row.size(), 11u);
        EXPECT_EQ(std::vector(row.begin(), row.begin() + 4), (std::vector<std::string>{freq, start, i < 3 ? "0.9" : "1.1", "60"}));
        EXPECT_EQ(std::pair(row[4].empty(), row[10].empty()), std::pair(start == "60", start != "60")) << i;
        if (i != 0 && i != 4) continue;
        std::string modified = base;
        modified.replace(modified.find("Freq =50"), 8, "Freq =" + freq);
        modified.replace(modified.find("Startfazis =0"), 13, "Startfazis =" + start);
        WriteBytes(dir / "point.gydat", modified);
        const BatchRun single = RunBatch("--setup '" + (dir / "point.gydat") + "' --speed 1 --out '" + (dir / "out") + "'");
        EXPECT_NE(single.Out.find(SummaryLines(std::vector(row.begin() + 4, row.begin() + 10))), std::string::npos) << single.Out;
    }
}

// Refused before the set-up file is even looked for.
TEST(VeloxBatchSweep, BadGridsAreRefusedBeforeAnyRun) {
    TempDir dir;
    for (const char* vary : {"", "--vary Freq=5:1:1", "--vary Freq=1:5:0", "--vary Freq=1.5:3:1", "--vary Freq=0:101:1",
                             "--vary Stopfazis=-1:10:1", "--vary Target=-1:5:1", "--vary Frek=1:2:1", "--vary Freq=1:2",
                             "--vary Freq=1:2:1 --vary Freq=3:4:1",
                             "--vary Freq=0:100:1 --vary Ampli=0:100:1 --vary Startfazis=0:9:1"}) {
        const BatchRun r = RunBatch("sweep " + std::string(vary) + " --setup '" + (dir / "missing.gydat") + "' --csv '" +
                                    (dir / "out.csv") + "'");
        EXPECT_TRUE(r.Code == 2 && r.Out.empty() && r.Err.starts_with("velox-batch: ")) << vary;
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{});
}

}  // namespace
}  // namespace velox
