// The accelerator data file: the writer's exact lines, the lenient reader,
// and loading as the "Betöltés" command and the start-up do.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cfloat>
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

// The default set-up; without cavities the target comes second, phases are
// written whole.
TEST(SetupWriter, ExampleFileAndNoCavities) {
    Started s;
    EXPECT_EQ(FormatSetup(s.Data), "Cavity num =2\r\nCavity =\t16\t50\t16\t60\r\nCavity =\t16\t95\t20\t80\r\n"
                                   "Target =400\r\nFreq =50\r\nAmpli =50\r\nMultiparticles\r\nStartfazis =0\r\nStopfazis =60\r\n");
    s.Data.Cavities.SetCavityCount(0);
    s.Data.MultiParticle = false;
    std::tie(s.Data.StartPhase, s.Data.StopPhase) = std::tuple(-45.7, 359.9);
    EXPECT_EQ(FormatSetup(s.Data), "Cavity num =0\r\nTarget =400\r\nFreq =50\r\nAmpli =50\r\nSingle particle\r\n"
                                   "Startfazis =-45\r\nStopfazis =359\r\n");
}

// Cavity values go without an exponent, which the reader would split; each
// value has one shortest form, so the same text again means the same values.
TEST(SetupWriter, CavityValuesInPlainDecimalsReadBackUnchanged) {
    Started s;
    s.Data.Cavities[0] = {0.000001, 1.5e20, 12.5, 0.25};
    s.Data.Cavities[1] = {DBL_MAX, DBL_MIN, 4.9406564584124654e-324, 1e15};
    const std::string text = FormatSetup(s.Data);
    EXPECT_NE(text.find("Cavity =\t0.000001\t150000000000000000000\t12.5\t0.25\r\n"), npos) << text;
    EXPECT_EQ(text.find('E'), npos);
    Started back;
    ApplySetup(back.Data, ParseSetup(text));
    EXPECT_EQ(FormatSetup(back.Data), text);
}

TEST(SetupFile, EveryItemComesBackThroughAFile) {
    TempDir dir;
    Started s;
    s.Data.Cavities.SetCavityCount(0);
    for (const CavitySizes& c : {CavitySizes{4, 12.5, 0.25, 100}, {16, 95, 20, 80}, {1234567.875, 7, 0, 3}})
        s.Data.Cavities.Append(c);
    s.Data.SetTargetLeft(351);
    s.Data.SetFrequencyPosition(73);
    s.Data.SetVoltagePosition(12);
    s.Data.MultiParticle = false;
    std::tie(s.Data.StartPhase, s.Data.StopPhase) = std::tuple(-360, 360);
    ASSERT_TRUE(WriteSetupFile(dir / "x.gydat", s.Data).Ok);
    Started back;
    const SetupLoadResult r = LoadAcceleratorData(back.Data, dir / "x.gydat");
    EXPECT_EQ(std::pair(r.Status, r.ShowCountWarning), std::pair(FileStatus::Ok, false));
    EXPECT_EQ(FormatSetup(back.Data), FormatSetup(s.Data));
    EXPECT_EQ(std::tuple(back.Data.TargetX, back.Data.Frequency, back.Data.Amplitude), std::tuple(338.0, 1.23, 31.0));
    // The cavity list and field table are rebuilt from the loaded cavities.
    EXPECT_EQ(std::pair(back.Data.CavityList.size(), back.Data.FieldTable[1].Boundary), std::pair(3ul, 14.0));
}

// Runs of digits and points; signs and exponents only separate.
TEST(ReadLineNumbers, RunsOfDigitsAndPoints) {
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
        EXPECT_EQ(std::tuple(d.ExpectedCount, d.Cavities.size(), d.ShowCountWarning()), std::tuple(c.expected, c.read, c.warns))
            << c.text;
    }
    EXPECT_EQ(std::pair(ParseSetup(many).Cavities[20].AccGap, ParseSetup(many).IgnoredCavityLines), std::pair(21.0, 4));
}

