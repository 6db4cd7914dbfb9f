// The end of the timed run: both files written and the program ended, or a report.
#include <filesystem>

#include "../common/TimedRunPins.h"
#include "WindowFixture.h"
#include "core/model/RunControl.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

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

// A folder in a file's place: it is reported, the other written, the results kept.
TEST_F(TimedRun, AFileThatCannotBeWrittenIsReportedAndTheProgramStaysOpen) {
    TForm1& f = *form;
    const std::string names[] = {"VELOX_2013.gydat", "VELOX_2013.edat"};
    const QString reported[] = {"A gyorsító adatai (VELOX_2013.gydat)", "Az eredmények (VELOX_2013.edat)"};
    for (int blocked : {1, 0}) {
        for (const std::string& name : names) std::filesystem::remove_all(dir / name);
        std::filesystem::create_directory(dir / names[blocked]);
        asker.Asked.clear();
        if (blocked == 0) asker.Answers = {app::Answer::Yes};  // clears the first run
        if (blocked == 1) Start();
        if (blocked == 0) f.Control<QPushButton>("Button3")->click();
        EXPECT_EQ(TickUntilStopped(), 1200);
        const QString report = asker.Asked.value(blocked == 1 ? 0 : 1);
        EXPECT_TRUE(report.startsWith("*** HIBA ***|A mérés véget ért, de nem minden adatot sikerült kiírni.") &&
                    report.contains(reported[blocked]) && !report.contains(reported[1 - blocked]) &&
                    report.contains("hanem mappa"))
            << Text(report);
        EXPECT_EQ(ReadBytes(dir / names[1 - blocked]),
                  blocked == 1 ? FormatSetup(f.Data) : FormatResults(f.Data.Store, f.Run.RunClock));
        EXPECT_TRUE(!f.Ended && f.isVisible() && f.Control<QAction>("Betlts1")->isEnabled());
    }
    asker.Names = {Q(dir / "saved.edat")};
    f.Control<QAction>("Kirsmsknt2")->trigger();
    EXPECT_EQ(ReadBytes(dir / "saved.edat"), FormatResults(f.Data.Store, f.Run.RunClock));
    EXPECT_GT(f.Data.Store.ArrivedCount, 0);
}

// The window's files at every speed are the pinned ones; velox-batch's are checked by the batch tests.
class TimedRunFiles : public TimedRun, public ::testing::WithParamInterface<PinnedRun> {};

TEST_P(TimedRunFiles, AreByteForByteThoseOfTheFirstRelease) {
    const PinnedRun& pinned = GetParam();
    form->Control<QCheckBox>("CheckBox4")->click();
    form->Control<QComboBox>("ComboBox1")->setCurrentIndex(pinned.Speed - 1);
    form->Control<QPushButton>("Button3")->click();
    TickUntilStopped();
    ASSERT_TRUE(form->Ended);
    EXPECT_EQ(Digest(ReadBytes(dir / "VELOX_2013.gydat")), PinnedSetup);
    EXPECT_EQ(Digest(ReadBytes(dir / "VELOX_2013.edat")), pinned.WindowResults);
}
INSTANTIATE_TEST_SUITE_P(EverySpeed, TimedRunFiles, ::testing::ValuesIn(PinnedRuns),
                         [](const auto& run) { return "Speed" + std::to_string(run.param.Speed); });

}  // namespace
}  // namespace velox::testing
