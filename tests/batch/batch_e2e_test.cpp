// velox-batch run as a program: its files, its summary, its errors.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "../common/TestFiles.h"
#include "core/model/RunControl.h"
#include "editor/model/NumberText.h"
#include "core/model/VeloxData.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "results/model/PlotGeometry.h"

namespace velox {
namespace {

using testing::ReadBytes;
using testing::TempDir;

struct BatchRun {
    int Code = -1;
    std::string Out, Err;
};

// `shell` runs first in the same shell, `ulimit -f 2;` say.
BatchRun RunBatch(const std::string& args, const std::string& shell = "") {
    TempDir io;
    const std::string cmd = shell + "'" + std::string(VELOX_BATCH_PROGRAM) + "' " + args + " >'" + (io / "out") + "' 2>'" + (io / "err") + "'";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(io / "out"), ReadBytes(io / "err")};
}

// The number after `label` in the summary.
std::string SummaryItem(const std::string& out, const std::string& label) {
    const auto at = out.find(label);
    if (at == std::string::npos) return "";
    return out.substr(at + label.size(), out.find_first_of(",\n", at + label.size()) - at - label.size());
}

// RFC 4180, strictly: every line ends in CR LF, quotes only around a whole
// field.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') row.back() += c;
            else if (i + 1 < text.size() && text[i + 1] == '"') row.back() += text[++i];
            else quoted = false;
        } else if (c == '"' && row.back().empty()) {
            quoted = true;
        } else if (c == ',') {
            row.emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.push_back(std::exchange(row, std::vector<std::string>(1)));
            ++i;
        } else {
            EXPECT_TRUE(c != '"' && c != '\r' && c != '\n') << "stray character at " << i;
            row.back() += c;
        }
    }
    EXPECT_TRUE(!quoted && row == std::vector<std::string>(1)) << "the last line does not end in CR LF";
    return rows;
}

using Rows = std::vector<std::vector<std::string>>;

TEST(VeloxBatch, DefaultRunWritesFilesThatLoadBackIntoTheSummarisedResults) {
    TempDir dir;
    const BatchRun r = RunBatch("--out '" + dir.Path() + "'");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"VELOX_2013.edat", "VELOX_2013.gydat"}));

    Results loaded;
    double clock = 0;
    const ResultsLoadResult load = LoadResultsFile(loaded, clock, dir / "VELOX_2013.edat");
    ASSERT_EQ(load.Status, FileStatus::Ok) << load.Error;
    EXPECT_EQ(static_cast<std::size_t>(loaded.ArrivedCount), loaded.EnergyValues.size());
    EXPECT_GE(loaded.LaunchedCount, loaded.ArrivedCount);
    EXPECT_TRUE(TimedRunEnded(clock));

    // The summary tells what the files hold.
    const Statistics e = ComputeStatistics(loaded.EnergySums, loaded.ArrivedCount);
    const Statistics t = ComputeStatistics(loaded.TimeSums, loaded.ArrivedCount);
    EXPECT_EQ(SummaryItem(r.Out, "Lépések: "), "6001");
    EXPECT_EQ(SummaryItem(r.Out, "Indított részecskék: "), FormatInteger(loaded.LaunchedCount));
    EXPECT_EQ(SummaryItem(r.Out, "Beérkezett részecskék: "), FormatInteger(loaded.ArrivedCount));
    EXPECT_EQ(SummaryItem(r.Out, "Energia: átlag " + FormatFixed(e.Mean, 0, 3) + ", szórás "), FormatFixed(e.Deviation, 0, 3));
    EXPECT_EQ(SummaryItem(r.Out, "Idő: átlag "), FormatFixed(t.Mean, 0, 3));

    // The start-up settings, with the count axes an automatic redraw of the
    // final histograms gives.
    EXPECT_EQ(std::tuple(loaded.EnergySpectrum.XMax, loaded.TimeSpectrum.ChannelWidth), std::tuple(220, 0.05));
    for (const Spectrum* s : {&loaded.EnergySpectrum, &loaded.TimeSpectrum}) {
        ASSERT_TRUE(s->Auto);
        Spectrum redrawn = *s;
        const SpectrumGeometry g = DrawSpectrumGeometry(redrawn, loaded.SumsOf(*s), loaded.ArrivedCount,
                                                        {[](std::string_view) { return 0; }, 0}, PlotBitmapWidth);
        EXPECT_EQ(s->YMax, redrawn.YMax);
        EXPECT_GT(g.MaxCount, 0);
    }
}

