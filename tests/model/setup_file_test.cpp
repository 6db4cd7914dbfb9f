#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cfloat>
#include <cstring>
#include <optional>
#include <string>

#include "../common/TestFiles.h"
#include "core/model/VeloxData.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

using testing::TempDir;
constexpr auto npos = std::string::npos;

struct Started {
    VeloxData Data;
    Started() { Data.ApplyStartupDefaults(); }
};

TEST(SetupWriter, ExampleFileAndNoCavities) {
    Started s;
    EXPECT_EQ(FormatSetup(s.Data),
              "Cavity num =2\r\nCavity =\t16\t50\t16\t60\r\nCavity =\t16\t95\t20\t80\r\n"
              "Target =400\r\nFreq =50\r\nAmpli =50\r\nMultiparticles\r\nStartfazis =0\r\nStopfazis =60\r\n");

    // Without cavities the target comes second; phases are written whole.
    s.Data.Cavities.SetCavityCount(0);
    s.Data.MultiParticle = false;
    s.Data.StartPhase = 45.7;
    s.Data.StopPhase = 359.9;
    const std::string text = FormatSetup(s.Data);
    EXPECT_EQ(text, "Cavity num =0\r\nTarget =400\r\nFreq =50\r\nAmpli =50\r\nSingle particle\r\n"
                    "Startfazis =45\r\nStopfazis =359\r\n");
    EXPECT_EQ(ParseSetup(text).StartPhase, 45.0);
}

