// The main window's behaviour on the application layer, with no window:
// every question and file choice is answered by the test, the files live
// in memory, and text is measured with a fixed width per character.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "../common/TimedRunPins.h"
#include "core/app/Window.h"
#include "core/model/Numeric.h"
#include "core/model/PhaseWindow.h"
#include "core/model/Readouts.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "results/app/SpectrumView.h"
#include "results/model/SpectrumPanel.h"

namespace velox::app {
namespace {

// Files in memory; a path in Broken can be neither read nor written.
class MemoryFiles : public FileStore {
public:
    std::map<std::string, std::string> Files;
    std::set<std::string> Broken;
    FileBytes Read(const std::string& path, std::uint64_t) override {
        if (Broken.contains(path)) return {FileStatus::Failed, {}, "unreadable"};
        const auto f = Files.find(path);
        return f == Files.end() ? FileBytes{FileStatus::Missing, {}, "missing"} : FileBytes{FileStatus::Ok, f->second, {}};
    }
    WriteOutcome Replace(const std::string& path, const std::string& bytes) override {
        if (Broken.contains(path)) return {false, "read-only"};
        Files[path] = bytes;
        return {true, {}};
    }
    bool Exists(const std::string& path) override { return Files.contains(path); }
};

class AppTest : public ::testing::Test {
protected:
    FixedMeasure measure{6, 3, 13};
    QueuedAsker asker;
    MemoryFiles files;
    NullPainter painter;
    Window app{measure, asker, files, painter};
    std::vector<Changes> told;

