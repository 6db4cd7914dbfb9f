// The end of the timed run: both files in the working folder, the closing
// message and the end of the program, or the report of what was not written.
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "WindowsFixture.h"
#include "core/model/RunControl.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox::testing {
namespace {

const QStringList Written{"*** INFORMÁCIÓ ***|Az adatok kiírásra kerültek"};
const std::vector<std::string> BothFiles{"VELOX_2013.edat", "VELOX_2013.gydat"};

class TimedRun : public WindowsTest {
protected:
    // "Teszt üzemmód" cleared, speed 3, "Újraindít".
    void Start() {
        form->Results->CheckBox4->click();
        form->Simulation->ComboBox1->setCurrentIndex(2);
        form->Simulation->Button3->click();
        ASSERT_EQ(form->Timer2->interval(), 50);
    }
    // Ticks until the run stops; the number of ticks.
    int TickUntilStopped() {
        int ticks = 0;
        for (; ticks < 7000 && form->Timer2->isActive(); ++ticks) form->Timer2Timer();
        return ticks;
    }
};

TEST_F(TimedRun, EndsOnTick1200WritesWhatTheBatchRunWritesAndEnds) {
    TForm1& f = *form;
    Start();
    EXPECT_EQ(TickUntilStopped(), 1200);
    EXPECT_EQ(prompter.Asked, Written);
    EXPECT_TRUE(f.Ended);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(dialogs.Shown.isEmpty());  // no quit question
    EXPECT_EQ(f.Files->ResultsPath, "VELOX_2013.edat");
    EXPECT_EQ(dir.Entries(), BothFiles);

    TempDir batch;
    const std::string command = "'" VELOX_BATCH_PROGRAM "' --speed 3 --out '" + batch.Path() + "' >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"), ReadBytes(batch / "VELOX_2013.gydat"));

    // Record by record, apart from the count axis tops of the spectra whose
    // "Auto" is on: the batch run gives them as the next redraw would.
    const std::string window = ReadBytes(dir / "VELOX_2013.edat"), headless = ReadBytes(batch / "VELOX_2013.edat");
    const Results& r = f.Data.Store;
    ASSERT_GT(r.ArrivedCount, 0);
    ASSERT_TRUE(r.EnergySpectrum.Auto && r.TimeSpectrum.Auto);
    const std::size_t records = r.EnergyValues.size() + r.TimeValues.size() + 15;
    ASSERT_EQ(window.size(), 8 * records);
    ASSERT_EQ(headless.size(), 8 * records);
    for (std::size_t k = 0; k < records; ++k) {
        if (k == records - 7 || k == records - 2) continue;
        EXPECT_EQ(window.substr(8 * k, 8), headless.substr(8 * k, 8)) << "record " << k;
    }
}

// The run's clock, arrivals and accelerator are its own: nothing is loaded
// while it runs, though saving is open and the markers answer as ever.
TEST_F(TimedRun, LoadsWaitUntilTheRunStops) {
    TForm1& f = *form;
    Start();
    for (QAction* load : {f.Betlts1, f.Betlts2}) {
        EXPECT_FALSE(load->isEnabled());
        load->trigger();  // no file dialog
    }
    EXPECT_TRUE(f.Kirs1->isEnabled() && f.Kirs2->isEnabled());
    dialogs.Steps = {On<TUregAdatDlg>([](TUregAdatDlg& d) { d.CancelBtn->click(); })};
    QTest::mouseClick(f.View->Shape1, Qt::RightButton);
    EXPECT_EQ(dialogs.Shown, QStringList{"Gyorsítóüreg"});
    f.Results->CheckBox4->click();  // stops the run
    EXPECT_TRUE(f.Betlts1->isEnabled() && f.Betlts2->isEnabled());
}