TEST(SetupWriter, CavityValuesInPlainDecimalsReadBackUnchanged) {
    Started s;
    s.Data.Cavities[0] = {0.000001, 1.5e20, 12.5, 0.25};
    s.Data.Cavities[1] = {DBL_MAX, DBL_MIN, 4.9406564584124654e-324, 1e15};
    const std::string text = FormatSetup(s.Data);
    EXPECT_NE(text.find("Cavity =\t0.000001\t150000000000000000000\t12.5\t0.25\r\n"), npos) << text;
    EXPECT_EQ(text.find('E'), npos);
    // Each value has one shortest form: the same text again means the same values.
    Started back;
    ApplySetup(back.Data, ParseSetup(text));
    EXPECT_EQ(FormatSetup(back.Data), text);
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
    const SetupLoadResult r = LoadAcceleratorData(back.Data, dir / "x.gydat");
    ASSERT_EQ(r.Status, FileStatus::Ok);
    EXPECT_FALSE(r.ShowCountWarning);
    EXPECT_EQ(FormatSetup(back.Data), FormatSetup(s.Data));
    EXPECT_EQ(std::tuple(back.Data.TargetX, back.Data.Frequency, back.Data.Amplitude),
              std::tuple(s.Data.TargetX, s.Data.Frequency, s.Data.Amplitude));
    // The field table is rebuilt from the loaded cavities.
    EXPECT_EQ(back.Data.CavityList.size(), 3u);
    EXPECT_EQ(back.Data.FieldTable[1].Boundary, 14.0);
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

TEST(SetupReader, CavityCountAndItsWarning) {
    std::string many;
    for (int i = 0; i < 25; ++i) many += "Cavity =\t" + std::to_string(i + 1) + "\t5\t6\t7\r\n";
    const struct { const char* what; std::string text; std::int32_t expected; std::size_t read; bool warns; } cases[] = {
        {"three announced, two read", "Cavity num =3\r\nCavity =\t1\t2\t3\t4\r\nCavity =\t5\t6\t7\t8\r\n", 3, 2, true},
        {"no count line", "Cavity =\t1\t2\t3\t4\r\n", 0, 1, true},
        {"short and malformed lines", "Cavity num =2\r\nCavity =\t1\t2\t3\r\nCavity =\t1\t2\t3\t4\r\nCavity =\t1\t2.2.2\t3\t4\r\n", 2, 1, true},
        {"the count line adds none", "Cavity num =1 2 3 4\r\n", 1, 0, true},
        {"25 lines for 25", "Cavity num =25\r\n" + many, 25, 21, true},
        // The count matches what was kept, but four lines were dropped.
        {"25 lines for 21", "Cavity num =21\r\n" + many, 21, 21, true},
        {"two for two", "Cavity num =2\r\nCavity =\t1\t2\t3\t4\r\nCavity =\t5\t6\t7\t8\r\n", 2, 2, false},
    };
    for (const auto& c : cases) {
        const SetupData d = ParseSetup(c.text);
        EXPECT_EQ(d.ExpectedCount, c.expected) << c.what;
        EXPECT_EQ(d.Cavities.size(), c.read) << c.what;
        EXPECT_EQ(d.ShowCountWarning(), c.warns) << c.what;
    }
    // Lines beyond the table's 21 are ignored.
    const SetupData d = ParseSetup(many);
    EXPECT_EQ(d.Cavities[20].AccGap, 21);
    EXPECT_EQ(d.IgnoredCavityLines, 4);
}

TEST(SetupReader, PhaseLimitsAndSigns) {
    // A "-" right before the start phase makes it negative, down to -360;
    // every other key keeps the sign out of the number.
    using Row = std::pair<const char*, std::optional<double>>;
    for (auto [text, value] : {Row{"360", {}}, {"359.5", 359.5}, {"0", 0.0}, {"45.7", 45.7}, {"-360", -360.0},
                               {"-45.5", -45.5}, {"-360.5", {}}, {"-1.2.3", {}}, {"- 30", 30.0}, {"-", {}}})
        EXPECT_EQ(ParseSetup(std::string("Startfazis =") + text + "\n").StartPhase, value) << text;
    // A stop phase below 1 is written as 0 and reads back as 0.
    for (auto [text, value] : {Row{"360", 360.0}, {"0", 0.0}, {"360.5", {}}, {"", {}}, {"-30", 30.0}})
        EXPECT_EQ(ParseSetup(std::string("Stopfazis =") + text + "\n").StopPhase, value) << text;
    EXPECT_EQ(ParseSetup("Target =-20\n").TargetLeft, 20);
}

TEST(SetupReader, SpinnerLinesReapplyEvenWithoutANumber) {
    Started s;
    s.Data.FrequencyPosition = 70;  // the spinner moved, the value not yet applied
    s.Data.Frequency = s.Data.Amplitude = 9.0;
    ApplySetup(s.Data, ParseSetup("Freq =\r\nAmpli =abc\r\n"));
    EXPECT_EQ(s.Data.FrequencyPosition, 70);
    EXPECT_EQ(s.Data.Frequency, VeloxData::FrequencyOf(70));
    EXPECT_EQ(s.Data.Amplitude, VeloxData::AmplitudeOf(50));

    s.Data.Frequency = 9.0;  // without such a line nothing is recomputed
    ApplySetup(s.Data, ParseSetup("Target =400\r\n"));
    EXPECT_EQ(s.Data.Frequency, 9.0);

    // Later lines win, one without a number keeps the position, positions
    // are held within the spinner's range.
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

// Editors save "Unicode" as UTF-16 with a byte-order mark, in either byte
// order; the UTF-8 mark needs no decoding.
TEST(SetupReader, TextEncodings) {
    // "İ" (U+0130, whose low byte is the digit 0) stays out of the numbers.
    const std::string text = "Cavity num =1\r\nCavity =\t16\t50\t16\t60\r\nTarget =350\xC4\xB0\r\nStopfazis =90";
    const auto utf16 = [&](bool little) {
        std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
        for (std::size_t i = 0; i < text.size(); ++i) {
            const unsigned u = text.compare(i, 2, "\xC4\xB0") == 0 ? (++i, 0x130u) : static_cast<unsigned char>(text[i]);
            out += little ? std::string{char(u & 0xFF), char(u >> 8)} : std::string{char(u >> 8), char(u & 0xFF)};
        }
        return out;
    };
    Started plain;
    ApplySetup(plain.Data, ParseSetup(text));
    ASSERT_EQ(plain.Data.Cavities.CavityCount(), 1);
    for (const std::string& encoded : {utf16(true), utf16(false), "\xEF\xBB\xBF" + text}) {
        Started s;
        const SetupData d = ParseSetup(encoded);
        ApplySetup(s.Data, d);
        EXPECT_EQ(FormatSetup(s.Data), FormatSetup(plain.Data));
        EXPECT_FALSE(d.ShowCountWarning());
    }
}

TEST(SetupReader, EmptyMissingOrUnreadableFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "x.gydat").c_str(), 0644), 0);
    testing::WriteBytes(dir / "e.gydat", "");
    Started s;
    s.Data.SetTargetLeft(333);
    s.Data.MultiParticle = false;
    const std::string before = FormatSetup(s.Data);
    SetupLoadResult r = LoadAcceleratorData(s.Data, dir / "teszt02.gydat");
    EXPECT_EQ(r.Status, FileStatus::Missing);
    EXPECT_FALSE(r.ShowCountWarning);
    r = LoadAcceleratorData(s.Data, dir / "x.gydat");  // a FIFO: refused without waiting
    EXPECT_EQ(r.Status, FileStatus::Failed);
    EXPECT_NE(r.Error.find("(FIFO): " + (dir / "x.gydat")), npos) << r.Error;
    EXPECT_EQ(FormatSetup(s.Data), before);

    // A missing file still expects the two cavities of the start-up.
    s.Data.Cavities.Remove(1);
    r = LoadAcceleratorData(s.Data, dir / "teszt02.gydat");
    EXPECT_TRUE(r.ShowCountWarning);
    EXPECT_EQ(s.Data.CavityList.size(), 1u);

    // An empty file loads no cavities and changes nothing else.
    r = LoadAcceleratorData(s.Data, dir / "e.gydat");
    EXPECT_EQ(r.Status, FileStatus::Ok);
    EXPECT_FALSE(r.ShowCountWarning);
    EXPECT_EQ(FormatSetup(s.Data), "Cavity num =0\r\n" + before.substr(before.find("Target")));
    EXPECT_TRUE(s.Data.CavityList.empty());
}

}  // namespace
}  // namespace velox