    virtual void PrepareProgramFolder() {}
    void SetUp() override {
        app.ProgramDir = "/prog/";
        PrepareProgramFolder();
        app.Timer1Timer();
        EXPECT_TRUE(app.FormActivate());
        EXPECT_FALSE(app.FormActivate());  // once only
        app.TakeChanges();
        app.OnChange = [this](const Changes& c) { told.push_back(c); };
    }
    void TearDown() override {
        EXPECT_FALSE(asker.Answer(Answer::Ok) || asker.Choose(std::nullopt) || asker.CloseDialog(DialogResult::Ok, {}))
            << "left unanswered";
    }
    const ControlState& C(std::string_view name) const { return app.Controls[name]; }
    std::string Trimmed(std::string_view name) const {
        const std::string& t = C(name).Text;
        return t.substr(std::min(t.find_first_not_of(' '), t.size()));
    }
    // Types into a field and leaves it.
    void Type(const std::string& field, const std::string& text, Leave how = Leave::EnterPressed) {
        app.FocusChanged(field);
        app.Typed(field, text);
        ASSERT_TRUE(app.Exit(field, how));
        app.FocusChanged("");
    }
    std::string Asked() {
        std::string out;
        for (const Question& q : asker.questions) out += q.Title + "|" + q.Text + "\n";
        return out;
    }
    // Running, then the enabled state of Button1, Button2, Button3 and of
    // the rest of the locked group, which must agree.
    std::vector<bool> RunState() const {
        const bool rest = C("Button4").Enabled;
        for (const char* n : {"Button5", "Edit13", "Edit14", "UpDown1", "UpDown2"})
            EXPECT_EQ(C(n).Enabled, rest) << n;
        EXPECT_EQ(C("Button1").Text, C("Timer2").Enabled ? "Stop" : "Folytatás");
        return {C("Timer2").Enabled, C("Button1").Enabled, C("Button2").Enabled, C("Button3").Enabled, rest};
    }
};

TEST_F(AppTest, StartUpStateIsTheExpectedDump) {
    std::ifstream expected(VELOX_SOURCE_DIR "/tests/expected/startup_state.json", std::ios::binary);
    std::stringstream text;
    text << expected.rdbuf();
    EXPECT_EQ(app.Controls.Dump(), text.str());
}

// The enabled states follow the run state that the layer alone keeps.
TEST_F(AppTest, ControlStatesFollowTheRunAndTheMode) {
    using S = std::vector<bool>;
    EXPECT_EQ(RunState(), S({false, true, true, true, true}));
    app.Click("Button1");
    EXPECT_EQ(RunState(), S({true, true, false, false, false}));
    EXPECT_FALSE(app.Click("Button2"));  // disabled: nothing happens
    EXPECT_EQ(std::tuple(C("Betlts1").Enabled, C("Exportls1").Enabled), std::tuple(true, true));
    app.Check("CheckBox4", false);
    EXPECT_EQ(RunState(), S({false, false, false, true, false}));
    EXPECT_EQ(std::count(told.back().Controls.begin(), told.back().Controls.end(), "Edit10"), 1);  // written anew
    app.Click("Button3");
    EXPECT_EQ(RunState(), S({true, false, false, false, false}));
    EXPECT_EQ(std::tuple(C("Betlts2").Enabled, C("Exportls1").Enabled), std::tuple(false, false));
    app.Check("CheckBox4", true);
    EXPECT_EQ(RunState(), S({false, true, true, true, true}));
    EXPECT_EQ(C("Betlts2").Enabled, true);
}

TEST_F(AppTest, ContinueRelaunchesSlotZeroAndRestartIdlesEverySlot) {
    app.Check("CheckBox1", false);
    EXPECT_FALSE(app.Data.MultiParticle);
    app.Click("Button1");
    for (int i = 0; i < 30; ++i) app.Timer2Timer();
    app.Click("Button1");
    app.Click("Button1");
    EXPECT_EQ(std::tuple(app.Data.Particles[0].X, app.Data.Store.LaunchedCount, app.Data.IsFlying(0)),
              std::tuple(10.0, 2, true));
    EXPECT_TRUE(told.back().Pictures & Markers);
    app.Click("Button1");
    app.Click("Button3");
    for (int i = 0; i < ParticleCount; ++i) EXPECT_FALSE(app.Data.IsFlying(i));
}

// "Újraindít" asks to clear the results.  A free run restarts whatever the
// answer; a timed run starts only from empty results.
TEST_F(AppTest, RestartAsksToClearAndATimedRunStartsOnlyFromEmptyResults) {
    const double clock = AdvanceRunClock(RunClockRestart, 30000);
    const struct { bool free; Answer answer; bool restarts; int arrived; } cases[] = {
        {true, Answer::No, true, 1}, {false, Answer::No, false, 1}, {false, Answer::Yes, true, 0}};
    app.Data.Store.RecordArrival(10.0, 1.0);
    for (const auto& c : cases) {
        app.Check("CheckBox4", c.free);  // the mode toggle stops the run
        std::tie(app.Run.RunClock, app.Data.SimTime) = std::pair(clock, 1.0);
        ASSERT_TRUE(app.Click("Button3"));
        EXPECT_EQ(std::tuple(C("Timer2").Enabled, asker.questions.size()), std::tuple(false, 1u));
        EXPECT_EQ(Asked(), "*** MEGEROSÍTÉS ***|Valóban törölni akarja az eredményeket? \n");
        asker.Answer(c.answer);
        EXPECT_EQ(std::tuple(C("Timer2").Enabled, C("Button1").Text, app.Run.RunClock, app.Data.SimTime,
                             app.Data.Store.ArrivedCount),
                  c.restarts ? std::tuple(true, std::string("Stop"), RunClockRestart, 0.0, c.arrived)
                             : std::tuple(false, std::string("Folytatás"), clock, 1.0, c.arrived))
            << c.free;
    }
    app.Data.Store.Clear();
    app.Click("Button3");  // nothing to clear: no question
    EXPECT_EQ(std::tuple(app.Run.Running, app.Run.RunClock), std::tuple(true, RunClockRestart));
    EXPECT_TRUE(told.back().Pictures & Markers);
}

// The clock counts ticks at the speed's interval; a field being typed in
// is not written, unless the window is not the active one.
TEST_F(AppTest, TheClockCountsTicksAndSkipsTheFieldBeingEdited) {
    app.ComboBox1Change(7);
    EXPECT_EQ(std::tuple(app.Run.SpeedIndex, C("ComboBox1").ItemIndex), std::tuple(4, 4));
    app.ComboBox1Change(-3);
    EXPECT_EQ(app.Run.SpeedIndex, 0);
    app.ComboBox1Change(2);
    EXPECT_EQ(std::tuple(C("Timer2").Value, C("ComboBox1").Text, C("ComboBox1").ItemIndex),
              std::tuple(50, std::string("3"), 2));
    app.Click("Button3");
    for (int i = 0; i < 4; ++i) app.Timer2Timer();
    EXPECT_EQ(std::tuple(TimeOfDayMs(app.Run.RunClock), Trimmed("Edit15")), std::tuple(200, std::string("00:00:00")));
    app.Run.RunClock = AdvanceRunClock(RunClockRestart, (3600 + 23 * 60 + 59) * 1000 + 990);
    app.Timer2Timer();
    EXPECT_EQ(C("Edit15").Text, app.Fields.Pad("01:24:00", 81));
    EXPECT_NE(C("Edit15").Text, "01:24:00");
    app.FocusChanged("Edit15");
    app.Typed("Edit15", "x");
    app.Timer2Timer();
    EXPECT_EQ(C("Edit15").Text, "x");
    app.SetWindowActive(false);
    app.Timer2Timer();
    EXPECT_EQ(Trimmed("Edit15"), "01:24:00");
}

TEST_F(AppTest, OneStepShowsItsReadoutsButRepaintsNoPlot) {
    app.Data.Store.RecordArrival(10.0, 0.25);
    app.Data.SimTime = static_cast<double>(Pi / 2 - 0.05);
    app.Click("Button2");
    std::vector<std::string> shown;
    for (const char* n : {"Label18", "Label25", "Label26", "Label20", "Label21", "Label22"}) shown.push_back(C(n).Text);
    EXPECT_EQ(shown, std::vector<std::string>({EnergyMaxText(app.Data.EnergyMax), "Feszültség =   50.0000",
                                               "Fázis =   90.0000",
                                               "Összes indított = 0\rÖsszes beérkezett = 1", "E =    10.0000",
                                               "t =     0.2500"}));
    EXPECT_EQ(C("Shape52").Left, 15 + 2 + 101 / 4);  // the phase cursor at a quarter period
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].Pictures, AcceleratorView | Markers | PhaseWindow);
    app.Timer3Timer();  // only the spectra with counts
    EXPECT_EQ(told.back().Pictures, app.EnergySpectrum().PictureBit | app.TimeSpectrum().PictureBit);
    app.Data.Store.Clear();
    app.Data.Store.RecordArrival(10.0, -1.0);  // a time below the range counts nowhere
    app.Timer3Timer();
    EXPECT_EQ(told.back().Pictures, app.EnergySpectrum().PictureBit);
    for (int i = 0; i < 30; ++i) app.Data.Store.RecordArrival(10.0, 0.5);
    app.Timer3Timer();  // the automatic count axis grows, and its field shows it
    EXPECT_EQ(Trimmed("Edit10"), std::to_string(app.Data.Store.EnergySpectrum.YMax));
    EXPECT_GT(app.Data.Store.EnergySpectrum.YMax, 20);
}