TEST(VeloxBatch, TwoRunsGiveIdenticalFiles) {
    TempDir a, b;
    ASSERT_EQ(RunBatch("--speed 4 --out '" + a.Path() + "'").Code, 0);
    ASSERT_EQ(RunBatch("--out='" + b.Path() + "' --speed=4").Code, 0);
    for (const char* name : {"VELOX_2013.gydat", "VELOX_2013.edat"}) {
        EXPECT_FALSE(ReadBytes(a / name).empty());
        EXPECT_EQ(ReadBytes(a / name), ReadBytes(b / name)) << name;
    }
}

TEST(VeloxBatch, SetupFileIsAppliedOnTopOfTheStartUp) {
    TempDir dir;
    testing::WriteBytes(dir / "in.gydat",
                        "Cavity num =3\nCavity =\t16\t40\t16\t50\nCavity =\t16\t60\t16\t70\nCavity =\t16\t80\t16\t90\n"
                        "Target =560\nAmpli =70\nSingle particle\nStartfazis =-30\nStopfazis =40\n");
    const BatchRun r = RunBatch("--setup '" + (dir / "in.gydat") + "' --speed 2 --out '" + dir.Path() + "/out'");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(ReadBytes(dir / "out/VELOX_2013.gydat"),
              "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\t70\r\nCavity =\t16\t80\t16\t90\r\n"
              "Target =560\r\nFreq =50\r\nAmpli =70\r\nSingle particle\r\nStartfazis =-30\r\nStopfazis =40\r\n");
    Results loaded;
    double clock = 0;
    ASSERT_EQ(LoadResultsFile(loaded, clock, dir / "out/VELOX_2013.edat").Status, FileStatus::Ok);
    EXPECT_EQ(SummaryItem(r.Out, "Beérkezett részecskék: "), FormatInteger(loaded.ArrivedCount));

    // A count that does not match is reported, and the run goes on; at
    // speed 1 it ends on tick 667.
    testing::WriteBytes(dir / "short.gydat", "Cavity num =3\nCavity =\t16\t50\t16\t60\n");
    const BatchRun w = RunBatch("--setup '" + (dir / "short.gydat") + "' --speed 1 --out '" + dir.Path() + "/w'");
    EXPECT_EQ(w.Code, 0);
    EXPECT_NE(w.Err.find("Not all cavities could be read correctly"), std::string::npos) << w.Err;
    EXPECT_EQ(SummaryItem(w.Out, "Lépések: "), "667");
}

