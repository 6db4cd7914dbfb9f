#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <cstring>
#include <string>

#include "../common/TestFiles.h"
#include "core/model/VeloxData.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

using testing::TempDir;

const std::string DefaultFile =
    "Cavity num =2\r\n"
    "Cavity =\t16\t50\t16\t60\r\n"
    "Cavity =\t16\t95\t20\t80\r\n"
    "Target =400\r\n"
    "Freq =50\r\n"
    "Ampli =50\r\n"
    "Multiparticles\r\n"
    "Startfazis =0\r\n"
    "Stopfazis =60\r\n";

struct Started {
    VeloxData Data;
    Started() { Data.ApplyStartupDefaults(); }
};

void ExpectSameCavities(const VeloxData& a, const VeloxData& b) {
    ASSERT_EQ(a.Cavities.CavityCount(), b.Cavities.CavityCount());
    for (std::size_t k = 0; k < static_cast<std::size_t>(a.Cavities.CavityCount()); ++k) {
        EXPECT_EQ(a.Cavities[k].AccGap, b.Cavities[k].AccGap) << k;
        EXPECT_EQ(a.Cavities[k].AccWidth, b.Cavities[k].AccWidth) << k;
        EXPECT_EQ(a.Cavities[k].GroundGap, b.Cavities[k].GroundGap) << k;
        EXPECT_EQ(a.Cavities[k].GroundWidth, b.Cavities[k].GroundWidth) << k;
    }
}

TEST(SetupWriter, DefaultSetUpGivesTheNineExampleLines) {
    Started s;
    EXPECT_EQ(FormatSetup(s.Data), DefaultFile);
}

TEST(SetupWriter, NoCavitiesPutsTheTargetOnTheSecondLine) {
    Started s;
    s.Data.Cavities.SetCavityCount(0);
    s.Data.MultiParticle = false;
    s.Data.StartPhase = 45.7;
    s.Data.StopPhase = 359.9;
    EXPECT_EQ(FormatSetup(s.Data),
              "Cavity num =0\r\nTarget =400\r\nFreq =50\r\nAmpli =50\r\nSingle particle\r\n"
              "Startfazis =45\r\nStopfazis =359\r\n");
}