// A "-" right before the start phase makes it negative, down to -360; every
// other key keeps the sign out of the number.  A stop phase below 1 is
// written as 0 and reads back as 0.
TEST(SetupReader, PhaseLimitsAndSigns) {
    using Row = std::pair<const char*, std::optional<double>>;
    for (auto [text, value] : {Row{"360", {}}, {"359.5", 359.5}, {"0", 0.0}, {"45.7", 45.7}, {"-360", -360.0},
                               {"-45.5", -45.5}, {"-360.5", {}}, {"-1.2.3", {}}, {"- 30", 30.0}, {"-", {}}})
        EXPECT_EQ(ParseSetup(std::string("Startfazis =") + text + "\n").StartPhase, value) << text;
    for (auto [text, value] : {Row{"360", 360.0}, {"0", 0.0}, {"360.5", {}}, {"", {}}, {"-30", 30.0}})
        EXPECT_EQ(ParseSetup(std::string("Stopfazis =") + text + "\n").StopPhase, value) << text;
    EXPECT_EQ(ParseSetup("Target =-20\n").TargetLeft, 20);
}

// A spinner line without a number re-applies the spinner's position; later
// lines win; positions are held within 0 … 100.
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
    EXPECT_EQ(std::tuple(s.Data.FrequencyPosition, s.Data.VoltagePosition, s.Data.Amplitude), std::tuple(20, 100, 75.0));
}

// Lone CR, lone LF, CR LF and a last line without an end; keys anywhere in a
// line, every key a line holds, numbers from the line's start; keys are
// case-sensitive.
TEST(SetupReader, LineEndsKeysAndOrder) {
    const SetupData d = ParseSetup("Cavity num =2\rCavity =\t1\t2\t3\t4\nTarget =300\r\n\r\nCavity =\t5\t6\t7\t8\n\r"
                                   "Single particle\rTarget =310\nMultiparticles\r\nStopfazis =90");
    ASSERT_EQ(d.Cavities.size(), 2u);
    EXPECT_EQ(std::tuple(d.Cavities[1].AccGap, d.TargetLeft, d.MultiParticle, d.StopPhase, d.ShowCountWarning()),
              std::tuple(5.0, 310, true, 90.0, false));
    const SetupData m = ParseSetup("xx Target =12 Freq =99\r\ntarget =5\r\nMultiparticles Single particle\r\n");
    EXPECT_EQ(std::tuple(m.TargetLeft, m.FrequencyPosition, m.MultiParticle), std::tuple(12, 12, false));
}

// Editors save "Unicode" as UTF-16 with a byte-order mark, in either byte
// order; "İ" (U+0130, whose low byte is the digit 0) stays out of the numbers.
TEST(SetupReader, TextEncodings) {
    const std::string text = "Cavity num =1\r\nCavity =\t16\t50\t16\t60\r\nTarget =350\xC4\xB0\r\nStopfazis =90";
    const auto utf16 = [&](bool little) {
        std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
        for (std::size_t i = 0; i < text.size(); ++i) {
            const unsigned u = text.compare(i, 2, "\xC4\xB0") == 0 ? (++i, 0x130u) : static_cast<unsigned char>(text[i]);
            out += little ? std::string{char(u & 0xFF), char(u >> 8)} : std::string{char(u >> 8), char(u & 0xFF)};
        }
        return out;
    };
    for (const std::string& encoded : {utf16(true), utf16(false), "\xEF\xBB\xBF" + text}) {
        const SetupData d = ParseSetup(encoded);
        EXPECT_EQ(std::tuple(d.Cavities.size(), d.TargetLeft, d.StopPhase, d.ShowCountWarning()),
                  std::tuple(1ul, 350, 90.0, false));
    }
}

// A missing file changes nothing and expects the two start-up cavities; a
// file that cannot be read changes nothing; an empty one loads no cavities.
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
    EXPECT_EQ(r.Status, FileStatus::Failed);
    EXPECT_NE(r.Error.find("(FIFO): " + (dir / "x.gydat")), npos) << r.Error;
    EXPECT_EQ(FormatSetup(s.Data), before);
    s.Data.Cavities.Remove(1);
    r = LoadAcceleratorData(s.Data, dir / "teszt02.gydat");
    EXPECT_EQ(std::pair(r.ShowCountWarning, s.Data.CavityList.size()), std::pair(true, 1ul));
    r = LoadAcceleratorData(s.Data, dir / "e.gydat");
    EXPECT_EQ(std::tuple(r.Status, r.ShowCountWarning, s.Data.CavityList.size()), std::tuple(FileStatus::Ok, false, 0ul));
    EXPECT_EQ(FormatSetup(s.Data), "Cavity num =0\r\n" + before.substr(before.find("Target")));
}

}  // namespace
}  // namespace velox