// Refused entries select the whole text, keep the focus and change
// nothing; accepted ones are stored and Enter moves the focus on.
TEST_F(AppTest, NumberFieldsRefuseOrStoreTheirEntries) {
    const Spectrum& energy = app.Data.Store.EnergySpectrum;
    Type("Edit10", "60");  // the automatic count axis replaces the top at once
    EXPECT_EQ(std::tuple(energy.YMax, Trimmed("Edit10")), std::tuple(20, "20"));
    app.Check("CheckBox2", false);  // no automatic count axis; the top stays
    EXPECT_EQ(std::tuple(energy.Auto, told.back().Pictures), std::tuple(false, app.EnergySpectrum().PictureBit));
    const struct { const char* field; const char* text; bool accepted; std::function<double()> value; } cases[] = {
        {"Edit13", "60", false, [&] { return app.Data.StartPhase; }},
        {"Edit13", "abc", false, [&] { return app.Data.StartPhase; }},
        {"Edit14", "361", false, [&] { return app.Data.StopPhase; }},
        {"Edit14", "180", true, [&] { return app.Data.StopPhase; }},
        {"Edit13", "90", true, [&] { return app.Data.StartPhase; }},
        {"Edit10", "19", false, [&] { return energy.YMax; }},
        {"Edit10", "30", true, [&] { return energy.YMax; }},
        {"Edit6", "201", false, [&] { return energy.XMin; }},
        {"Edit6", "60", true, [&] { return energy.XMin; }},
        {"Edit5", "79", false, [&] { return energy.XMax; }},
        {"Edit5", "150", true, [&] { return energy.XMax; }},
        {"Edit9", "0.009", false, [&] { return energy.ChannelWidth; }},
        {"Edit9", "2.5", true, [&] { return energy.ChannelWidth; }},
        {"Edit2", "1.6", false, [&] { return app.Data.Frequency; }},
        {"Edit2", "1.2", true, [&] { return app.Data.Frequency; }},
        {"Edit4", "24", false, [&] { return app.Data.Amplitude; }},
        {"Edit4", "60.2", true, [&] { return app.Data.Amplitude; }},
    };
    for (const auto& c : cases) {
        const double before = c.value();
        Type(c.field, c.text);
        const Changes changes = told.back();
        EXPECT_EQ(changes.Focus, c.accepted ? "CheckBox1" : c.field) << c.field << c.text;
        EXPECT_TRUE(c.accepted || std::count(changes.Controls.begin(), changes.Controls.end(), c.field) == 1) << c.text;
        if (c.accepted) {
            EXPECT_NE(c.value(), before) << c.field;
        } else {
            EXPECT_EQ(std::tuple(c.value(), C(c.field).SelStart, C(c.field).SelLength),
                      std::tuple(before, 0, static_cast<int>(std::string_view(c.text).size())))
                << c.text;
            app.Typed(c.field, "");
        }
    }
    EXPECT_EQ(std::tuple(app.Data.StartPhase, app.Data.StopPhase, C("Shape50").Left, C("Shape51").Left),
              std::tuple(90.0, 180.0, 15 + 28, 15 + 53));
    EXPECT_EQ(std::tuple(energy.Marker, app.Data.Frequency, C("UpDown1").Value, C("Edit1").Text, Trimmed("Edit2")),
              std::tuple(60, 1.2, 70, std::string("70"), std::string("1.2")));
    EXPECT_EQ(std::tuple(app.Data.Amplitude, C("UpDown2").Value, Trimmed("Edit4"), Trimmed("Edit9")),
              std::tuple(60.0, 70, std::string("60"), std::string("2.5")));
    // Values are right-aligned in their fields' widths.
    EXPECT_EQ(std::tuple(C("Edit6").Text, C("Edit5").Text, C("Edit9").Text),
              std::tuple(app.Fields.Pad("60", 36), app.Fields.Pad("150", 38), app.Fields.Pad("2.5", 38)));
    EXPECT_EQ(app.Fields.Pad("150", 38), "    150");
    app.Data.Store.RecordArrival(5.0, 0.5);  // energy 2.5; a new width rebins the values
    Type("Edit9", "0.5");
    EXPECT_EQ(std::tuple(energy.Bins.size(), energy.Bins[5]), std::tuple(6u, 1));
    Type("Edit10", " 19");  // the dump counts a refused entry's whole text as selected
    EXPECT_NE(app.Controls.Dump().find("\"Edit10\": {\"text\": \"19\", \"enabled\": true, \"checked\": false, "
                                       "\"visible\": true, \"left\": 0, \"item\": -1, \"value\": 0, \"selected\": 3}"),
              std::string::npos);
    told.clear();
    Type("Edit14", "120", Leave::FocusMoved);  // leaving by Tab: the focus stays where it went
    EXPECT_EQ(std::tuple(app.Data.StopPhase, told.back().Focus.has_value()), std::tuple(120.0, false));
    EXPECT_FALSE(app.Exit("Edit15", Leave::EnterPressed));
}

