// The menu commands of the accelerator data file and the results file, the
// shared file dialogs, and the start-up file.
#include <sys/stat.h>

#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include "WindowsFixture.h"
#include "core/model/RunControl.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox::testing {
namespace {

const QString SetupOpenFilters = "Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*";
const QString SetupSaveFilters = "Gyorsító adatfjál|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*";
const QString ResultsSaveFilters = "Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*";

class FileCommands : public WindowsTest {
protected:
    std::string In(const std::string& name) const { return dir / name; }
    QString Path(const std::string& name) const { return Q(dir / name); }
    void ExpectDialog(int k, bool save, const QString& filters, int index, const QString& suffix) {
        ASSERT_GT(prompter.Dialogs.size(), k);
        const auto& d = prompter.Dialogs[k];
        EXPECT_EQ(d.Save, save);
        EXPECT_EQ(d.Filters, filters);
        EXPECT_EQ(d.FilterIndex, index);
        EXPECT_EQ(d.DefaultSuffix, suffix);
    }
    // A set-up, made through the window's controls; `other` gives the second one.
    void MakeSetup(bool other = false) {
        TForm1& f = *form;
        f.Data.Cavities.SetCavityCount(0);
        for (int k = 0; k < (other ? 1 : 3); ++k) f.Data.Cavities.Append({16.0 + k, 40.0 + k, 12.0 + k, 20.0 + k});
        if (!other) f.Data.Cavities[2].GroundGap = 12.5;
        f.Data.BuildCavities();
        f.View->Image1DragDrop(f.View->Target, other ? 100 : 300, 0);
        f.Generator->UpDown1->SetPosition(other ? 50 : 60);
        f.Generator->UpDown2->SetPosition(other ? 50 : 30);
        f.IonSource->CheckBox1->setChecked(other);
        f.Data.StartPhase = other ? 0 : 30;
        f.Data.StopPhase = other ? 60 : 120;
        f.View->DrawAcceleratorView();
    }
    // Results as a run and the results panel would leave them.
    void MakeResults() {
        Results& r = form->Data.Store;
        r.RecordArrival(30.0, 0.25);
        r.RecordArrival(41.5, 3.75);
        r.RecordArrival(12.25, 6.0);
        r.LaunchedCount = 7;
        form->Run.RunClock = AdvanceRunClock(RunClockRestart, 12340);
        r.EnergySpectrum.Auto = false;
        form->EnergySpectrum->CheckBox2->setChecked(false);
        r.EnergySpectrum.YMax = 40;
        r.EnergySpectrum.XMin = 10;
        r.EnergySpectrum.XMax = 150;
        r.EnergySpectrum.ChannelWidth = 2.5;
        Rebin(r.EnergySpectrum, r.EnergyValues);
    }
    std::string State() const { return FormatSetup(form->Data) + FormatResults(form->Data.Store, form->Run.RunClock); }
};

TEST_F(FileCommands, SavingWithoutAPathAsksForOneAndWritesNothingOnCancel) {
    TForm1& f = *form;
    f.Files->SetupPath.clear();
    ASSERT_TRUE(f.Files->ResultsPath.isEmpty());
    prompter.Names = {std::nullopt, std::nullopt};
    f.Kirs1->trigger();
    f.Kirs2->trigger();
    ExpectDialog(0, true, SetupSaveFilters, 1, "gydat");
    ExpectDialog(1, true, ResultsSaveFilters, 1, "edat");
    EXPECT_TRUE(f.Files->SetupPath.isEmpty());
    EXPECT_TRUE(f.Files->ResultsPath.isEmpty());
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(FileCommands, SetupRoundTripThroughTheMenu) {
    TForm1& f = *form;
    MakeSetup();
    prompter.Names = {Path("a.gydat")};
    f.Kirsmsknt1->trigger();
    EXPECT_EQ(f.Files->SetupPath, Path("a.gydat"));
    const std::string saved = ReadBytes(In("a.gydat"));
    EXPECT_EQ(saved,
              "Cavity num =3\r\nCavity =\t16\t40\t12\t20\r\nCavity =\t17\t41\t13\t21\r\n"
              "Cavity =\t18\t42\t12.5\t22\r\nTarget =309\r\nFreq =60\r\nAmpli =30\r\nSingle particle\r\n"
              "Startfazis =30\r\nStopfazis =120\r\n");

    MakeSetup(true);
    prompter.Names = {Path("a.gydat")};
    f.Betlts1->trigger();
    ExpectDialog(1, false, SetupOpenFilters, 1, "gydat");
    EXPECT_EQ(FormatSetup(f.Data), saved);
    EXPECT_TRUE(f.View->Shape3->isVisible());
    EXPECT_FALSE(f.View->Shape4->isVisible());
    EXPECT_EQ(f.View->Target->x(), 309);
    EXPECT_EQ(f.Generator->Edit2->text(), "1.1");
    EXPECT_EQ(f.Generator->Edit4->text(), "40");
    EXPECT_FALSE(f.IonSource->CheckBox1->isChecked());
    EXPECT_EQ(f.IonSource->Edit13->text(), "30");
    EXPECT_EQ(f.IonSource->Edit14->text(), "120");
    EXPECT_TRUE(prompter.Asked.isEmpty());

    // "Mentés" now writes to the loaded file without asking.
    f.Data.Cavities.SetCavityCount(1);
    f.Kirs1->trigger();
    EXPECT_EQ(prompter.Dialogs.size(), 2);
    EXPECT_EQ(ReadBytes(In("a.gydat")).substr(0, 15), "Cavity num =1\r\n");
}

TEST_F(FileCommands, ResultsRoundTripThroughTheMenu) {
    TForm1& f = *form;
    MakeResults();
    const Results saved = f.Data.Store;
    prompter.Names = {Path("r.edat")};
    f.Kirsmsknt2->trigger();
    ExpectDialog(0, true, ResultsSaveFilters, 1, "edat");
    EXPECT_EQ(f.Files->ResultsPath, Path("r.edat"));
    const std::string bytes = ReadBytes(In("r.edat"));
    EXPECT_EQ(bytes, FormatResults(saved, f.Run.RunClock));
    EXPECT_EQ(bytes.size(), 8u * (3 + 3 + 15));

    // Other results and settings, then the file back.
    Results& r = f.Data.Store;
    r.Clear();
    r.RecordArrival(5.0, 1.0);
    r.EnergySpectrum.Auto = true;
    f.EnergySpectrum->CheckBox2->setChecked(true);
    r.EnergySpectrum.ChannelWidth = 1;
    f.Run.RunClock = RunClockRestart;
    f.RefreshNumberFields();
    QSignalSpy energyBox(f.EnergySpectrum->CheckBox2, &QCheckBox::clicked),
        timeBox(f.TimeSpectrum->CheckBox3, &QCheckBox::clicked);
    f.Files->ResultsPath.clear();
    prompter.Names = {Path("r.edat")};
    f.Betlts2->trigger();
    ExpectDialog(1, false, SetupOpenFilters, 2, "gydat");
    EXPECT_EQ(f.Files->ResultsPath, Path("r.edat"));
    EXPECT_EQ(FormatResults(r, f.Run.RunClock), bytes);
    EXPECT_EQ(r.EnergySpectrum.Bins, saved.EnergySpectrum.Bins);  // rebinned with the loaded width
    // The changed "Auto" box was clicked, the unchanged one was not.
    EXPECT_FALSE(f.EnergySpectrum->CheckBox2->isChecked());
    EXPECT_EQ(energyBox.count(), 1);
    EXPECT_EQ(timeBox.count(), 0);
    EXPECT_EQ(f.Info->Label20->text(), "Összes indított = 7\nÖsszes beérkezett = 3");
    EXPECT_EQ(f.Simulation->Edit15->text().trimmed(), "00:00:12");
    EXPECT_EQ(f.EnergySpectrum->Edit9->text().trimmed(), "2.5");
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

// Results replaced while particles are on their way: they fly on into the
// new results and count as launched there, so that arrivals never outnumber
// launches.
TEST_F(FileCommands, ParticlesInFlightCountAsLaunchedInResultsThatReplaceTheOld) {
    TForm1& f = *form;
    MakeResults();  // 7 launched
    prompter.Names = {Path("r.edat"), Path("r.edat")};
    f.Kirsmsknt2->trigger();
    f.Simulation->Button1->click();
    for (int i = 0; i < 20; ++i) f.Timer2Timer();
    const std::int32_t flying = f.Data.FlyingCount();
    ASSERT_GT(flying, 1);
    f.Betlts2->trigger();
    EXPECT_EQ(f.Data.Store.LaunchedCount, 7 + flying);
    f.Simulation->Button1->click();  // "Törlés" is open while the run stands
    prompter.Answers = {ui::Answer::Yes};
    f.Results->Button5->click();
    EXPECT_EQ(f.Data.Store.LaunchedCount, flying);
}

TEST_F(FileCommands, FilesThatCannotBeReadChangeNothingAndAreReported) {
    TForm1& f = *form;
    MakeSetup();
    MakeResults();
    const std::string before = State();
    const QString label20 = f.Info->Label20->text(), setupPath = f.Files->SetupPath;
    f.Files->ResultsPath = Path("old.edat");
    std::filesystem::copy_file(VELOX_SOURCE_DIR "/tests/corpus/results/cut_in_closing.edat", In("cut.edat"));
    // A FIFO must not block the window; a 64 GiB file picked through
    // "Minden fájl" is refused from its size, before any reading.
    ASSERT_EQ(::mkfifo(In("x.gydat").c_str(), 0644), 0);
    WriteBytes(In("huge.edat"), "");
    std::filesystem::resize_file(In("huge.edat"), 64ull << 30);
    const struct {
        QAction* command;
        std::string file;
        QString message, reason;
    } rows[] = {{f.Betlts2, "cut.edat", "Az eredményeket nem sikerült betölteni innen:\n", "sérült"},
                {f.Betlts2, "huge.edat", "Az eredményeket nem sikerült betölteni innen:\n", "(68719476736 bájt;"},
                {f.Betlts1, "x.gydat", "A gyorsító adatait nem sikerült betölteni innen:\n", "(FIFO)"}};
    for (const auto& row : rows) {
        prompter.Asked.clear();
        prompter.Names = {Path(row.file)};
        row.command->trigger();
        ASSERT_EQ(prompter.Asked.size(), 1);
        EXPECT_TRUE(prompter.Asked[0].startsWith("*** HIBA ***|" + row.message + Path(row.file)) &&
                    prompter.Asked[0].contains(row.reason))
            << Text(prompter.Asked[0]);
        EXPECT_EQ(State(), before);
        EXPECT_EQ(f.Files->ResultsPath, Path("old.edat"));
        EXPECT_EQ(f.Files->SetupPath, setupPath);
        EXPECT_EQ(f.Info->Label20->text(), label20);
    }
}

TEST_F(FileCommands, WriteErrorsNameTheFileAndTheReason) {
    TForm1& f = *form;
    WriteBytes(In("file"), "x");
    prompter.Names = {Path("file/a.gydat"), Path("file/r.edat")};
    EXPECT_FALSE(f.Files->Kirsmsknt1Click());
    EXPECT_FALSE(f.Files->Kirsmsknt2Click());
    ASSERT_EQ(prompter.Asked.size(), 2);
    EXPECT_TRUE(prompter.Asked[0].startsWith("*** HIBA ***|A gyorsító adatait nem sikerült kiírni ide:\n" +
                                             Path("file/a.gydat")));
    EXPECT_TRUE(prompter.Asked[1].startsWith("*** HIBA ***|Az eredményeket nem sikerült kiírni ide:\n" +
                                             Path("file/r.edat")));
    for (const QString& a : prompter.Asked) EXPECT_TRUE(a.contains("Not a directory")) << Text(a);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"file"});
}

TEST_F(FileCommands, SaveDialogKeepsTheResultsFilterList) {
    TForm1& f = *form;
    prompter.Names = {std::nullopt, std::nullopt, std::nullopt};
    f.Kirsmsknt1->trigger();
    f.Kirsmsknt2->trigger();
    f.Kirsmsknt1->trigger();
    EXPECT_EQ(prompter.Dialogs[0].Filters, SetupSaveFilters);
    ExpectDialog(2, true, ResultsSaveFilters, 1, "gydat");
    EXPECT_EQ(ui::NameFilters(ResultsSaveFilters), QStringList({"Eredmény fájlok (*.edat)", "Minden file (*.*)"}));
}

TEST_F(FileCommands, SaveRightAfterStartUpCreatesTheStartUpFile) {
    EXPECT_EQ(form->Files->SetupPath, ProgramDir() + "teszt02.gydat");
    form->Kirs1->trigger();
    EXPECT_TRUE(prompter.Dialogs.isEmpty());
    EXPECT_EQ(ReadBytes(In("teszt02.gydat")), FormatSetup(form->Data));
}

const std::string StartUpBytes =
    "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\t70\r\nCavity =\t16\t80\t16\t90\r\n"
    "Target =560\r\nFreq =55\r\nAmpli =70\r\nSingle particle\r\nStartfazis =20\r\nStopfazis =200\r\n";

class StartUpFile : public FileCommands {
protected:
    void PrepareProgramFolder() override { WriteBytes(dir / "teszt02.gydat", StartUpBytes); }
};

TEST_F(StartUpFile, ReplacesTheDefaultsAndIsWrittenBack) {
    TForm1& f = *form;
    EXPECT_EQ(FormatSetup(f.Data), StartUpBytes);
    EXPECT_TRUE(f.View->Shape3->isVisible());
    EXPECT_EQ(f.Generator->Edit2->text(), "1.05");
    EXPECT_TRUE(f.Simulation->Button1->isEnabled());
    EXPECT_TRUE(prompter.Asked.isEmpty());

    f.Data.Cavities[0].AccWidth = 44;
    f.Kirs1->trigger();
    std::string expected = StartUpBytes;
    expected.replace(expected.find("\t40\t"), 4, "\t44\t");
    EXPECT_EQ(ReadBytes(dir / "teszt02.gydat"), expected);
}

class StartUpFileShort : public FileCommands {
protected:
    void PrepareProgramFolder() override {
        WriteBytes(dir / "teszt02.gydat", "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\r\n");
    }
};

TEST_F(StartUpFileShort, WarnsWithoutAnIconAndKeepsWhatWasRead) {
    EXPECT_EQ(prompter.Asked, QStringList{"(plain)***WARNING ***|Not all cavities could be read correctly"});
    EXPECT_EQ(form->Data.Cavities.CavityCount(), 1);
    EXPECT_FALSE(form->View->Shape2->isVisible());
    EXPECT_EQ(form->Data.TargetX, 387.0);  // the rest of the defaults stay
}

}  // namespace
}  // namespace velox::testing
