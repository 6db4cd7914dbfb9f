// The menu commands of the accelerator data file and the results file, the
// shared file dialogs, and the start-up file.
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

    // A set-up unlike the default one, made through the window's controls.
    void MakeSetup() {
        TForm1& f = *form;
        f.Data.Cavities.SetCavityCount(0);
        for (int k = 0; k < 3; ++k) f.Data.Cavities.Append({16.0 + k, 40.0 + k, 12.0 + k, 20.0 + k});
        f.Data.Cavities[2].GroundGap = 12.5;
        f.Data.BuildCavities();
        f.Image1DragDrop(f.Target, 300, 0);
        f.UpDown1->SetPosition(60);
        f.UpDown2->SetPosition(30);
        f.CheckBox1->setChecked(false);
        f.Data.StartPhase = 30;
        f.Data.StopPhase = 120;
        f.DrawAcceleratorView();
    }
    void MakeDefaultSetup() {
        TForm1& f = *form;
        f.Data.Cavities.SetCavityCount(1);
        f.Data.BuildCavities();
        f.Image1DragDrop(f.Target, 100, 0);
        f.UpDown1->SetPosition(50);
        f.UpDown2->SetPosition(50);
        f.CheckBox1->setChecked(true);
        f.Data.StartPhase = 0;
        f.Data.StopPhase = 60;
        f.DrawAcceleratorView();
    }
    // Results as a run and the results panel would leave them.
    void MakeResults() {
        TForm1& f = *form;
        Results& r = f.Data.Store;
        r.RecordArrival(30.0, 0.25);
        r.RecordArrival(41.5, 3.75);
        r.RecordArrival(12.25, 6.0);
        r.LaunchedCount = 7;
        f.Run.RunClock = AdvanceRunClock(RunClockRestart, 12340);
        r.EnergySpectrum.Auto = false;
        f.CheckBox2->setChecked(false);
        r.EnergySpectrum.YMax = 40;
        r.EnergySpectrum.XMin = 10;
        r.EnergySpectrum.XMax = 150;
        r.EnergySpectrum.ChannelWidth = 2.5;
        Rebin(r.EnergySpectrum, r.EnergyValues);
    }
};