TEST_F(AppTest, SpinnersStepWithinTheirRange) {
    app.UpDownClick("UpDown1", true);
    EXPECT_EQ(std::tuple(C("UpDown1").Value, app.Data.Frequency, Trimmed("Edit2")),
              std::tuple(51, VeloxData::FrequencyOf(51), std::string("1.01")));
    app.UpDownClick("UpDown2", false);
    EXPECT_EQ(std::tuple(C("UpDown2").Value, app.Data.Amplitude, C("Edit3").Text, Trimmed("Edit4")),
              std::tuple(49, 49.5, std::string("49"), std::string("49.5")));
    Type("Edit4", "75");
    told.clear();
    app.UpDownClick("UpDown2", true);
    EXPECT_EQ(std::tuple(C("UpDown2").Value, told.size()), std::tuple(100, 0u));  // at the end: nothing changes
    app.Typed("Edit3", "30");  // the position fields, as a bound spinner writes them
    app.Typed("Edit1", "40");
    EXPECT_EQ(std::tuple(C("UpDown2").Value, app.Data.Amplitude, C("UpDown1").Value), std::tuple(30, 40.0, 40));
    EXPECT_FALSE(app.Check("Label1", true) || C("Label1").Checked);  // not a box
    app.Typed("Edit3", "3x");
    EXPECT_EQ(std::tuple(C("UpDown2").Value, Asked()),
              std::tuple(30, std::string("Lineáris gyorsító szimulációja|'3x' nem érvényes egész szám.\n")));
    asker.Answer(Answer::Ok);
    app.Click("Button1");
    app.UpDownClick("UpDown1", true);  // locked while running
    EXPECT_EQ(C("UpDown1").Value, 40);
}

