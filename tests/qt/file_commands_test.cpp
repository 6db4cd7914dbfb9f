// The file commands of both menus, their dialogs and reports, and the start-up file.
#include <sys/stat.h>

#include <filesystem>

#include "WindowFixture.h"
#include "core/model/RunControl.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox::testing {
namespace {

const QString SetupOpen = "open|Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|";
const QString SetupSave = "save|Gyorsító adatfjál|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*|1|gydat";
const QString ResultsFilters = "Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*";
const std::string DefaultSetup =
    "Cavity num =2\r\nCavity =\t16\t50\t16\t60\r\nCavity =\t16\t95\t20\t80\r\nTarget =400\r\nFreq =50\r\n"
    "Ampli =50\r\nMultiparticles\r\nStartfazis =0\r\nStopfazis =60\r\n";

class FileCommands : public WindowTest {
protected:
    QString Path(const std::string& name) const { return Q(dir / name); }
    // Results as a run and the results panel would leave them.
    void MakeResults() {
        for (auto [v, t] : {std::pair{30.0, 0.25}, {41.5, 3.75}, {12.25, 6.0}}) form->Data.Store.RecordArrival(v, t);
        form->Data.Store.LaunchedCount = 7;
        form->Run.RunClock = AdvanceRunClock(RunClockRestart, 12340);
        form->Control<QCheckBox>("CheckBox2")->setChecked(false);
        Type(form->Control<QLineEdit>("Edit9"), "2.5");
    }
    std::string State() const { return FormatSetup(form->Data) + FormatResults(form->Data.Store, form->Run.RunClock); }
};

// "Mentés" right after start-up creates the start-up file.
TEST_F(FileCommands, SetupSavedFromTheControls) {
    TForm1& f = *form;
    f.Control<QAction>("Kirs1")->trigger();
    EXPECT_EQ(ReadBytes(dir / "teszt02.gydat"), DefaultSetup);
    SetCavities(3);
    f.View->Image1DragDrop(f.View->Target, 300, 0);
    for (int k = 0; k < 20; ++k) {
        if (k < 10) f.Control<ui::TUpDown>("UpDown1")->ClickUp();
        f.Control<ui::TUpDown>("UpDown2")->ClickDown();
    }
    f.Control<QCheckBox>("CheckBox1")->setChecked(false);
    Type(f.Control<QLineEdit>("Edit14"), "120");
    Type(f.Control<QLineEdit>("Edit13"), "30");
    asker.Names = {Path("a.gydat")};
    f.Control<QAction>("Kirsmsknt1")->trigger();
    EXPECT_EQ(ReadBytes(dir / "a.gydat"),
              "Cavity num =3\r\nCavity =\t16\t40\t12\t20\r\nCavity =\t17\t41\t13\t21\r\nCavity =\t18\t42\t14\t22\r\n"
              "Target =309\r\nFreq =60\r\nAmpli =30\r\nSingle particle\r\nStartfazis =30\r\nStopfazis =120\r\n");
    f.Data.Cavities.SetCavityCount(1);
    f.Control<QAction>("Kirs1")->trigger();
    EXPECT_EQ(ReadBytes(dir / "a.gydat").substr(0, 15), "Cavity num =1\r\n");
}

const std::string OtherSetup =
    "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\t70\r\nCavity =\t16\t80\t16\t90\r\n"
    "Target =560\r\nFreq =55\r\nAmpli =70\r\nSingle particle\r\nStartfazis =20\r\nStopfazis =200\r\n";

TEST_F(FileCommands, SetupLoadedOntoTheControls) {
    TForm1& f = *form;
    WriteBytes(dir / "b.gydat", OtherSetup);
    asker.Names = {Path("b.gydat")};
    f.Control<QAction>("Betlts1")->trigger();
    EXPECT_EQ(asker.Dialogs, QStringList{SetupOpen + "1|gydat"});
    EXPECT_EQ(FormatSetup(f.Data), OtherSetup);
    EXPECT_EQ(
        std::tuple(Q(f.App.SetupPath), f.Control<ui::TShape>("Shape3")->isVisible(), f.View->Target->x(),
                   f.Control<QLineEdit>("Edit2")->text(), f.Control<QLineEdit>("Edit4")->text(),
                   f.Control<QCheckBox>("CheckBox1")->isChecked(), f.Control<QLineEdit>("Edit13")->text(),
                   f.Control<QLineEdit>("Edit14")->text()),
        std::tuple(Path("b.gydat"), true, 560, QString("1.05"), QString("60"), false, QString("20"), QString("200")));
    EXPECT_TRUE(asker.Asked.isEmpty());
}

// A changed "Auto" box is clicked, an unchanged one is not.
TEST_F(FileCommands, ResultsLoadedOntoEveryDisplay) {
    TForm1& f = *form;
    MakeResults();
    const std::string bytes = FormatResults(f.Data.Store, f.Run.RunClock);
    const std::vector<std::int32_t> bins = f.Data.Store.EnergySpectrum.Bins;
    WriteBytes(dir / "r.edat", bytes);
    f.Data.Store.Clear();
    f.Data.Store.RecordArrival(5.0, 1.0);
    f.Control<QCheckBox>("CheckBox2")->setChecked(true);
    Type(f.Control<QLineEdit>("Edit9"), "1");
    f.Run.RunClock = RunClockRestart;
    asker.Names = {Path("r.edat")};
    f.Control<QAction>("Betlts2")->trigger();
    EXPECT_EQ(asker.Dialogs, QStringList{SetupOpen + "2|gydat"});
    EXPECT_EQ(std::tuple(Q(f.App.ResultsPath), FormatResults(f.Data.Store, f.Run.RunClock)),
              std::tuple(Path("r.edat"), bytes));
    EXPECT_EQ(f.Data.Store.EnergySpectrum.Bins, bins);  // rebinned with the loaded width
    EXPECT_EQ(std::tuple(f.Control<QCheckBox>("CheckBox2")->isChecked(), f.Data.Store.EnergySpectrum.Auto,
                         f.Control<QCheckBox>("CheckBox3")->isChecked()),
              std::tuple(false, false, true));
    EXPECT_EQ(QStringList({f.Control<QLabel>("Label20")->text(), f.Control<QLineEdit>("Edit15")->text().trimmed(),
                           f.Control<QLineEdit>("Edit9")->text().trimmed()}),
              QStringList({"Összes indított = 7\nÖsszes beérkezett = 3", "00:00:12", "2.5"}));
}

// A FIFO must not block the window; a 64 GiB file is refused before reading.
TEST_F(FileCommands, FilesThatCannotBeReadChangeNothingAndAreReported) {
    TForm1& f = *form;
    SetCavities(3);
    MakeResults();
    const std::string before = State();
    const QString label20 = f.Control<QLabel>("Label20")->text(), setupPath = Q(f.App.SetupPath);
    f.App.ResultsPath = Text(Path("old.edat"));
    std::filesystem::copy_file(VELOX_SOURCE_DIR "/tests/corpus/results/cut_in_closing.edat", dir / "cut.edat");
    ASSERT_EQ(::mkfifo((dir / "x.gydat").c_str(), 0644), 0);
    WriteBytes(dir / "huge.edat", "");
    std::filesystem::resize_file(dir / "huge.edat", 64ull << 30);
    const struct {
        QAction* command;
        std::string file;
        QString message, reason;
    } rows[] = {
        {f.Control<QAction>("Betlts2"), "cut.edat", "Az eredményeket nem sikerült betölteni innen:\n", "sérült"},
        {f.Control<QAction>("Betlts2"), "huge.edat", "Az eredményeket nem sikerült betölteni innen:\n",
         "(68719476736 bájt;"},
        {f.Control<QAction>("Betlts1"), "x.gydat", "A gyorsító adatait nem sikerült betölteni innen:\n", "(FIFO)"}};
    for (const auto& row : rows) {
        asker.Asked.clear();
        asker.Names = {Path(row.file)};
        row.command->trigger();
        ASSERT_EQ(asker.Asked.size(), 1);
        EXPECT_TRUE(asker.Asked[0].startsWith("*** HIBA ***|" + row.message + Path(row.file)) &&
                    asker.Asked[0].contains(row.reason))
            << Text(asker.Asked[0]);
        EXPECT_EQ(State(), before);
        EXPECT_EQ(std::tuple(Q(f.App.ResultsPath), Q(f.App.SetupPath), f.Control<QLabel>("Label20")->text()),
                  std::tuple(Path("old.edat"), setupPath, label20));
    }
}

class ShortStartUpFile : public WindowTest {
protected:
    void PrepareProgramFolder() override {
        WriteBytes(dir / "teszt02.gydat", "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\r\n");
    }
};

TEST_F(ShortStartUpFile, WarnsWithoutAnIconAndKeepsWhatWasRead) {
    EXPECT_EQ(asker.Asked, QStringList{"(plain)***WARNING ***|Not all cavities could be read correctly"});
    EXPECT_EQ(form->Data.Cavities.CavityCount(), 1);
    EXPECT_FALSE(form->Control<ui::TShape>("Shape2")->isVisible());
    EXPECT_TRUE(form->Control<QPushButton>("Button1")->isEnabled());
}

}  // namespace
}  // namespace velox::testing
