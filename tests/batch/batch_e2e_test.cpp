// velox-batch run as a program: its files, its summary, its errors.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>

#include "../common/TestFiles.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "results/model/PlotGeometry.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

using testing::ReadBytes;
using testing::TempDir;

struct BatchRun {
    int Code = -1;
    std::string Out;
    std::string Err;
};

BatchRun RunBatch(const std::string& args) {
    TempDir io;
    const std::string cmd =
        std::string("'") + VELOX_BATCH_PROGRAM + "' " + args + " >'" + (io / "out") + "' 2>'" + (io / "err") + "'";
    const int status = std::system(cmd.c_str());
    BatchRun r;
    r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.Out = ReadBytes(io / "out");
    r.Err = ReadBytes(io / "err");
    return r;
}

// The number after `label` in the summary.
std::string SummaryItem(const std::string& out, const std::string& label) {
    const auto at = out.find(label);
    if (at == std::string::npos) return "";
    const auto end = out.find_first_of(",\n", at + label.size());
    return out.substr(at + label.size(), end - at - label.size());
}

TEST(VeloxBatch, DefaultRunWritesFilesThatLoadBackIntoTheSummarisedResults) {
    TempDir dir;
    const BatchRun r = RunBatch("--out '" + dir.Path() + "'");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"VELOX_2013.edat", "VELOX_2013.gydat"}));

    VeloxData defaults;
    defaults.ApplyStartupDefaults();
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"), FormatSetup(defaults));

    Results loaded;
    double clock = 0;
    const ResultsLoadResult load = LoadResultsFile(loaded, clock, dir / "VELOX_2013.edat");
    ASSERT_EQ(load.Status, FileStatus::Ok) << load.Error;
    EXPECT_GT(loaded.ArrivedCount, 0);
    EXPECT_EQ(static_cast<std::size_t>(loaded.ArrivedCount), loaded.EnergyValues.size());
    EXPECT_EQ(static_cast<std::size_t>(loaded.ArrivedCount), loaded.TimeValues.size());
    EXPECT_GE(loaded.LaunchedCount, loaded.ArrivedCount);

    EXPECT_EQ(SummaryItem(r.Out, "Lépések: "), "6001");
    EXPECT_EQ(SummaryItem(r.Out, "Indított részecskék: "), FormatInteger(loaded.LaunchedCount));
    EXPECT_EQ(SummaryItem(r.Out, "Beérkezett részecskék: "), FormatInteger(loaded.ArrivedCount));
    const Statistics e = ComputeStatistics(loaded.EnergySums, loaded.ArrivedCount);
    const Statistics t = ComputeStatistics(loaded.TimeSums, loaded.ArrivedCount);
    EXPECT_EQ(SummaryItem(r.Out, "Energia: átlag "), FormatFixed(e.Mean, 0, 3));
    EXPECT_EQ(SummaryItem(r.Out, "Energia: átlag " + FormatFixed(e.Mean, 0, 3) + ", szórás "), FormatFixed(e.Deviation, 0, 3));
    EXPECT_EQ(SummaryItem(r.Out, "Idő: átlag "), FormatFixed(t.Mean, 0, 3));
    EXPECT_GT(e.Mean, 0);

    // The run ended on the first tick of the second minute.
    EXPECT_TRUE(TimedRunEnded(clock));
    EXPECT_GE(TimeOfDayMs(clock), 60000);
    EXPECT_LT(TimeOfDayMs(clock), 60010);

    // Settings as after start-up, with the automatic count axes of the
    // final histograms.
    EXPECT_EQ(loaded.EnergySpectrum.XMax, 220);
    EXPECT_EQ(loaded.TimeSpectrum.ChannelWidth, 0.05);
    EXPECT_TRUE(loaded.EnergySpectrum.Auto);
    EXPECT_TRUE(loaded.TimeSpectrum.Auto);
    for (const Spectrum* s : {&loaded.EnergySpectrum, &loaded.TimeSpectrum}) {
        Spectrum redrawn = *s;
        const SpectrumGeometry g = DrawSpectrumGeometry(redrawn, loaded.ArrivedCount, {[](std::string_view) { return 0; }, 0}, PlotBitmapWidth);
        EXPECT_EQ(s->YMax, redrawn.YMax);
        EXPECT_GE(s->YMax, g.MaxCount);
        EXPECT_GT(g.MaxCount, 0);
    }

    // A save of what was loaded gives the same bytes.
    EXPECT_EQ(FormatResults(loaded, clock), ReadBytes(dir / "VELOX_2013.edat"));
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

TEST(VeloxBatch, SpeedSetsTheTickOnWhichTheRunEnds) {
    for (auto [speed, ticks] : {std::pair{"3", "1200"}, {"1", "667"}}) {
        TempDir dir;
        const BatchRun r = RunBatch(std::string("--speed ") + speed + " --out '" + dir.Path() + "'");
        ASSERT_EQ(r.Code, 0) << r.Err;
        EXPECT_EQ(SummaryItem(r.Out, "Lépések: "), ticks) << speed;
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

    // A count that does not match is reported, and the run goes on.
    testing::WriteBytes(dir / "short.gydat", "Cavity num =3\nCavity =\t16\t50\t16\t60\n");
    const BatchRun w = RunBatch("--setup '" + (dir / "short.gydat") + "' --speed 1 --out '" + dir.Path() + "/w'");
    EXPECT_EQ(w.Code, 0);
    EXPECT_NE(w.Err.find("Not all cavities could be read correctly"), std::string::npos) << w.Err;
}

TEST(VeloxBatch, BadArgumentsAndUnreadableFilesFailClearly) {
    TempDir dir;
    for (const char* args : {"--speed 6", "--speed x", "--speed", "--bogus", "extra", "--setup", "--setup --speed 1", "--help=1"}) {
        const BatchRun r = RunBatch(std::string(args) + " --out '" + dir.Path() + "'");
        EXPECT_EQ(r.Code, 2) << args;
        EXPECT_NE(r.Err.find("velox-batch: "), std::string::npos) << args;
        EXPECT_NE(r.Err.find("--help"), std::string::npos) << args;
    }
    std::filesystem::create_directory(dir / "folder.gydat");
    testing::WriteBytes(dir / "empty.gydat", "");
    for (const char* setup : {"missing.gydat", "folder.gydat", "empty.gydat"}) {
        const BatchRun r = RunBatch("--setup '" + (dir / setup) + "' --out '" + dir.Path() + "'");
        EXPECT_EQ(r.Code, 1) << setup;
        EXPECT_FALSE(r.Err.empty()) << setup;
    }
    testing::WriteBytes(dir / "file", "x");
    const BatchRun r = RunBatch("--speed 1 --out '" + (dir / "file") + "'");
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("file"), std::string::npos);
    // Nothing was written by the failed runs.
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"empty.gydat", "file", "folder.gydat"}));
}

TEST(VeloxBatch, HelpInHungarian) {
    const BatchRun r = RunBatch("--help");
    EXPECT_EQ(r.Code, 0);
    EXPECT_NE(r.Out.find("Használat: velox-batch [--setup FÁJL.gydat] [--speed 1..5] [--out MAPPA]"), std::string::npos);
    EXPECT_NE(r.Out.find("VELOX_2013.edat"), std::string::npos);
}

}  // namespace
}  // namespace velox
