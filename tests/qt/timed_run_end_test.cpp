// The end of the timed run: both files written and the program ended, or a report.
#include "../common/TimedRunPins.h"
#include "WindowFixture.h"
#include "core/model/RunControl.h"

namespace velox::testing {
namespace {

const QStringList Written{"*** INFORMÁCIÓ ***|Az adatok kiírásra kerültek"};

class TimedRun : public WindowTest {
protected:
    // "Teszt üzemmód" cleared, speed 3, "Újraindít".
    void Start() {
        form->Control<QCheckBox>("CheckBox4")->click();
        form->Control<QComboBox>("ComboBox1")->setCurrentIndex(2);
        form->Control<QPushButton>("Button3")->click();
        ASSERT_EQ(form->Timer2->interval(), 50);
    }
    // Ticks until the run stops; the number of ticks.
    int TickUntilStopped() {
        int ticks = 0;
        for (; ticks < 7000 && form->Timer2->isActive(); ++ticks) form->Timer2Timer();
        return ticks;
    }
};

// Nothing is loaded into a timed run, though saving is open and the markers answer.
TEST_F(TimedRun, LoadsWaitUntilTheRunStops) {
    TForm1& f = *form;
    Start();
    for (QAction* load : {f.Control<QAction>("Betlts1"), f.Control<QAction>("Betlts2")}) {
        EXPECT_FALSE(load->isEnabled());
        load->trigger();  // no file dialog
    }
    EXPECT_TRUE(f.Control<QAction>("Kirs1")->isEnabled() && f.Control<QAction>("Kirs2")->isEnabled());
    dialogs.Steps = {Press(&Dlg::CancelBtn)};
    RightClick(f.Control<ui::TShape>("Shape1"));
    EXPECT_EQ(dialogs.Shown, QStringList{"Gyorsítóüreg"});
    f.Control<QCheckBox>("CheckBox4")->click();  // stops the run
    EXPECT_TRUE(f.Control<QAction>("Betlts1")->isEnabled() && f.Control<QAction>("Betlts2")->isEnabled());
}

// The end closes the quit question too.
TEST_F(TimedRun, EndingUnderTheQuitQuestionEndsTheProgram) {
    TForm1& f = *form;
    Start();
    for (int tick = 1; tick < 1200; ++tick) f.Run.RunClock = AdvanceRunClock(f.Run.RunClock, 50);
    dialogs.Steps = {[&f](QDialog&) { f.Timer2Timer(); }};
    f.Control<QAction>("Vge1")->trigger();
    EXPECT_EQ(std::tuple(f.MsgDlg->isVisible(), f.Ended, f.isVisible()), std::tuple(false, true, false));
    EXPECT_EQ(asker.Asked, Written);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"VELOX_2013.edat", "VELOX_2013.gydat"}));
}

// The window's files are the pinned ones (the layer's tests pin every speed).
TEST_F(TimedRun, WritesThePinnedFiles) {
    Start();
    EXPECT_EQ(TickUntilStopped(), 1200);
    ASSERT_TRUE(form->Ended);
    EXPECT_EQ(Digest(ReadBytes(dir / "VELOX_2013.gydat")), PinnedSetup);
    EXPECT_EQ(Digest(ReadBytes(dir / "VELOX_2013.edat")), PinnedRuns[2].WindowResults);
}

}  // namespace
}  // namespace velox::testing
