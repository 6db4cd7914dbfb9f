// velox-batch run as a program: its files, its summary, its errors.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "../common/TestFiles.h"
#include "core/model/RunControl.h"
#include "editor/model/NumberText.h"
#include "files/model/ResultsFile.h"
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
        const SpectrumGeometry g = DrawSpectrumGeometry(redrawn, loaded.ArrivedCount, {[](std::string_view) { return 0; }, 0}, PlotBitmapWidth);
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

}  // namespace
}  // namespace velox