TEST(VeloxBatch, HelpAndFailures) {
    const BatchRun help = RunBatch("--help");
    EXPECT_EQ(help.Code, 0);
    EXPECT_NE(help.Out.find("Használat: velox-batch [--setup FÁJL.gydat] [--speed 1..5] [--out MAPPA]"), std::string::npos);

    TempDir dir;
    for (const char* args : {"--speed 6", "--speed x", "--speed", "--bogus", "extra", "--setup", "--setup --speed 1", "--help=1"}) {
        const BatchRun r = RunBatch(std::string(args) + " --out '" + dir.Path() + "'");
        EXPECT_EQ(r.Code, 2) << args;
        EXPECT_NE(r.Err.find("velox-batch: "), std::string::npos) << args;
        EXPECT_NE(r.Err.find("--help"), std::string::npos) << args;
    }
    ASSERT_EQ(::mkfifo((dir / "x.gydat").c_str(), 0644), 0);
    testing::WriteBytes(dir / "empty.gydat", "");
    testing::WriteBytes(dir / "file", "x");
    for (const std::string& args : {"--setup '" + (dir / "missing.gydat") + "' --out '" + dir.Path() + "'",
                                   "--setup '" + (dir / "x.gydat") + "' --out '" + dir.Path() + "'",
                                   "--setup '" + (dir / "empty.gydat") + "' --out '" + dir.Path() + "'",
                                   "--speed 1 --out '" + (dir / "file") + "'"}) {
        const BatchRun r = RunBatch(args);
        EXPECT_EQ(r.Code, 1) << args;
        EXPECT_FALSE(r.Err.empty()) << args;
    }
    // Nothing was written by the failed runs.
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"empty.gydat", "file", "x.gydat"}));

    // Beyond the file size limit the results file fails like any file
    // error, instead of SIGXFSZ ending the program; its temporary is gone.
    TempDir out;
    const BatchRun r = RunBatch("--out '" + out.Path() + "'", "ulimit -f 2; ");
    EXPECT_EQ(r.Code, 1) << r.Err;
    EXPECT_NE(r.Err.find(out / "VELOX_2013.edat"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find(std::strerror(EFBIG)), std::string::npos) << r.Err;
    EXPECT_EQ(out.Entries(), std::vector<std::string>{"VELOX_2013.gydat"});
}

TEST(VeloxBatchSummary, OneRowPerResultsFileSortedWithTheSetupBesideAndDamagedFilesNamed) {
    TempDir dir;
    for (const char* folder : {"class", "class/kiss, \"anna\"", "class/nagy", "class/toth"})
        std::filesystem::create_directory(dir / folder);
    // Three arrivals of 8 launched, energies 10, 40, 90 and times 1, 2, 3,
    // after a full timed run; the frequency spinner at 60, the voltage at 40.
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
    // The closing records cut short after the second separator.
    std::string damaged = FormatResults(Results(), RunClockRestart);
    testing::WriteBytes(dir / "class/toth/VELOX_2013.edat", damaged.substr(0, damaged.size() - 40));

    const BatchRun run = RunBatch("summary '" + (dir / "class") + "' --csv '" + (dir / "class.csv") + "'");
    EXPECT_EQ(run.Code, 1) << run.Err;
    const Rows csv = ParseCsv(ReadBytes(dir / "class.csv"));
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"Fájl", "Indított", "Beérkezett", "Arány (%)", "E átlag", "E szórás",
                                                "t átlag", "t szórás", "Futási idő", "Üregek", "Frekvencia",
                                                "Gyorsítófesz", "Hiba"}));
    EXPECT_EQ(csv[1], (std::vector<std::string>{"kiss, \"anna\"/VELOX_2013.edat", "8", "3", "37.5", "46.667", "32.998",
                                                "2.000", "0.816", "00:01:00", "2", "1.1", "45", ""}));
    EXPECT_EQ(csv[2], (std::vector<std::string>{"nagy/VELOX_2013.edat", "0", "0", "", "0.000", "0.000", "0.000", "0.000",
                                                "00:00:00", "", "", "", ""}));
    ASSERT_EQ(csv[3].size(), 13u);
    EXPECT_EQ(csv[3][0], "toth/VELOX_2013.edat");
    EXPECT_EQ(csv[3][1], "");
    EXPECT_NE(csv[3][12].find("sérült"), std::string::npos) << csv[3][12];
    // The terminal shows the same rows in the same order.
    EXPECT_LT(run.Out.find("kiss"), run.Out.find("nagy/"));
    EXPECT_LT(run.Out.find("nagy/"), run.Out.find("toth/"));
    EXPECT_NE(run.Out.find(csv[3][12]), std::string::npos);
}