// Adding up to 20 cavities; editing; deleting the last leaves only building.
TEST_F(AppTest, TheCavityDialogAddsEditsAndDeletes) {
    const CavityDialogTexts added{"30", "12", "14", "40"};
    app.Click("Button4");
    ASSERT_EQ(asker.dialogs.size(), 1u);
    EXPECT_FALSE(asker.dialogs[0].Texts);  // the dialog shows what its fields hold
    asker.CloseDialog(DialogResult::Ok, added);
    ASSERT_EQ(app.Data.Cavities.CavityCount(), 3);
    EXPECT_EQ(app.Data.Cavities[2].AccWidth, 30.0);
    EXPECT_TRUE(told.back().Pictures & AcceleratorView);
    app.Click("Button4");
    asker.CloseDialog(DialogResult::Cancel, added);
    app.Click("Button4");
    asker.CloseDialog(DialogResult::Ok, {"x", "12", "14", "40"});  // the dialog would not close so
    app.Shape1MouseUp(1);
    EXPECT_EQ(asker.dialogs[0].Texts, (CavityDialogTexts{"95", "16", "20", "80"}));
    told.clear();
    EXPECT_TRUE(asker.CloseDialog(DialogResult::Ok, {"96", "17", "21", "81"}));
    EXPECT_EQ(std::tuple(app.Data.Cavities.CavityCount(), app.Data.Cavities[1].AccWidth, app.Data.CavityList[1].AccWidth),
              std::tuple(3, 96.0, 96.0));
    EXPECT_TRUE(told.at(0).Pictures & AcceleratorView);
    app.Shape1MouseUp(3);  // no such cavity
    for (int k = 3; k < 20; ++k) app.Data.Cavities.Append({16, 40, 12, 20});
    app.Click("Button4");
    asker.CloseDialog(DialogResult::Ok, added);
    EXPECT_EQ(std::tuple(app.Data.Cavities.CavityCount(), Asked()),
              std::tuple(20, std::string("*** TÁJÉKOZTATÁS ***|Nem lehet ilyen sok gyorsítóelektródot alkalmazni!\n")));
    asker.Answer(Answer::Ok);
    app.Data.Cavities.SetCavityCount(2);
    app.Shape1MouseUp(0);
    asker.CloseDialog(DialogResult::Abort, added, false);  // the delete question answered No
    app.Shape1MouseUp(1);
    asker.CloseDialog(DialogResult::Abort, added, true);
    app.Shape1MouseUp(0);
    app.Click("Button1");
    app.Data.Cavities.Remove(0);  // gone while the dialog was open
    asker.CloseDialog(DialogResult::Abort, added, true);
    app.Click("Button1");
    app.Shape1MouseUp(0);
    EXPECT_TRUE(asker.dialogs.empty());
    EXPECT_EQ(RunState(), (std::vector<bool>{false, false, false, false, true}));
    app.Data.Cavities.Append({16, 40, 12, 20});
    app.UpdateControlStates();
    app.Shape1MouseUp(0);
    asker.CloseDialog(DialogResult::Abort, added, true);  // the last one: nothing left to run
    EXPECT_EQ(RunState(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(app.Data.Cavities.CavityCount(), 0);
}

// The dialog's own buttons: OK stops at the first refused field; the delete
// button asks, and closes the dialog with either answer.
TEST_F(AppTest, TheCavityDialogRefusesAndAsksBeforeDeleting) {
    EXPECT_EQ(std::tuple(Window::CavityDialogOk({"4", "3", "x", "9"}), Window::CavityDialogOk({"4", "12", "$10", "9"})),
              std::tuple(std::optional(1), std::nullopt));
    std::vector<bool> closed;
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        app.CavityDialogDelete([&](bool confirmed) { closed.push_back(confirmed); });
        EXPECT_EQ(std::tuple(Asked(), asker.questions.at(0).Kind),
                  std::tuple(std::string("*** MEGEROSÍTÉS ***|Valóban törölni akarod ezeket az elektródákat?\n"),
                             QuestionKind::YesNo));
        EXPECT_TRUE(closed.size() < 2 && asker.Answer(answer));
    }
    EXPECT_EQ(closed, (std::vector<bool>{true, false}));
}

TEST_F(AppTest, TheTargetIsDroppedOnTheAxis) {
    app.Image1DragDrop(300);
    EXPECT_EQ(std::tuple(app.Data.TargetMarker.Left, app.Data.TargetMarker.Top),
              std::tuple(13 + 300 - app.Data.TargetMarker.Width / 2, 11 + 41 - app.Data.TargetMarker.Height / 2));
    EXPECT_EQ(app.Data.TargetX, app.Data.TargetMarker.Left - 13.0);
    EXPECT_TRUE(told.back().Pictures & AcceleratorView);
}

// Alt + Left / Right move the chosen spectrum's marker; the radio buttons
// and the plot panels choose, and show only the chosen marker line.
TEST_F(AppTest, MarkerKeysMoveTheChosenMarker) {
    Spectrum& energy = app.Data.Store.EnergySpectrum;
    Spectrum& time = app.Data.Store.TimeSpectrum;
    app.FormKeyDown(Window::Key::Right);
    app.FormKeyDown(Window::Key::Other);
    EXPECT_EQ(std::tuple(energy.Marker, time.Marker, C("Label10").Text), std::tuple(51, 20, std::string("X=51   ")));
    EXPECT_EQ(C("Shape43").Left, 6 + UpdateMarkerGeometry(energy).LineX);
    app.Click("RadioButton2");
    app.FormKeyDown(Window::Key::Left);
    EXPECT_EQ(std::tuple(energy.Marker, time.Marker, C("Label12").Text), std::tuple(51, 19, std::string("X=19   ")));
    EXPECT_EQ(std::tuple(C("RadioButton1").Checked, C("Shape43").Visible, C("RadioButton2").Checked,
                         C("Shape44").Visible),
              std::tuple(false, false, true, true));
    app.Click("Panel4");
    EXPECT_EQ(std::tuple(C("RadioButton1").Checked, C("Shape44").Visible), std::tuple(true, false));
    app.EnergySpectrum().SetChosen(false);  // neither chosen: the keys move the time marker
    app.FormKeyDown(Window::Key::Right);
    EXPECT_EQ(std::tuple(energy.Marker, time.Marker), std::tuple(51, 20));
}

TEST_F(AppTest, TheStatisticsBoxShowsTheMomentItOpened) {
    app.Data.Store.RecordArrival(10.0, 0.5);
    app.Data.Store.RecordArrival(20.0, 0.5);
    app.ImageMouseDown("Image2", false);
    EXPECT_FALSE(C("Panel12").Visible);
    app.ImageMouseDown("Image2", true);
    const StatisticsBoxTexts texts = StatisticsBox(app.Data.Store.EnergySums, 2);
    EXPECT_EQ(std::tuple(C("Panel12").Visible, C("Label31").Text, C("Label32").Text, C("Label33").Text),
              std::tuple(true, texts.Count, texts.Mean, texts.Deviation));
    app.ImageMouseDown("Image3", true);
    EXPECT_EQ(std::tuple(C("Panel13").Visible, C("Label34").Text), std::tuple(true, StatisticsBox(app.Data.Store.TimeSums, 2).Count));
    app.Click("Label32");
    app.Click("Panel13");
    EXPECT_EQ(std::tuple(C("Panel12").Visible, C("Panel13").Visible), std::tuple(false, false));
}

// "Törlés" asks only when there is something to clear; after Yes the
// particles in flight count as launched, and both plots show empty axes.
TEST_F(AppTest, ClearAsksThenCountsTheParticlesInFlight) {
    app.Click("Button5");
    EXPECT_TRUE(asker.questions.empty());
    app.Click("Button1");
    for (int i = 0; i < 20; ++i) app.Timer2Timer();
    app.Click("Button1");
    const std::int32_t flying = app.Data.FlyingCount();
    ASSERT_GT(flying, 1);
    for (int i = 0; i < 10; ++i) app.Data.Store.RecordArrival(31.7, 0.3);
    app.Timer3Timer();
    EXPECT_TRUE(app.EnergySpectrum().Picture().Counts && app.EnergySpectrum().Fresh().Counts);
    app.Click("Button5");
    asker.Answer(Answer::No);
    EXPECT_EQ(app.Data.Store.ArrivedCount, 10);
    app.Click("Button5");
    EXPECT_TRUE(asker.Answer(Answer::Yes));
    EXPECT_EQ(std::tuple(app.Data.Store.IsEmpty(), app.Data.Store.LaunchedCount), std::tuple(true, flying));
    EXPECT_FALSE(app.EnergySpectrum().Picture().Counts || app.TimeSpectrum().Picture().Counts ||
                 app.EnergySpectrum().Fresh().Counts);
    EXPECT_EQ(app.EnergySpectrum().Fresh().Geometry.Axes.ChannelLabels,
              app.EnergySpectrum().Picture().Geometry.Axes.ChannelLabels);
    EXPECT_FALSE(app.EnergySpectrum().Picture().Geometry.Axes.ChannelLabels.empty());
    EXPECT_EQ(C("Label11").Text, "Y=         ");
    app.Data.Store.RecordArrival(31.7, 0.3);  // drawn fresh before the next redraw
    EXPECT_TRUE(app.EnergySpectrum().Fresh().Counts && !app.EnergySpectrum().Picture().Counts);
}

TEST_F(AppTest, ChangesNameWhatChangedOnce) {
    app.Click("Button1");
    ASSERT_EQ(told.size(), 1u);
    std::vector<std::string> names = told[0].Controls;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Button1", "Button2", "Button3", "Button4", "Button5",
                                               "Edit13", "Edit14", "Timer2", "UpDown1", "UpDown2"}));
    EXPECT_FALSE(app.Click("Nothing"));
    EXPECT_FALSE(app.Check("Nothing", true));
    app.Timer2Timer();
    app.Typed("Edit15", "a\"b\\c\x01");  // escaped in the dump
    EXPECT_NE(app.Controls.Dump().find("\"text\": \"a\\\"b\\\\c\\u0001\""), std::string::npos);
    const std::string launched = std::to_string(app.Data.Store.LaunchedCount);
    EXPECT_NE(app.Controls.Dump().find("\"Label20\": {\"text\": \"Összes indított = " + launched +
                                       "\\rÖsszes beérkezett = 0\""),
              std::string::npos);
    EXPECT_EQ(told.size(), 2u);
}

