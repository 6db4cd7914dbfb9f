// The end of the timed run: both files in the working folder, the closing
// message and the end of the program; and what happens when a file cannot
// be written.
#include <sys/wait.h>

#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "WindowsFixture.h"
#include "core/model/RunControl.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox::testing {
namespace {

class TimedRun : public WindowsTest {
protected:
    // "Teszt üzemmód" cleared, speed 3, "Újraindít".
    void StartTimedRun() {
        TForm1& f = *form;
        f.CheckBox4->click();
        f.ComboBox1->setCurrentIndex(2);
        f.Button3->click();
        ASSERT_TRUE(f.Timer2->isActive());
        ASSERT_EQ(f.Timer2->interval(), 50);
    }
    // SimTimer ticks until the run stops; the number of ticks.
    int TickUntilStopped(int limit = 2000) {
        int ticks = 0;
        while (ticks < limit && form->Timer2->isActive()) {
            form->Timer2Timer();
            ++ticks;
        }
        return ticks;
    }
};

int RunBatch(const std::string& args) {
    std::string command = "'";
    command += VELOX_BATCH_PROGRAM;
    command += "' ";
    command += args;
    command += " >/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(TimedRun, EndsOnTick1200WritesWhatTheBatchRunWritesAndEnds) {
    TForm1& f = *form;
    StartTimedRun();
    EXPECT_EQ(TickUntilStopped(), 1200);
    EXPECT_EQ(prompter.Asked, QStringList{"*** INFORMÁCIÓ ***|Az adatok kiírásra kerültek"});
    EXPECT_TRUE(f.Ended);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(dialogs.Shown.isEmpty());  // no quit question
    EXPECT_EQ(f.SetupPath, "VELOX_2013.gydat");
    EXPECT_EQ(f.ResultsPath, "VELOX_2013.edat");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"VELOX_2013.edat", "VELOX_2013.gydat"}));

    TempDir batch;
    ASSERT_EQ(RunBatch("--speed 3 --out '" + batch.Path() + "'"), 0);
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"), ReadBytes(batch / "VELOX_2013.gydat"));

    // Record by record, apart from the count axis tops of the spectra whose
    // "Auto" is on: the batch run gives them as the next redraw would.
    const std::string window = ReadBytes(dir / "VELOX_2013.edat");
    const std::string headless = ReadBytes(batch / "VELOX_2013.edat");
    const Results& r = f.Data.Store;
    ASSERT_GT(r.ArrivedCount, 0);
    ASSERT_TRUE(r.EnergySpectrum.Auto);
    ASSERT_TRUE(r.TimeSpectrum.Auto);
    const std::size_t records = r.EnergyValues.size() + r.TimeValues.size() + 15;
    ASSERT_EQ(window.size(), 8 * records);
    ASSERT_EQ(headless.size(), 8 * records);
    const std::size_t energyYMax = records - 7, timeYMax = records - 2;
    for (std::size_t k = 0; k < records; ++k) {
        if (k == energyYMax || k == timeYMax) continue;
        EXPECT_EQ(window.substr(8 * k, 8), headless.substr(8 * k, 8)) << "record " << k;
    }
}

TEST_F(TimedRun, UnwritableFolderIsReportedAndTheProgramStaysOpen) {
    TForm1& f = *form;
    // A working folder that no longer exists cannot take any file.
    std::filesystem::create_directory(dir / "gone");
    ASSERT_TRUE(QDir::setCurrent(Q(dir / "gone")));
    std::filesystem::remove(dir / "gone");
    StartTimedRun();
    EXPECT_EQ(TickUntilStopped(), 1200);
    ASSERT_EQ(prompter.Asked.size(), 1);
    const QString report = prompter.Asked[0];
    EXPECT_TRUE(report.startsWith("*** HIBA ***|A mérés véget ért, de nem minden adatot sikerült kiírni.")) << Text(report);
    EXPECT_TRUE(report.contains("A gyorsító adatai (VELOX_2013.gydat)")) << Text(report);
    EXPECT_TRUE(report.contains("Az eredmények (VELOX_2013.edat)")) << Text(report);
    EXPECT_TRUE(report.contains("No such file or directory")) << Text(report);
    EXPECT_FALSE(report.contains("kiírásra kerültek"));
    EXPECT_FALSE(f.Ended);
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.Timer2->isActive());

    // The results are still there and can be saved from the menu.
    const Results kept = f.Data.Store;
    EXPECT_GT(kept.ArrivedCount, 0);
    prompter.Names = {Q(dir / "saved.edat"), Q(dir / "saved.gydat")};
    f.Kirsmsknt2->trigger();
    f.Kirsmsknt1->trigger();
    EXPECT_EQ(ReadBytes(dir / "saved.edat"), FormatResults(kept, f.Run.RunClock));
    EXPECT_EQ(ReadBytes(dir / "saved.gydat"), FormatSetup(f.Data));
    EXPECT_EQ(prompter.Asked.size(), 1);
}

TEST_F(TimedRun, OneFileFailingIsNamedAlone) {
    TForm1& f = *form;
    std::filesystem::create_directory(dir / "VELOX_2013.edat");
    StartTimedRun();
    EXPECT_EQ(TickUntilStopped(), 1200);
    ASSERT_EQ(prompter.Asked.size(), 1);
    EXPECT_FALSE(prompter.Asked[0].contains("VELOX_2013.gydat")) << Text(prompter.Asked[0]);
    EXPECT_TRUE(prompter.Asked[0].contains("Az eredmények (VELOX_2013.edat)"));
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"), FormatSetup(f.Data));
    EXPECT_TRUE(f.isVisible());
}

TEST_F(TimedRun, EndingUnderTheQuitQuestionEndsTheProgram) {
    TForm1& f = *form;
    StartTimedRun();
    for (int tick = 1; tick < 1200; ++tick) f.Run.RunClock = AdvanceRunClock(f.Run.RunClock, 50);
    dialogs.Steps = {[&f](QDialog&) { f.Timer2Timer(); }};
    f.Vge1->trigger();
    EXPECT_EQ(dialogs.Shown, QStringList{"FIGYELMEZTETÉS! "});
    EXPECT_FALSE(msgDlg->isVisible());
    EXPECT_TRUE(f.Ended);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(prompter.Asked, QStringList{"*** INFORMÁCIÓ ***|Az adatok kiírásra kerültek"});
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"VELOX_2013.edat", "VELOX_2013.gydat"}));
}

}  // namespace
}  // namespace velox::testing