TEST(VeloxBatchSweep, RowsAreThoseOfSingleRunsOfTheModifiedSetupInGridOrder) {
    TempDir dir;
    const std::string base = "Cavity num =3\nCavity =\t16\t40\t16\t50\nCavity =\t16\t60\t16\t70\nCavity =\t16\t80\t16\t90\n"
                             "Target =560\nFreq =50\nAmpli =70\nMultiparticles\nStartfazis =0\nStopfazis =60\n";
    testing::WriteBytes(dir / "base.gydat", base);
    const BatchRun sweep = RunBatch("sweep --setup '" + (dir / "base.gydat") + "' --speed 1 --vary Freq=40:60:20 " +
                                    "--vary=Startfazis=-30:60:45 --csv '" + (dir / "sweep.csv") + "'");
    ASSERT_EQ(sweep.Code, 0) << sweep.Err;
    const Rows csv = ParseCsv(ReadBytes(dir / "sweep.csv"));
    ASSERT_EQ(csv.size(), 7u);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"Freq", "Startfazis", "Frekvencia", "Gyorsítófesz", "Indított", "Beérkezett",
                                                "E átlag", "E szórás", "t átlag", "t szórás", "Megjegyzés"}));
    const std::vector<std::pair<std::string, std::string>> grid{{"40", "-30"}, {"40", "15"}, {"40", "60"},
                                                                {"60", "-30"}, {"60", "15"}, {"60", "60"}};
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const std::vector<std::string>& row = csv[i + 1];
        ASSERT_EQ(row.size(), 11u);
        EXPECT_EQ(std::pair(row[0], row[1]), grid[i]);
        EXPECT_EQ(std::pair(row[2], row[3]), std::pair(std::string(grid[i].first == "40" ? "0.9" : "1.1"), std::string("60")));
        // A start phase of 60 does not lie below the stop phase 60.
        EXPECT_EQ(row[4].empty(), grid[i].second == "60") << i;
        EXPECT_EQ(row[10].empty(), grid[i].second != "60") << i;
    }
    for (std::size_t i : {0u, 4u}) {
        std::string modified = base;
        modified.replace(modified.find("Freq =50"), 8, "Freq =" + grid[i].first);
        modified.replace(modified.find("Startfazis =0"), 13, "Startfazis =" + grid[i].second);
        testing::WriteBytes(dir / "point.gydat", modified);
        const BatchRun single = RunBatch("--setup '" + (dir / "point.gydat") + "' --speed 1 --out '" + (dir / "out") + "'");
        ASSERT_EQ(single.Code, 0) << single.Err;
        const std::vector<std::string>& row = csv[i + 1];
        EXPECT_EQ(SummaryItem(single.Out, "Indított részecskék: "), row[4]);
        EXPECT_EQ(SummaryItem(single.Out, "Beérkezett részecskék: "), row[5]);
        EXPECT_EQ(SummaryItem(single.Out, "Energia: átlag " + row[6] + ", szórás "), row[7]);
        EXPECT_EQ(SummaryItem(single.Out, "Idő: átlag " + row[8] + ", szórás "), row[9]);
    }
}

TEST(VeloxBatchSweep, BadGridsAreRefusedBeforeAnyRun) {
    TempDir dir;
    for (const char* vary : {"", "--vary Freq=5:1:1", "--vary Freq=1:5:0", "--vary Freq=1.5:3:1", "--vary Freq=0:101:1",
                             "--vary Stopfazis=-1:10:1", "--vary Target=-1:5:1", "--vary Frek=1:2:1", "--vary Freq=1:2",
                             "--vary Freq=1:2:1 --vary Freq=3:4:1",
                             "--vary Freq=0:100:1 --vary Ampli=0:100:1 --vary Startfazis=0:9:1"}) {
        // Refused before the set-up file is even looked for.
        const BatchRun r = RunBatch("sweep " + std::string(vary) + " --setup '" + (dir / "missing.gydat") + "' --csv '" +
                                    (dir / "out.csv") + "'");
        EXPECT_EQ(r.Code, 2) << vary;
        EXPECT_EQ(r.Out, "") << vary;
        EXPECT_TRUE(r.Err.starts_with("velox-batch: ")) << vary;
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{});
}

}  // namespace
}  // namespace velox