struct CountingPainter : NullPainter {  // the pictures painted with something drawn on them
    struct Counter : Canvas {
        int calls = 0;
        void FillRect(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Colour) override { ++calls; }
        void SetPen(Colour, std::int32_t) override {}
        void MoveTo(std::int32_t, std::int32_t) override {}
        void LineTo(std::int32_t, std::int32_t) override { ++calls; }
        void Ellipse(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Colour) override { ++calls; }
        void TextOut(std::int32_t, std::int32_t, std::string_view, Colour, Colour) override { ++calls; }
        void TextOver(std::int32_t, std::int32_t, std::string_view, Colour) override { ++calls; }
    };
    std::map<Picture, int> Painted;
    void Paint(Picture p, const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) override {
        Counter c;
        draw(c, 600, 100);
        Painted[p] += c.calls > 0;
    }
};

TEST(AppLayout, TheSurfacesAreWhereTheFacePutThem) {
    FixedMeasure measure{7, 2, 11};
    QueuedAsker asker;
    MemoryFiles files;
    CountingPainter painter;
    Window app{measure, asker, files, painter};
    EXPECT_FALSE(app.FormActivate());  // waits for the layout
    app.Timer1Timer({20, 30, 25, 200, 300, 240, 150});
    EXPECT_EQ(std::tuple(app.Data.AxisY, app.Data.TargetX, app.Controls["Shape52"].Left, app.Controls["Timer1"].Enabled),
              std::tuple(60, 280.0, 27, false));
    EXPECT_EQ(std::tuple(app.EnergySpectrum().BitmapWidth(), app.TimeSpectrum().BitmapHeight()), std::tuple(240, 150));
    EXPECT_EQ(std::tuple(app.Data.Store.EnergySpectrum.XRight, app.Data.Store.TimeSpectrum.YBottom),
              std::tuple(230, 130));
    EXPECT_FALSE(app.TimeSpectrum().Picture().Geometry.Axes.Axes.empty());  // the empty plots drawn
    EXPECT_EQ(painter.Painted, (std::map<Picture, int>{{AcceleratorView, 1}, {PhaseWindow, 2}}));
    EXPECT_EQ(app.Data.ParticleMarkers[0].Top, 30 + 60 - 3);  // on the axis
    EXPECT_EQ(app.Controls["Shape51"].Left, PhasePanelFor(25, 200, 90.0, 180.0).StopMarkerLeft);
    EXPECT_TRUE(app.FormActivate());
    EXPECT_EQ(std::tuple(painter.Painted[AcceleratorView], app.Controls["Timer2"].Value), std::tuple(3, 10));
    EXPECT_EQ(std::tuple(asker.questions.size(), app.Data.Cavities.CavityCount(), app.SetupPath),
              std::tuple(0u, 2, "teszt02.gydat"));  // no start-up file: the default accelerator, no warning
}

class AppFiles : public AppTest {
protected:
    void PrepareProgramFolder() override {
        VeloxData saved;
        saved.Cavities.Append({16, 50, 16, 60});
        saved.Cavities.Append({10, 20, 10, 20});
        saved.Cavities.Append({12, 30, 12, 40});
        saved.SetFrequencyPosition(60);
        saved.SetVoltagePosition(40);
        saved.MultiParticle = false;
        saved.StartPhase = 10;
        saved.StopPhase = 100;
        files.Files["/prog/teszt02.gydat"] = FormatSetup(saved);
    }
    void Choose(std::optional<std::string> name, const std::string& dialog, std::int32_t index = 0) {
        ASSERT_EQ(asker.choices.size(), 1u);
        const FileChoice& c = asker.choices[0];
        EXPECT_EQ(c.Filter + "|" + std::to_string(c.FilterIndex) + "|" + c.DefaultExt, dialog);
        asker.Choose(std::move(name), index);
    }
};

const std::string SetupDialog = "Gyorsító adatfjál|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|1|gydat";
const std::string ResultsDialog = "Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*|1|edat";

