// The "Szimuláció" panel, the run clock and the control states of a run.

#include "WindowFixture.h"
#include "core/model/Numeric.h"
#include "core/model/RunControl.h"

namespace velox::testing {
namespace {

using RunPanelTest = WindowTest;

// Running, then the enabled state of Button1 … Button3 and of the locked rest.
QList<bool> RunState(const TForm1& f) {
    QList<bool> s{f.Timer2->isActive(), f.Simulation->Button1->isEnabled(), f.Simulation->Button2->isEnabled(),
                  f.Simulation->Button3->isEnabled()};
    for (QWidget* w : std::initializer_list<QWidget*>{f.Generator->Button4, f.Results->Button5, f.IonSource->Edit13,
                                                      f.IonSource->Edit14, f.Generator->UpDown1, f.Generator->UpDown2})
        s << w->isEnabled();
    EXPECT_EQ(f.Simulation->Button1->text(), s[0] ? "Stop" : "Folytatás");
    return s;
}
QList<bool> States(bool running, bool button1, bool button2, bool button3, bool rest) {
    return QList<bool>{running, button1, button2, button3} + QList<bool>(6, rest);
}

TEST_F(RunPanelTest, ControlStatesFollowTheRunAndTheMode) {
    TForm1& f = *form;
    EXPECT_EQ(RunState(f), States(false, true, true, true, true));
    f.Simulation->Button1->click();
    EXPECT_EQ(RunState(f), States(true, true, false, false, false));
    f.Results->CheckBox4->click();
    EXPECT_EQ(RunState(f), States(false, false, false, true, false));
    f.Simulation->Button3->click();
    EXPECT_EQ(RunState(f), States(true, false, false, false, false));
    f.Results->CheckBox4->click();
    EXPECT_EQ(RunState(f), States(false, true, true, true, true));
}

TEST_F(RunPanelTest, ContinueRelaunchesSlotZeroAndRestartIdlesEverySlot) {
    TForm1& f = *form;
    f.IonSource->CheckBox1->setChecked(false);
    f.Simulation->Button1->click();
    for (int i = 0; i < 30; ++i) f.Timer2Timer();
    f.Simulation->Button1->click();
    EXPECT_EQ(f.View->Shape22->geometry(), QRect(TruncToInt(f.Data.Particles[0].X) + 13 - 3, 11 + 41 - 3, 5, 5));
    EXPECT_EQ(std::tuple(f.View->Shape22->isVisible(), f.View->Shape22->grab().toImage().pixelColor(2, 2),
                         f.View->Shape23->isVisible()),
              std::tuple(true, QColor(255, 0, 0), false));  // drawn anew red as the fastest
    f.Simulation->Button1->click();
    EXPECT_EQ(std::tuple(f.Data.Particles[0].X, f.Data.Store.LaunchedCount), std::tuple(10.0, 2));
    f.Simulation->Button1->click();
    f.Simulation->Button3->click();
    for (TShape* p : f.View->ParticleMarkerShapes) EXPECT_FALSE(p->isVisible());
}

// "Újraindít" asks to clear the results.  A free run restarts whatever the answer; a
// timed run starts only from empty results, so "Nem" leaves everything as it was.
TEST_F(RunPanelTest, RestartAsksToClearAndATimedRunStartsOnlyFromEmptyResults) {
    TForm1& f = *form;
    const double clock = AdvanceRunClock(RunClockRestart, 30000);
    const struct { bool free; ui::Answer answer; bool restarts; int arrived; } cases[] = {
        {true, ui::Answer::No, true, 1}, {false, ui::Answer::No, false, 1}, {false, ui::Answer::Yes, true, 0}};
    f.Data.Store.RecordArrival(10.0, 1.0);
    for (const auto& c : cases) {
        f.Results->CheckBox4->setChecked(!c.free);
        f.Results->CheckBox4->click();  // the mode toggle stops the run
        std::tie(f.Run.RunClock, f.Data.SimTime) = std::pair(clock, 1.0);
        prompter.Answers = {c.answer};
        f.Simulation->Button3->click();
        EXPECT_EQ(std::tuple(f.Timer2->isActive(), f.Simulation->Button1->text(), f.Run.RunClock, f.Data.SimTime,
                             f.Data.Store.ArrivedCount),
                  c.restarts ? std::tuple(true, QString("Stop"), RunClockRestart, 0.0, c.arrived)
                             : std::tuple(false, QString("Folytatás"), clock, 1.0, c.arrived))
            << c.free;
    }
    EXPECT_EQ(prompter.Asked, QStringList(3, "*** MEGEROSÍTÉS ***|Valóban törölni akarja az eredményeket? "));
}

// The clock counts ticks, not steps; it is shown past the first hour too.
TEST_F(RunPanelTest, TheTimerTicksAndTheClockCountsTicks) {
    TForm1& f = *form;
    QSignalSpy ticks(f.Timer2, &QTimer::timeout);
    f.Simulation->Button3->click();
    ASSERT_TRUE(WaitFor([&] { return ticks.count() >= 5; }));
    f.Simulation->Button1->click();
    f.Simulation->Button2->click();
    EXPECT_EQ(TimeOfDayMs(f.Run.RunClock), 10 * ticks.count());
    f.Run.RunClock = AdvanceRunClock(RunClockRestart, (3600 + 23 * 60 + 59) * 1000 + 990);
    f.Timer2Timer();
    EXPECT_TRUE(f.Simulation->Edit15->text().startsWith(" ") && f.Simulation->Edit15->text().endsWith(" 01:24:00"));
    f.Simulation->Edit15->setFocus();
    f.Simulation->Edit15->setText("x");
    f.Timer2Timer();
    EXPECT_EQ(f.Simulation->Edit15->text(), "x");
}

TEST_F(RunPanelTest, OneStepShowsItsReadoutsButDrawsNoPlot) {
    TForm1& f = *form;
    f.Timer3->stop();
    const QImage plot = f.EnergySpectrum->Image2->Picture();
    f.Data.Store.RecordArrival(10.0, 0.25);
    f.Data.SimTime = static_cast<double>(Pi / 2 - 0.05);
    f.Simulation->Button2->click();
    EXPECT_EQ(QStringList({f.Generator->Label25->text(), f.Generator->Label26->text(), f.Info->Label20->text(),
                           f.Info->Label21->text(), f.Info->Label22->text()}),
              QStringList({"Feszültség =   50.0000", "Fázis =   90.0000", "Összes indított = 0\nÖsszes beérkezett = 1",
                           "E =    10.0000", "t =     0.2500"}));
    EXPECT_EQ(f.IonSource->Shape52->x(), 15 + 2 + 101 / 4);  // the phase cursor at a quarter period
    EXPECT_EQ(f.EnergySpectrum->Image2->Picture(), plot);
}

}  // namespace
}  // namespace velox::testing
