// The "Szimuláció" panel: continue/stop, "Egy lépés", "Újraindít", the speed
// box, the run clock, and the control states that follow the run.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "WindowFixture.h"
#include "core/model/Numeric.h"

namespace velox::testing {
namespace {

using RunControl = WindowTest;

// Both run-state holders agree: the timer with the model, the caption too.
void ExpectRunState(const TForm1& f, bool running) {
    EXPECT_EQ(f.Timer2->isActive(), running);
    EXPECT_EQ(f.Run.Running, running);
    EXPECT_EQ(f.Simulation->Button1->text(), running ? "Stop" : "Folytatás");
}

// "Folytatás", "Egy lépés", and the group locked while running.
void ExpectEnabled(const TForm1& f, bool button1, bool button2, bool button3, bool rest) {
    EXPECT_EQ(f.Simulation->Button1->isEnabled(), button1);
    EXPECT_EQ(f.Simulation->Button2->isEnabled(), button2);
    EXPECT_EQ(f.Simulation->Button3->isEnabled(), button3);
    for (QWidget* w : {(QWidget*)f.Generator->Button4, (QWidget*)f.Results->Button5, (QWidget*)f.IonSource->Edit13,
                       (QWidget*)f.IonSource->Edit14, (QWidget*)f.Generator->UpDown1, (QWidget*)f.Generator->UpDown2})
        EXPECT_EQ(w->isEnabled(), rest);
}

TEST_F(RunControl, ContinueRelaunchesSlotZeroAndCountsIt) {
    TForm1& f = *form;
    f.IonSource->CheckBox1->setChecked(false);  // single particle: only slot 0 flies
    f.Simulation->Button1->click();
    ExpectRunState(f, true);
    EXPECT_EQ(f.Data.Store.LaunchedCount, 1);
    for (int i = 0; i < 30; ++i) f.Timer2Timer();
    f.Simulation->Button1->click();
    ExpectRunState(f, false);
    ASSERT_TRUE(f.View->Shape22->isVisible());
    EXPECT_GT(f.Data.Particles[0].X, 10.0);
    EXPECT_EQ(f.View->Shape22->x(), TruncToInt(f.Data.Particles[0].X) + 13 - 3);
    f.Simulation->Button1->click();
    EXPECT_EQ(f.Data.Particles[0].X, 10.0);
    EXPECT_EQ(f.Data.Particles[0].V, 0.0);
    EXPECT_EQ(f.Data.Store.LaunchedCount, 2);
}

TEST_F(RunControl, ControlStatesFollowTheRunAndTheMode) {
    TForm1& f = *form;
    f.Simulation->Button1->click();
    ExpectEnabled(f, true, false, false, false);
    f.Simulation->Button1->click();
    ExpectEnabled(f, true, true, true, true);
    // Unchecking "Teszt üzemmód" while running stops the run; only restart
    // runs in this mode, and re-checking the box stops and frees all.
    f.Simulation->Button1->click();
    f.Results->CheckBox4->click();
    ExpectRunState(f, false);
    ExpectEnabled(f, false, false, true, false);
    f.Simulation->Button3->click();
    ExpectRunState(f, true);
    f.Results->CheckBox4->click();
    ExpectRunState(f, false);
    ExpectEnabled(f, true, true, true, true);
    // No cavities: the three buttons are off in timed mode too.
    f.Data.Cavities.SetCavityCount(0);
    f.Data.BuildCavities();
    f.Results->CheckBox4->click();
    EXPECT_FALSE(f.Simulation->Button1->isEnabled() || f.Simulation->Button2->isEnabled() ||
                 f.Simulation->Button3->isEnabled());
}

TEST_F(RunControl, RestartAsksBeforeClearingAndGoesAheadEitherWay) {
    TForm1& f = *form;
    f.Data.Store.RecordArrival(10.0, 1.0);
    f.Simulation->Button1->click();
    for (int i = 0; i < 5; ++i) f.Timer2Timer();
    f.Simulation->Button1->click();
    prompter.Answers = {ui::Answer::No};
    f.Simulation->Button3->click();
    EXPECT_EQ(prompter.Asked, QStringList{"*** MEGEROSÍTÉS ***|Valóban törölni akarja az eredményeket? "});
    EXPECT_EQ(f.Data.Store.ArrivedCount, 1);
    ExpectRunState(f, true);
    EXPECT_EQ(f.Data.SimTime, 0.0);
    EXPECT_EQ(f.Run.RunClock, RunClockRestart);
    for (TShape* p : f.View->ParticleMarkerShapes) EXPECT_FALSE(p->isVisible());

    // The particles flying before the restart are idled by it: no launches.
    for (int i = 0; i < 5; ++i) f.Timer2Timer();
    ASSERT_GT(f.Data.FlyingCount(), 0);
    prompter.Answers = {ui::Answer::Yes};
    f.Simulation->Button1->click();
    f.Simulation->Button3->click();
    EXPECT_TRUE(f.Data.Store.IsEmpty());
    EXPECT_EQ(f.Data.Store.LaunchedCount, 0);
    ExpectRunState(f, true);
    f.Simulation->Button1->click();
    f.Simulation->Button3->click();  // nothing to clear: no question
    EXPECT_EQ(prompter.Asked.size(), 2);
}

TEST_F(RunControl, SpeedSetsTheTimerInterval) {
    const int expected[] = {90, 70, 50, 30, 10};
    for (int i = 0; i < 5; ++i) {
        form->Simulation->ComboBox1->setCurrentIndex(i);
        EXPECT_EQ(form->Timer2->interval(), expected[i]) << "speed " << i + 1;
    }
}

TEST_F(RunControl, TheTimerTicksAndTheClockCountsTicks) {
    TForm1& f = *form;
    f.Simulation->Button3->click();
    ASSERT_TRUE(WaitFor([&] { return f.Data.Store.LaunchedCount > 0 && f.Run.RunClock > RunClockRestart; }));
    f.Simulation->Button1->click();
    const std::int64_t ms = TimeOfDayMs(f.Run.RunClock);
    EXPECT_EQ(ms % 10, 0);
    EXPECT_GT(ms, 0);
    f.Simulation->Button2->click();  // a single step does not advance the clock
    EXPECT_EQ(TimeOfDayMs(f.Run.RunClock), ms);
}

TEST_F(RunControl, ClockFieldIsRightAlignedAndLeftAloneWhileFocused) {
    TForm1& f = *form;
    f.Simulation->Button3->click();
    for (int i = 0; i < 100; ++i) f.Timer2Timer();
    EXPECT_EQ(f.Simulation->Edit15->text().trimmed(), "00:00:01");
    EXPECT_TRUE(f.Simulation->Edit15->text().startsWith(' '));
    f.Simulation->Edit15->setFocus();
    f.Simulation->Edit15->setText("x");
    for (int i = 0; i < 100; ++i) f.Timer2Timer();
    EXPECT_EQ(f.Simulation->Edit15->text(), "x");
}

TEST_F(RunControl, ReadoutsShowVoltageAndPhaseRightAligned) {
    TForm1& f = *form;
    f.Data.SimTime = static_cast<double>(Pi / 2 - 0.05L);
    f.Simulation->Button2->click();
    EXPECT_EQ(f.Generator->Label26->text(), "Fázis =   90.0000");
    EXPECT_EQ(f.Generator->Label25->text(), "Feszültség =   50.0000");
    EXPECT_EQ(f.Info->Label20->text(), "Összes indított = 0\nÖsszes beérkezett = 0");
}

TEST_F(RunControl, ParticleMarkersTakeTheirColoursFromTheStep) {
    TForm1& f = *form;
    f.IonSource->CheckBox1->setChecked(false);
    for (int i : {0, 1, 2}) f.Data.LaunchParticle(i);
    f.Data.Particles[0] = {50.0, 5.0, 0};   // inside the accelerating electrode, fastest
    f.Data.Particles[1] = {100.0, 1.0, 1};  // inside the grounded electrode
    f.Data.Particles[2] = {20.0, 0.5, 2};   // in the first gap
    f.Simulation->Button2->click();
    EXPECT_EQ(f.View->Shape22->BrushColor(), QColor(255, 0, 0));
    EXPECT_EQ(f.View->Shape23->BrushColor(), QColor(0, 255, 255));
    EXPECT_EQ(f.View->Shape24->BrushColor(), QColor(0, 0, 0));
    EXPECT_EQ(f.View->Shape23->geometry(), QRect(TruncToInt(f.Data.Particles[1].X) + 13 - 3, 11 + 41 - 3, 5, 5));
    EXPECT_TRUE(f.View->Shape24->isVisible());
    EXPECT_FALSE(f.View->Shape25->isVisible());
}

}  // namespace
}  // namespace velox::testing