// The start-up file is applied onto the controls, and "Mentés" writes back
// to it what the controls now hold.
TEST_F(AppFiles, TheStartUpFileIsShownAndSavedBack) {
    EXPECT_EQ(std::tuple(app.Data.Cavities.CavityCount(), C("UpDown1").Value, C("UpDown2").Value, C("CheckBox1").Checked,
                         Trimmed("Edit2"), C("Edit14").Text, app.SetupPath),
              std::tuple(3, 60, 40, false, std::string("1.1"), std::string("100"), std::string("/prog/teszt02.gydat")));
    EXPECT_EQ(std::tuple(Trimmed("Edit4"), app.Data.Amplitude), std::tuple("45", 45.0));
    app.UpDownClick("UpDown1", false);
    app.Check("CheckBox1", true);
    app.Click("Kirs1");
    const SetupData saved = ParseSetup(files.Files["/prog/teszt02.gydat"]);
    EXPECT_EQ(std::tuple(saved.FrequencyPosition, saved.MultiParticle), std::tuple(59, true));
    app.Click("Kirsmsknt1");
    Choose(std::nullopt, SetupDialog);
    app.Click("Kirsmsknt2");  // the results' filters stay with the save dialog
    Choose(std::nullopt, ResultsDialog);
    EXPECT_EQ(std::tuple(app.SetupPath, app.ResultsPath), std::tuple("/prog/teszt02.gydat", ""));
    app.Click("Kirsmsknt1");
    Choose("/work/b.gydat", "Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*|1|gydat");
    EXPECT_EQ(std::tuple(app.SetupPath, files.Files.contains("/work/b.gydat")), std::tuple("/work/b.gydat", true));
    files.Files["/work/c.gydat"] = "Cavity num =1\r\nCavity =\t16\t50\t16\t60\r\n";
    app.Click("Betlts1");
    Choose("/work/c.gydat", "Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|1|gydat");
    EXPECT_EQ(std::tuple(app.Data.Cavities.CavityCount(), app.SetupPath), std::tuple(1, "/work/c.gydat"));
    files.Files["/work/c.gydat"] = "Cavity num =3\r\nCavity =\t16\t50\t16\t60\r\n";  // one cavity short
    app.LoadAcceleratorData("/work/c.gydat");
    EXPECT_EQ(Asked(), "***WARNING ***|Not all cavities could be read correctly\n");
    EXPECT_EQ(asker.questions[0].Kind, QuestionKind::InformPlain);
    asker.Answer(Answer::Ok);
    app.Data.Cavities.Append({16, 50, 16, 60});  // not yet built
    app.Data.Cavities.Append({16, 50, 16, 60});
    app.LoadAcceleratorData("/work/none.gydat");  // missing: the table as it is, built
    EXPECT_EQ(std::tuple(app.Data.CavityList.size(), asker.questions.size()), std::tuple(3u, 1u));
    asker.Answer(Answer::Ok);  // two cavities were expected
    app.SetupPath.clear();
    app.Click("Kirs1");  // no file yet: "Mentés másként"
    Choose(std::nullopt, "Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*|1|gydat");
    files.Files["/work/c.gydat"] = "Cavity num =0\r\n";
    app.LoadAcceleratorData("/work/c.gydat");
    EXPECT_EQ(RunState(), (std::vector<bool>{false, false, false, false, true}));
}

// Unreadable files change nothing; reports name the file and the reason.
TEST_F(AppFiles, FilesThatFailAreReportedAndChangeNothing) {
    files.Broken = {"/work/bad.gydat", "/work/bad.edat", "/prog/teszt02.gydat"};
    app.Click("Betlts1");
    Choose("/work/bad.gydat", "Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|1|gydat");
    app.Click("Betlts2");
    Choose("/work/bad.edat", "Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|2|gydat");
    app.Data.Store.RecordArrival(5.0, 0.5);
    app.Click("Betlts2");
    Choose("/work/none.edat", "Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|2|gydat");
    app.Click("Kirs1");
    EXPECT_EQ(std::tuple(app.Data.Cavities.CavityCount(), app.SetupPath, app.ResultsPath, app.Data.Store.ArrivedCount),
              std::tuple(3, "/prog/teszt02.gydat", "", 1));
    EXPECT_EQ(Asked(), "*** HIBA ***|A gyorsító adatait nem sikerült betölteni innen:\n/work/bad.gydat\n\nunreadable\n"
                       "*** HIBA ***|Az eredményeket nem sikerült betölteni innen:\n/work/bad.edat\n\nunreadable\n\n"
                       "Az eddigi eredmények változatlanok maradtak.\n"
                       "*** HIBA ***|Az eredményeket nem sikerült betölteni innen:\n/work/none.edat\n\nmissing\n\n"
                       "Az eddigi eredmények változatlanok maradtak.\n"
                       "*** HIBA ***|A gyorsító adatait nem sikerült kiírni ide:\n/prog/teszt02.gydat\n\nread-only\n");
    asker.questions.clear();
    app.Click("Kirs2");
    Choose("/work/bad.edat", ResultsDialog);
    EXPECT_EQ(Asked(), "*** HIBA ***|Az eredményeket nem sikerült kiírni ide:\n/work/bad.edat\n\nread-only\n");
    asker.questions.clear();
}

// Loaded results reach the counts, the clock, the "Auto" boxes, the
// fields and both plots; "Kiírás" then writes them back.
TEST_F(AppFiles, ResultsAreLoadedOntoEveryDisplay) {
    Results source;
    source.RecordArrival(50.0, 0.5);
    source.RecordArrival(60.0, 1.5);
    source.LaunchedCount = 7;
    source.EnergySpectrum.Auto = false;
    source.EnergySpectrum.XMax = 300;
    files.Files["/work/r.edat"] = FormatResults(source, AdvanceRunClock(RunClockRestart, 61000));
    app.Click("Betlts2");
    Choose("/work/r.edat", "Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|2|gydat");
    EXPECT_EQ(std::tuple(app.Data.Store.ArrivedCount, C("Label20").Text, Trimmed("Edit15"), C("CheckBox2").Checked,
                         Trimmed("Edit5"), app.EnergySpectrum().Picture().Counts, app.ResultsPath),
              std::tuple(2, CountsText(7, 2), std::string("00:01:01"), false, std::string("300"), true, "/work/r.edat"));
    files.Files.erase("/work/r.edat");
    app.Click("Kirs2");
    EXPECT_EQ(ParseResults(files.Files["/work/r.edat"]).Data.EnergyValues, source.EnergyValues);
}