TEST_F(TimedRun, UnwritableFilesAreReportedAndTheProgramStaysOpen) {
    TForm1& f = *form;
    // The results file beyond the process's file size limit, which the
    // set-up file keeps within, under the program's signal set-up; then a
    // working folder that no longer exists.
    IgnoreFileSizeSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{1024, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Start();
    EXPECT_EQ(TickUntilStopped(), 1200);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_EQ(prompter.Asked.size(), 1);
    EXPECT_FALSE(prompter.Asked[0].contains("VELOX_2013.gydat")) << Text(prompter.Asked[0]);
    EXPECT_TRUE(prompter.Asked[0].contains("Az eredmények (VELOX_2013.edat)") &&
                prompter.Asked[0].contains("File too large")) << Text(prompter.Asked[0]);
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"), FormatSetup(f.Data));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"VELOX_2013.gydat"});

    std::filesystem::create_directory(dir / "gone");
    ASSERT_TRUE(QDir::setCurrent(Q(dir / "gone")));
    std::filesystem::remove(dir / "gone");
    prompter.Asked.clear();
    prompter.Answers = {ui::Answer::Yes};  // clear the first run
    f.Simulation->Button3->click();
    EXPECT_EQ(TickUntilStopped(), 1200);
    ASSERT_EQ(prompter.Asked.size(), 2);
    const QString report = prompter.Asked[1];
    EXPECT_TRUE(report.startsWith("*** HIBA ***|A mérés véget ért, de nem minden adatot sikerült kiírni.")) << Text(report);
    EXPECT_TRUE(report.contains("A gyorsító adatai (VELOX_2013.gydat)")) << Text(report);
    EXPECT_TRUE(report.contains("Az eredmények (VELOX_2013.edat)")) << Text(report);
    EXPECT_TRUE(report.contains("No such file or directory")) << Text(report);
    EXPECT_FALSE(f.Ended);
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_TRUE(f.Betlts1->isEnabled() && f.Betlts2->isEnabled());

    // The results are still there and can be saved from the menu.
    prompter.Names = {Q(dir / "saved.edat")};
    f.Kirsmsknt2->trigger();
    EXPECT_EQ(ReadBytes(dir / "saved.edat"), FormatResults(f.Data.Store, f.Run.RunClock));
    EXPECT_GT(f.Data.Store.ArrivedCount, 0);
    EXPECT_EQ(prompter.Asked.size(), 2);
}

TEST_F(TimedRun, EndingUnderTheQuitQuestionEndsTheProgram) {
    TForm1& f = *form;
    Start();
    for (int tick = 1; tick < 1200; ++tick) f.Run.RunClock = AdvanceRunClock(f.Run.RunClock, 50);
    dialogs.Steps = {[&f](QDialog&) { f.Timer2Timer(); }};
    f.Vge1->trigger();
    EXPECT_FALSE(msgDlg->isVisible());
    EXPECT_TRUE(f.Ended);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(prompter.Asked, Written);
    EXPECT_EQ(dir.Entries(), BothFiles);
}


// The files that the teacher collects, pinned byte for byte at every speed by
// a digest of each, for the window and for velox-batch (whose count axis tops
// differ: it gives them as the next redraw would).  Any change in the
// arithmetic, the launches or the file formats shows here.
std::string Digest(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a, 64 bits
    for (const unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return hex;
}

struct PinnedRun {
    int Speed;
    const char* WindowResults;
    const char* BatchResults;
};
const char* const PinnedSetup = "bad2c03d19540baa";  // the default set-up, at every speed

class TimedRunFiles : public TimedRun, public ::testing::WithParamInterface<PinnedRun> {};

TEST_P(TimedRunFiles, AreByteForByteThoseOfTheFirstRelease) {
    const PinnedRun& pinned = GetParam();
    form->Results->CheckBox4->click();
    form->Simulation->ComboBox1->setCurrentIndex(pinned.Speed - 1);
    form->Simulation->Button3->click();
    TickUntilStopped();
    ASSERT_TRUE(form->Ended);
    EXPECT_EQ(Digest(ReadBytes(dir / "VELOX_2013.gydat")), PinnedSetup);
    EXPECT_EQ(Digest(ReadBytes(dir / "VELOX_2013.edat")), pinned.WindowResults);

    TempDir batch;
    const std::string command = "'" VELOX_BATCH_PROGRAM "' --speed " + std::to_string(pinned.Speed) + " --out '" +
                                batch.Path() + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(Digest(ReadBytes(batch / "VELOX_2013.gydat")), PinnedSetup);
    EXPECT_EQ(Digest(ReadBytes(batch / "VELOX_2013.edat")), pinned.BatchResults);
}
INSTANTIATE_TEST_SUITE_P(EverySpeed, TimedRunFiles,
                         ::testing::Values(PinnedRun{1, "9e600afd4fe1d6ed", "9e600afd4fe1d6ed"},
                                           PinnedRun{2, "70870dff49852a01", "ab6a160e56df3d64"},
                                           PinnedRun{3, "8c90025a75b5a9c6", "9103b437503f8ea0"},
                                           PinnedRun{4, "43a81f94a0a38346", "3b738edd82ded5cb"},
                                           PinnedRun{5, "b97d8091f7ffce0a", "4582a1db0e5a532a"}));

}  // namespace
}  // namespace velox::testing