TEST_F(FileCommands, SavingWithoutAPathAsksForOneAndWritesNothingOnCancel) {
    TForm1& f = *form;
    f.SetupPath.clear();
    prompter.Names = {std::nullopt};
    f.Kirs1->trigger();
    ASSERT_EQ(prompter.Dialogs.size(), 1);
    EXPECT_TRUE(prompter.Dialogs[0].Save);
    EXPECT_EQ(prompter.Dialogs[0].Filters, SetupSaveFilters);
    EXPECT_EQ(prompter.Dialogs[0].FilterIndex, 1);
    EXPECT_EQ(prompter.Dialogs[0].DefaultSuffix, "gydat");
    EXPECT_TRUE(f.SetupPath.isEmpty());

    ASSERT_TRUE(f.ResultsPath.isEmpty());
    prompter.Names = {std::nullopt};
    f.Kirs2->trigger();
    ASSERT_EQ(prompter.Dialogs.size(), 2);
    EXPECT_TRUE(prompter.Dialogs[1].Save);
    EXPECT_EQ(prompter.Dialogs[1].DefaultSuffix, "edat");
    EXPECT_TRUE(f.ResultsPath.isEmpty());

    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(FileCommands, SetupRoundTripThroughTheMenu) {
    TForm1& f = *form;
    MakeSetup();
    prompter.Names = {Path("a.gydat")};
    f.Kirsmsknt1->trigger();
    EXPECT_EQ(f.SetupPath, Path("a.gydat"));
    EXPECT_EQ(ReadBytes(In("a.gydat")),
              "Cavity num =3\r\nCavity =\t16\t40\t12\t20\r\nCavity =\t17\t41\t13\t21\r\n"
              "Cavity =\t18\t42\t12.5\t22\r\nTarget =309\r\nFreq =60\r\nAmpli =30\r\nSingle particle\r\n"
              "Startfazis =30\r\nStopfazis =120\r\n");

    MakeDefaultSetup();
    ASSERT_EQ(f.Data.TargetX, 96.0);
    prompter.Names = {Path("a.gydat")};
    f.Betlts1->trigger();
    ASSERT_EQ(prompter.Dialogs.size(), 2);
    EXPECT_FALSE(prompter.Dialogs[1].Save);
    EXPECT_EQ(prompter.Dialogs[1].Filters, SetupOpenFilters);
    EXPECT_EQ(prompter.Dialogs[1].FilterIndex, 1);
    EXPECT_EQ(prompter.Dialogs[1].DefaultSuffix, "gydat");

    ASSERT_EQ(f.Data.Cavities.CavityCount(), 3);
    EXPECT_EQ(f.Data.Cavities[2].GroundGap, 12.5);
    EXPECT_EQ(f.Data.Cavities[1].AccWidth, 41.0);
    EXPECT_TRUE(f.Shape3->isVisible());
    EXPECT_FALSE(f.Shape4->isVisible());
    EXPECT_EQ(f.Target->x(), 309);
    EXPECT_EQ(f.Data.TargetX, 296.0);
    EXPECT_EQ(f.UpDown1->Position(), 60);
    EXPECT_EQ(f.Data.Frequency, VeloxData::FrequencyOf(60));
    EXPECT_EQ(f.Edit2->text(), "1.1");
    EXPECT_EQ(f.UpDown2->Position(), 30);
    EXPECT_EQ(f.Data.Amplitude, 40.0);
    EXPECT_EQ(f.Edit4->text(), "40");
    EXPECT_FALSE(f.CheckBox1->isChecked());
    EXPECT_FALSE(f.Data.MultiParticle);
    EXPECT_EQ(f.Edit13->text(), "30");
    EXPECT_EQ(f.Edit14->text(), "120");
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
    const double clock = f.Run.RunClock;
    prompter.Names = {Path("r.edat")};
    f.Kirsmsknt2->trigger();
    ASSERT_EQ(prompter.Dialogs.size(), 1);
    EXPECT_EQ(prompter.Dialogs[0].Filters, ResultsSaveFilters);
    EXPECT_EQ(prompter.Dialogs[0].DefaultSuffix, "edat");
    EXPECT_EQ(f.ResultsPath, Path("r.edat"));
    EXPECT_EQ(ReadBytes(In("r.edat")), FormatResults(saved, clock));
    EXPECT_EQ(ReadBytes(In("r.edat")).size(), 8u * (3 + 3 + 15));

    // Other results and settings, then the file back.
    Results& r = f.Data.Store;
    r.Clear();
    r.RecordArrival(5.0, 1.0);
    r.EnergySpectrum.Auto = true;
    f.CheckBox2->setChecked(true);
    r.EnergySpectrum.XMax = 220;
    r.EnergySpectrum.ChannelWidth = 1;
    f.Run.RunClock = RunClockRestart;
    f.RefreshNumberFields();
    QSignalSpy energyBox(f.CheckBox2, &QCheckBox::clicked);
    QSignalSpy timeBox(f.CheckBox3, &QCheckBox::clicked);

    f.ResultsPath.clear();
    prompter.Names = {Path("r.edat")};
    f.Betlts2->trigger();
    ASSERT_EQ(prompter.Dialogs.size(), 2);
    EXPECT_FALSE(prompter.Dialogs[1].Save);
    EXPECT_EQ(prompter.Dialogs[1].Filters, SetupOpenFilters);
    EXPECT_EQ(prompter.Dialogs[1].FilterIndex, 2);
    EXPECT_EQ(prompter.Dialogs[1].DefaultSuffix, "gydat");
    EXPECT_EQ(f.ResultsPath, Path("r.edat"));

    EXPECT_EQ(r.EnergyValues, saved.EnergyValues);
    EXPECT_EQ(r.TimeValues, saved.TimeValues);
    EXPECT_EQ(r.EnergySums.Sum, saved.EnergySums.Sum);
    EXPECT_EQ(r.TimeSums.SumSq, saved.TimeSums.SumSq);
    EXPECT_EQ(r.ArrivedCount, 3);
    EXPECT_EQ(r.LaunchedCount, 7);
    EXPECT_EQ(f.Run.RunClock, clock);
    EXPECT_FALSE(r.EnergySpectrum.Auto);
    EXPECT_EQ(r.EnergySpectrum.XMin, 10);
    EXPECT_EQ(r.EnergySpectrum.XMax, 150);
    EXPECT_EQ(r.EnergySpectrum.YMax, 40);
    EXPECT_EQ(r.EnergySpectrum.Bins, saved.EnergySpectrum.Bins);  // rebinned with the loaded width
    // The changed "Auto" box was clicked, the unchanged one was not.
    EXPECT_FALSE(f.CheckBox2->isChecked());
    EXPECT_EQ(energyBox.count(), 1);
    EXPECT_TRUE(f.CheckBox3->isChecked());
    EXPECT_EQ(timeBox.count(), 0);
    EXPECT_EQ(f.Label20->text(), "Összes indított = 7\nÖsszes beérkezett = 3");
    EXPECT_EQ(f.Edit15->text().trimmed(), "00:00:12");
    EXPECT_EQ(f.Edit5->text().trimmed(), "150");
    EXPECT_EQ(f.Edit6->text().trimmed(), "10");
    EXPECT_EQ(f.Edit9->text().trimmed(), "2.5");
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(FileCommands, FilesThatCannotBeReadChangeNothingAndAreReported) {
    TForm1& f = *form;
    MakeResults();
    const std::string before = FormatResults(f.Data.Store, f.Run.RunClock);
    const QString label20 = f.Label20->text();
    const QString clockText = f.Edit15->text();
    std::filesystem::copy_file(std::string(VELOX_SOURCE_DIR) + "/tests/corpus/results/cut_in_closing.edat",
                               In("cut.edat"));
    f.ResultsPath = Path("old.edat");
    prompter.Names = {Path("cut.edat")};
    f.Betlts2->trigger();
    ASSERT_EQ(prompter.Asked.size(), 1);
    EXPECT_TRUE(prompter.Asked[0].startsWith("*** HIBA ***|Az eredményeket nem sikerült betölteni innen:\n" +
                                             Path("cut.edat")))
        << Text(prompter.Asked[0]);
    EXPECT_EQ(FormatResults(f.Data.Store, f.Run.RunClock), before);
    EXPECT_EQ(f.ResultsPath, Path("old.edat"));
    EXPECT_EQ(f.Label20->text(), label20);
    EXPECT_EQ(f.Edit15->text(), clockText);
    EXPECT_FALSE(f.CheckBox2->isChecked());

    // A set-up "file" that is a folder cannot be read either.
    MakeSetup();
    const std::string setup = FormatSetup(f.Data);
    const QString setupPath = f.SetupPath;
    std::filesystem::create_directory(In("folder.gydat"));
    prompter.Names = {Path("folder.gydat")};
    f.Betlts1->trigger();
    ASSERT_EQ(prompter.Asked.size(), 2);
    EXPECT_TRUE(prompter.Asked[1].startsWith("*** HIBA ***|A gyorsító adatait nem sikerült betölteni innen:\n" +
                                             Path("folder.gydat")))
        << Text(prompter.Asked[1]);
    EXPECT_EQ(FormatSetup(f.Data), setup);
    EXPECT_EQ(f.SetupPath, setupPath);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 3);
}

TEST_F(FileCommands, WriteErrorsNameTheFileAndTheReason) {
    TForm1& f = *form;
    WriteBytes(In("file"), "x");
    prompter.Names = {Path("file/a.gydat"), Path("file/r.edat")};
    EXPECT_FALSE(f.Kirsmsknt1Click());
    EXPECT_FALSE(f.Kirsmsknt2Click());
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
    ASSERT_EQ(prompter.Dialogs.size(), 3);
    EXPECT_EQ(prompter.Dialogs[0].Filters, SetupSaveFilters);
    EXPECT_EQ(prompter.Dialogs[1].Filters, ResultsSaveFilters);
    EXPECT_EQ(prompter.Dialogs[1].FilterIndex, 1);
    EXPECT_EQ(prompter.Dialogs[2].Filters, ResultsSaveFilters);
    EXPECT_EQ(prompter.Dialogs[2].FilterIndex, 1);
    EXPECT_EQ(prompter.Dialogs[2].DefaultSuffix, "gydat");
    // As Qt shows them.
    EXPECT_EQ(ui::NameFilters(ResultsSaveFilters), QStringList({"Eredmény fájlok (*.edat)", "Minden file (*.*)"}));
    EXPECT_EQ(ui::NameFilters(SetupOpenFilters),
              QStringList({"Gyorsító adafájl (*.gydat)", "Eredményfájl (*.edat)", "Minden fájl (*.*)"}));
}

TEST_F(FileCommands, SaveRightAfterStartUpCreatesTheStartUpFile) {
    TForm1& f = *form;
    EXPECT_EQ(f.SetupPath, ProgramDir() + "teszt02.gydat");
    f.Kirs1->trigger();
    EXPECT_TRUE(prompter.Dialogs.isEmpty());
    EXPECT_EQ(ReadBytes(In("teszt02.gydat")),
              "Cavity num =2\r\nCavity =\t16\t50\t16\t60\r\nCavity =\t16\t95\t20\t80\r\nTarget =400\r\nFreq =50\r\n"
              "Ampli =50\r\nMultiparticles\r\nStartfazis =0\r\nStopfazis =60\r\n");
}

class StartUpFile : public FileCommands {
protected:
    void PrepareProgramFolder() override {
        WriteBytes(dir / "teszt02.gydat",
                   "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\t70\r\nCavity =\t16\t80\t16\t90\r\n"
                   "Target =560\r\nFreq =55\r\nAmpli =70\r\nSingle particle\r\nStartfazis =20\r\nStopfazis =200\r\n");
    }
};

TEST_F(StartUpFile, ReplacesTheDefaultsAndIsWrittenBack) {
    TForm1& f = *form;
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 3);
    EXPECT_EQ(f.Data.Cavities[2].GroundWidth, 90.0);
    EXPECT_TRUE(f.Shape3->isVisible());
    EXPECT_EQ(f.Target->x(), 560);
    EXPECT_EQ(f.Data.TargetX, 547.0);
    EXPECT_EQ(f.UpDown1->Position(), 55);
    EXPECT_EQ(f.Edit2->text(), "1.05");
    EXPECT_EQ(f.Data.Amplitude, 60.0);
    EXPECT_FALSE(f.CheckBox1->isChecked());
    EXPECT_EQ(f.Edit13->text(), "20");
    EXPECT_EQ(f.Edit14->text(), "200");
    EXPECT_TRUE(f.Button1->isEnabled());
    EXPECT_TRUE(prompter.Asked.isEmpty());

    f.Data.Cavities[0].AccWidth = 44;
    f.Kirs1->trigger();
    EXPECT_EQ(ReadBytes(dir / "teszt02.gydat"),
              "Cavity num =3\r\nCavity =\t16\t44\t16\t50\r\nCavity =\t16\t60\t16\t70\r\nCavity =\t16\t80\t16\t90\r\n"
              "Target =560\r\nFreq =55\r\nAmpli =70\r\nSingle particle\r\nStartfazis =20\r\nStopfazis =200\r\n");
}

class StartUpFileShort : public FileCommands {
protected:
    void PrepareProgramFolder() override {
        WriteBytes(dir / "teszt02.gydat", "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\r\n");
    }
};

TEST_F(StartUpFileShort, WarnsWithoutAnIconAndKeepsWhatWasRead) {
    TForm1& f = *form;
    EXPECT_EQ(prompter.Asked, QStringList{"(plain)***WARNING ***|Not all cavities could be read correctly"});
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_TRUE(f.Shape1->isVisible());
    EXPECT_FALSE(f.Shape2->isVisible());
    EXPECT_EQ(f.Data.TargetX, 387.0);  // the rest of the defaults stay
    EXPECT_EQ(f.Data.StopPhase, 60.0);
}

}  // namespace
}  // namespace velox::testing