TEST(SetupWriter, CavityValuesNeverUseExponents) {
    Started s;
    s.Data.Cavities.SetCavityCount(1);
    s.Data.Cavities[0] = {0.000001, 1.5e20, 12.5, 0.25};
    const std::string text = FormatSetup(s.Data);
    EXPECT_NE(text.find("Cavity =\t0.000001\t150000000000000000000\t12.5\t0.25\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find('E'), std::string::npos);

    // The reader takes them back unchanged.
    Started back;
    ApplySetup(back.Data, ParseSetup(text));
    ExpectSameCavities(back.Data, s.Data);
}

TEST(SetupWriter, ValuesAtTheEndsOfTheDoubleRangeReadBack) {
    Started s;
    s.Data.Cavities.SetCavityCount(1);
    s.Data.Cavities[0] = {DBL_MAX, DBL_MIN, 4.9406564584124654e-324, 1e15};
    const std::string text = FormatSetup(s.Data);
    const SetupData read = ParseSetup(text);
    ASSERT_EQ(read.Cavities.size(), 1u) << text;
    EXPECT_EQ(read.Cavities[0].AccGap, DBL_MAX);
    EXPECT_GT(read.Cavities[0].AccWidth, 0.0);
    EXPECT_GT(read.Cavities[0].GroundGap, 0.0);
    EXPECT_EQ(read.Cavities[0].GroundWidth, 1e15);
}

TEST(SetupWriter, NegativeStartPhaseSurvivesSaveAndLoad) {
    TempDir dir;
    Started s;
    s.Data.StartPhase = -30;
    s.Data.StopPhase = 30;
    ASSERT_TRUE(WriteSetupFile(dir / "a.gydat", s.Data).Ok);
    EXPECT_NE(testing::ReadBytes(dir / "a.gydat").find("Startfazis =-30\r\n"), std::string::npos);

    Started back;
    const SetupLoadResult r = LoadAcceleratorData(back.Data, dir / "a.gydat");
    EXPECT_EQ(r.Status, FileStatus::Ok);
    EXPECT_FALSE(r.ShowCountWarning);
    EXPECT_EQ(back.Data.StartPhase, -30);
    EXPECT_EQ(back.Data.StopPhase, 30);
}

TEST(SetupRoundTrip, EveryItemComesBack) {
    TempDir dir;
    Started s;
    s.Data.Cavities.SetCavityCount(0);
    s.Data.Cavities.Append({4, 12.5, 0.25, 100});
    s.Data.Cavities.Append({16, 95, 20, 80});
    s.Data.Cavities.Append({1234567.875, 7, 0, 3});
    s.Data.SetTargetLeft(351);
    s.Data.SetFrequencyPosition(73);
    s.Data.SetVoltagePosition(12);
    s.Data.MultiParticle = false;
    s.Data.StartPhase = -360;
    s.Data.StopPhase = 360;
    s.Data.BuildCavities();
    ASSERT_TRUE(WriteSetupFile(dir / "x.gydat", s.Data).Ok);

    Started back;
    ASSERT_EQ(LoadAcceleratorData(back.Data, dir / "x.gydat").Status, FileStatus::Ok);
    ExpectSameCavities(back.Data, s.Data);
    EXPECT_EQ(back.Data.TargetLeft, 351);
    EXPECT_EQ(back.Data.TargetX, s.Data.TargetX);
    EXPECT_EQ(back.Data.FrequencyPosition, 73);
    EXPECT_EQ(back.Data.Frequency, s.Data.Frequency);
    EXPECT_EQ(back.Data.VoltagePosition, 12);
    EXPECT_EQ(back.Data.Amplitude, s.Data.Amplitude);
    EXPECT_FALSE(back.Data.MultiParticle);
    EXPECT_EQ(back.Data.StartPhase, -360);
    EXPECT_EQ(back.Data.StopPhase, 360);
    // The field table is rebuilt from the loaded cavities.
    EXPECT_EQ(back.Data.CavityList.size(), 3u);
    EXPECT_EQ(back.Data.FieldTable[1].Boundary, 14.0);
    EXPECT_EQ(FormatSetup(back.Data), FormatSetup(s.Data));
}

TEST(ReadLineNumbers, RunsOfDigitsAndPoints) {
    using V = std::vector<double>;
    EXPECT_EQ(ReadLineNumbers("Cavity =\t16\t50\t16\t60", 4), (V{16, 50, 16, 60}));
    EXPECT_EQ(ReadLineNumbers("a 5. b .5 c . d 1.2.3", 4), (V{5, 0.5, 0, -1}));
    EXPECT_EQ(ReadLineNumbers("x -5 +7", 2), (V{5, 7}));
    EXPECT_EQ(ReadLineNumbers("1E-6", 4), (V{1, 6, -1, -1}));
    EXPECT_EQ(ReadLineNumbers("Target =", 2), (V{-1, -1}));
    EXPECT_EQ(ReadLineNumbers("1 2 3 4 5 6", 2), (V{1, 2}));
    EXPECT_EQ(ReadLineNumbers("007", 1), (V{7}));
    // Far too large is malformed; far too small is 0.
    EXPECT_EQ(ReadLineNumbers(std::string(400, '9'), 1), (V{-1}));
    EXPECT_EQ(ReadLineNumbers("0." + std::string(400, '0') + "1", 1), (V{0}));
}

TEST(SetupReader, EmptyFileLoadsNoCavitiesAndChangesNothingElse) {
    TempDir dir;
    testing::WriteBytes(dir / "e.gydat", "");
    Started s;
    s.Data.SetTargetLeft(333);
    s.Data.SetFrequencyPosition(60);
    s.Data.MultiParticle = false;
    const SetupLoadResult r = LoadAcceleratorData(s.Data, dir / "e.gydat");
    EXPECT_EQ(r.Status, FileStatus::Ok);
    EXPECT_FALSE(r.ShowCountWarning);
    EXPECT_EQ(s.Data.Cavities.CavityCount(), 0);
    EXPECT_TRUE(s.Data.CavityList.empty());
    EXPECT_EQ(s.Data.TargetLeft, 333);
    EXPECT_EQ(s.Data.FrequencyPosition, 60);
    EXPECT_FALSE(s.Data.MultiParticle);
    EXPECT_EQ(s.Data.StartPhase, 0);
    EXPECT_EQ(s.Data.StopPhase, 60);
}

TEST(SetupReader, CountWarning) {
    // Three announced, two readable.
    SetupData d = ParseSetup("Cavity num =3\r\nCavity =\t1\t2\t3\t4\r\nCavity =\t5\t6\t7\t8\r\n");
    EXPECT_EQ(d.Cavities.size(), 2u);
    EXPECT_EQ(d.ExpectedCount, 3);
    EXPECT_TRUE(d.ShowCountWarning());

    // No count line: 0 is expected, the cavities stay.
    d = ParseSetup("Cavity =\t1\t2\t3\t4\r\n");
    EXPECT_EQ(d.Cavities.size(), 1u);
    EXPECT_TRUE(d.ShowCountWarning());

    // A line with three numbers adds nothing.
    d = ParseSetup("Cavity num =2\r\nCavity =\t1\t2\t3\r\nCavity =\t1\t2\t3\t4\r\nCavity =\t1\t2.2.2\t3\t4\r\n");
    ASSERT_EQ(d.Cavities.size(), 1u);
    EXPECT_EQ(d.Cavities[0].GroundWidth, 4);
    EXPECT_TRUE(d.ShowCountWarning());

    // The count line itself never adds a cavity.
    d = ParseSetup("Cavity num =1 2 3 4\r\n");
    EXPECT_TRUE(d.Cavities.empty());
    EXPECT_EQ(d.ExpectedCount, 1);
}

TEST(SetupReader, CavityLinesBeyondTheTableAreIgnored) {
    std::string text;
    for (int i = 0; i < 25; ++i) text += "Cavity =\t" + std::to_string(i + 1) + "\t5\t6\t7\r\n";
    SetupData d = ParseSetup("Cavity num =25\r\n" + text);
    ASSERT_EQ(d.Cavities.size(), 21u);
    EXPECT_EQ(d.Cavities[20].AccGap, 21);
    EXPECT_EQ(d.IgnoredCavityLines, 4);
    EXPECT_TRUE(d.ShowCountWarning());

    d = ParseSetup("Cavity num =21\r\n" + text);
    EXPECT_FALSE(d.ShowCountWarning());
    Started s;
    ApplySetup(s.Data, d);
    EXPECT_EQ(s.Data.Cavities.CavityCount(), 21);
    EXPECT_EQ(s.Data.CavityList.size(), 21u);
}

TEST(SetupReader, PhaseLimits) {
    EXPECT_FALSE(ParseSetup("Startfazis =360\n").StartPhase);
    EXPECT_EQ(ParseSetup("Startfazis =359.5\n").StartPhase, 359.5);
    EXPECT_EQ(ParseSetup("Startfazis =0\n").StartPhase, 0.0);
    EXPECT_EQ(ParseSetup("Stopfazis =360\n").StopPhase, 360.0);
    EXPECT_FALSE(ParseSetup("Stopfazis =0\n").StopPhase);
    EXPECT_FALSE(ParseSetup("Stopfazis =360.5\n").StopPhase);
    EXPECT_FALSE(ParseSetup("Stopfazis =\n").StopPhase);
    // A "-" right before the start phase makes it negative, down to -360.
    EXPECT_EQ(ParseSetup("Startfazis =-360\n").StartPhase, -360.0);
    EXPECT_EQ(ParseSetup("Startfazis =-45.5\n").StartPhase, -45.5);
    EXPECT_FALSE(ParseSetup("Startfazis =-360.5\n").StartPhase);
    EXPECT_FALSE(ParseSetup("Startfazis =-1.2.3\n").StartPhase);
    EXPECT_EQ(ParseSetup("Startfazis =- 30\n").StartPhase, 30.0);
    EXPECT_FALSE(ParseSetup("Startfazis =-\n").StartPhase);
    // Every other key keeps the sign out of the number.
    EXPECT_EQ(ParseSetup("Stopfazis =-30\n").StopPhase, 30.0);
    EXPECT_EQ(ParseSetup("Target =-20\n").TargetLeft, 20);
}

TEST(SetupReader, StartPhaseIsWrittenTruncatedAndReadBackWhole) {
    Started s;
    s.Data.StartPhase = 45.7;
    const std::string text = FormatSetup(s.Data);
    EXPECT_NE(text.find("Startfazis =45\r\n"), std::string::npos);
    EXPECT_EQ(ParseSetup(text).StartPhase, 45.0);
    // The reader itself keeps a fraction.
    EXPECT_EQ(ParseSetup("Startfazis =45.7").StartPhase, 45.7);
}

TEST(SetupReader, TargetIgnoresTheSign) {
    Started s;
    ApplySetup(s.Data, ParseSetup("Target =-20\r\n"));
    EXPECT_EQ(s.Data.TargetLeft, 20);
    EXPECT_EQ(s.Data.TargetMarker.Left, 20);
    EXPECT_EQ(s.Data.TargetX, 20 - s.Data.View.ImageLeft);
}

TEST(SetupReader, SpinnerLinesReapplyEvenWithoutANumber) {
    Started s;
    s.Data.FrequencyPosition = 70;  // the spinner moved, the value not yet applied
    s.Data.Frequency = 9.0;
    s.Data.Amplitude = 9.0;
    const SetupData d = ParseSetup("Freq =\r\nAmpli =abc\r\n");
    EXPECT_TRUE(d.FrequencyLine);
    EXPECT_FALSE(d.FrequencyPosition);
    ApplySetup(s.Data, d);
    EXPECT_EQ(s.Data.FrequencyPosition, 70);
    EXPECT_EQ(s.Data.Frequency, VeloxData::FrequencyOf(70));
    EXPECT_EQ(s.Data.Amplitude, VeloxData::AmplitudeOf(50));

    // Without such a line nothing is recomputed.
    s.Data.Frequency = 9.0;
    ApplySetup(s.Data, ParseSetup("Target =400\r\n"));
    EXPECT_EQ(s.Data.Frequency, 9.0);

    // Later lines win; a later line without a number keeps the position;
    // positions are held within the spinner's range.
    ApplySetup(s.Data, ParseSetup("Freq =10\r\nFreq =20\r\nFreq =\r\nAmpli =150\r\n"));
    EXPECT_EQ(s.Data.FrequencyPosition, 20);
    EXPECT_EQ(s.Data.VoltagePosition, 100);
    EXPECT_EQ(s.Data.Amplitude, 75.0);
}

TEST(SetupReader, LineEndsKeysAndOrder) {
    // Lone CR, lone LF, CR LF, and a last line without an end.
    const SetupData d = ParseSetup(
        "Cavity num =2\rCavity =\t1\t2\t3\t4\nTarget =300\r\n\r\nCavity =\t5\t6\t7\t8\n\rSingle particle\r"
        "Target =310\nMultiparticles\r\nStopfazis =90");
    ASSERT_EQ(d.Cavities.size(), 2u);
    EXPECT_EQ(d.Cavities[1].AccGap, 5);
    EXPECT_EQ(d.TargetLeft, 310);
    EXPECT_EQ(d.MultiParticle, true);
    EXPECT_EQ(d.StopPhase, 90.0);
    EXPECT_FALSE(d.ShowCountWarning());

    // Keys anywhere in a line, every key a line holds, numbers from the
    // line's start; keys are case-sensitive.
    const SetupData m = ParseSetup("xx Target =12 Freq =99\r\ntarget =5\r\nMultiparticles Single particle\r\n");
    EXPECT_EQ(m.TargetLeft, 12);
    EXPECT_EQ(m.FrequencyPosition, 12);
    EXPECT_EQ(m.MultiParticle, false);
}

TEST(SetupReader, MissingFileKeepsEverythingAndExpectsTwoCavities) {
    TempDir dir;
    Started s;
    const std::string before = FormatSetup(s.Data);
    SetupLoadResult r = LoadAcceleratorData(s.Data, dir / "teszt02.gydat");
    EXPECT_EQ(r.Status, FileStatus::Missing);
    EXPECT_FALSE(r.ShowCountWarning);
    EXPECT_EQ(FormatSetup(s.Data), before);

    s.Data.Cavities.Remove(1);
    r = LoadAcceleratorData(s.Data, dir / "teszt02.gydat");
    EXPECT_TRUE(r.ShowCountWarning);
    EXPECT_EQ(s.Data.CavityList.size(), 1u);
}

TEST(SetupReader, UnreadableFileChangesNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.gydat");
    Started s;
    s.Data.StartPhase = 10;
    const std::string before = FormatSetup(s.Data);
    const SetupLoadResult r = LoadAcceleratorData(s.Data, dir / "folder.gydat");
    EXPECT_EQ(r.Status, FileStatus::Failed);
    EXPECT_NE(r.Error.find("folder.gydat"), std::string::npos);
    EXPECT_NE(r.Error.find(std::strerror(EISDIR)), std::string::npos) << r.Error;
    EXPECT_EQ(FormatSetup(s.Data), before);
    EXPECT_EQ(s.Data.CavityList.size(), 2u);
}

}  // namespace
}  // namespace velox