// The timed run ends on its clock: both files under the base name, the
// notice, then the end; a file that cannot be written keeps the program.
TEST_F(AppFiles, TheTimedRunEndsWithBothFiles) {
    for (const std::string broken : {"VELOX_2013.edat", "VELOX_2013.gydat", ""}) {
        files.Broken = {broken};
        app.Check("CheckBox4", false);
        app.ComboBox1Change(2);
        app.Data.Store.Clear();
        app.Click("Button3");
        int ticks = 0;
        for (; ticks < 7000 && app.Run.Running; ++ticks) app.Timer2Timer();
        EXPECT_EQ(std::tuple(ticks, told.back().CancelDrag, app.SetupPath), std::tuple(1200, true, "VELOX_2013.gydat"));
        ASSERT_EQ(asker.questions.size(), 1u);
        const Question& q = asker.questions[0];
        EXPECT_EQ(q.Title, broken.empty() ? "*** INFORMÁCIÓ ***" : "*** HIBA ***");
        EXPECT_EQ(q.Text.find("(" + broken + "):\nread-only"), broken.empty() ? std::string::npos : q.Text.find("("))
            << q.Text;
        asker.Answer(Answer::Ok);
        EXPECT_EQ(std::tuple(app.Ended, told.back().EndProgram), std::tuple(broken.empty(), broken.empty()));
        EXPECT_EQ(std::tuple(C("Betlts1").Enabled, C("Button3").Enabled), std::tuple(true, true));
        app.Check("CheckBox4", true);
    }
    EXPECT_EQ(ParseSetup(files.Files["VELOX_2013.gydat"]).Cavities.size(), 3u);
}

// The files of a timed run at every speed are the pinned ones.
class TimedRunFiles : public AppTest, public ::testing::WithParamInterface<testing::PinnedRun> {};

TEST_P(TimedRunFiles, AreByteForByteThoseOfTheFirstRelease) {
    app.Check("CheckBox4", false);
    app.ComboBox1Change(GetParam().Speed - 1);
    app.Click("Button3");
    for (int ticks = 0; ticks < 7000 && app.Run.Running; ++ticks) app.Timer2Timer();
    EXPECT_TRUE(asker.Answer(Answer::Ok));  // the notice
    EXPECT_EQ(testing::Digest(files.Files["VELOX_2013.gydat"]), testing::PinnedSetup);
    EXPECT_EQ(testing::Digest(files.Files["VELOX_2013.edat"]), GetParam().WindowResults);
}
INSTANTIATE_TEST_SUITE_P(EverySpeed, TimedRunFiles, ::testing::ValuesIn(testing::PinnedRuns),
                         [](const auto& run) { return "Speed" + std::to_string(run.param.Speed); });

// The exercise text: none without its file, read afresh at every showing,
// and a file that cannot be read is reported.
TEST_F(AppFiles, TheTaskTextIsReadAfresh) {
    EXPECT_TRUE(app.TaskText().Paragraphs.empty());
    files.Files["/prog/Velox.rtf"] = "{\\rtf1 {\\b Masodik} feladat\\par}";
    const RtfText text = app.TaskText();
    ASSERT_EQ(text.Paragraphs.size(), 1u);
    EXPECT_EQ(std::tuple(text.Paragraphs[0].Runs.size(), asker.questions.size()), std::tuple(2u, 0u));
    files.Broken = {"/prog/Velox.rtf"};
    EXPECT_TRUE(app.TaskText().Paragraphs.empty());
    EXPECT_EQ(Asked(), "*** HIBA ***|A feladat szövegét nem sikerült beolvasni:\n/prog/Velox.rtf\nunreadable\n");
    asker.Answer(Answer::Ok);
}

// The export: CSV or PNG by the suffix, else by the chosen filter; a name
// changed by the suffix rule asks before replacing an existing file.
TEST_F(AppFiles, ExportWritesTheChosenFormat) {
    app.Data.Store.RecordArrival(17.3 / 3, 0.1 + 0.2);  // values that need all 17 digits
    app.Data.Store.EnergyValues.push_back(1e-7);       // a longer energy list, as a results file may bring
    files.Files["/work/a.png"] = "old";
    const std::string dialog = "CSV fájl (*.csv)|*.csv|PNG kép (*.png)|*.png";
    app.Click("Exportls1");
    Choose("/work/a.csv", dialog + "|1|csv");
    app.Click("Exportls1");
    Choose("/work/a", dialog + "|1|csv", 2);
    EXPECT_EQ(Asked(), "*** MEGEROSÍTÉS ***|Ez a fájl már létezik:\n/work/a.png\nValóban felül akarja írni?\n");
    asker.Answer(Answer::No);
    EXPECT_EQ(files.Files["/work/a.png"], "old");
    app.Click("Exportls1");
    Choose("/work/a", dialog + "|2|png");
    asker.Answer(Answer::Yes);
    app.Click("Exportls1");
    Choose("/work/c", dialog + "|2|png", 1);  // the filter chosen: CSV
    EXPECT_EQ(std::tuple(files.Files["/work/a.csv"], files.Files["/work/c.csv"], files.Files["/work/a.png"]),
              std::tuple("\xEF\xBB\xBFSorszám,Energia,Érkezési idő\r\n1,3.3254444444444444,0.30000000000000004\r\n"
                         "2,1e-07,\r\n",
                         files.Files["/work/a.csv"], "PNG"));
    files.Broken = {"/work/b.csv"};
    app.Click("Exportls1");
    Choose("/work/b.csv", dialog + "|1|csv");
    EXPECT_EQ(Asked(), "*** HIBA ***|Az eredményeket nem sikerült exportálni ide:\n/work/b.csv\n\nread-only\n");
    asker.questions.clear();
    app.Click("Exportls1");
    Choose(std::nullopt, dialog + "|1|csv");
}

}  // namespace
}  // namespace velox::app
