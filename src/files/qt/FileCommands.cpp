// The menu commands of the accelerator data file ("Gyorsító adatai") and
// the results file ("Eredmények"), the start-up file, and the end of the
// timed run that writes both.
//
// A file is always read whole and only then applied in one step: a file
// that cannot be read changes nothing and is reported with its path and the
// system's reason.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include "core/qt/Main.h"
#include "core/model/Readouts.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "ui/qt/Prompts.h"

namespace {

const QString ErrorTitle = QStringLiteral("*** HIBA ***");

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromLocal(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

void ReportFileError(const QString& what, const QString& path, const std::string& reason) {
    velox::ui::Prompts().Error(QStringLiteral("%1\n%2\n\n%3").arg(what, path, FromLocal(reason)), ErrorTitle);
}

}  // namespace

// ---- accelerator data file -------------------------------------------------

// Reads a set-up file into the model and refreshes the window.  The path
// becomes SetupPath before it is known whether the file exists, so that a
// missing start-up file is created by the next "Mentés"; a file that exists
// but cannot be read leaves everything, SetupPath too, as it was.
bool TForm1::LoadAcceleratorData(const QString& path) {
    const velox::SetupLoadResult load = velox::LoadAcceleratorData(Data, LocalPath(path));
    if (load.Status == velox::FileStatus::Failed) {
        ReportFileError(QStringLiteral("A gyorsító adatait nem sikerült betölteni innen:"), path, load.Error);
        return false;
    }
    SetupPath = path;
    // The spinners, the particle mode and the phases as the model now has
    // them; the spinners' handlers apply the positions once more (and take
    // both from the spinners, so both are set first).
    const std::int32_t frequency = Data.FrequencyPosition;
    const std::int32_t voltage = Data.VoltagePosition;
    UpDown1->SetPosition(frequency);
    UpDown2->SetPosition(voltage);
    UpDown1Changing();
    UpDown2Changing();
    CheckBox1->setChecked(Data.MultiParticle);
    if (load.ShowCountWarning)
        velox::ui::Prompts().InformPlain(QString::fromLatin1(velox::CountWarningText),
                                         QString::fromLatin1(velox::CountWarningTitle));
    DrawAcceleratorView();
    UpdateControlStates();
    return true;
}

QString TForm1::WriteSetup() {
    // The controls that hold parts of the set-up.
    Data.SetFrequencyPosition(UpDown1->Position());
    Data.SetVoltagePosition(UpDown2->Position());
    Data.MultiParticle = CheckBox1->isChecked();
    const velox::WriteOutcome w = velox::WriteSetupFile(LocalPath(SetupPath), Data);
    return w.Ok ? QString() : FromLocal(w.Error);
}

bool TForm1::Kirs1Click() {
    if (SetupPath.isEmpty()) return Kirsmsknt1Click();
    const QString error = WriteSetup();
    if (error.isEmpty()) return true;
    velox::ui::Prompts().Error(
        QStringLiteral("A gyorsító adatait nem sikerült kiírni ide:\n%1\n\n%2").arg(SetupPath, error), ErrorTitle);
    return false;
}

// The save dialog keeps the filter list it was last given: after "Kiírás
// másként" that is the results' two-entry list.
bool TForm1::Kirsmsknt1Click() {
    SaveDialog1.FilterIndex = 1;
    SaveDialog1.DefaultExt = QStringLiteral("gydat");
    if (!velox::ui::ExecuteSaveDialog(SaveDialog1)) return false;
    SetupPath = SaveDialog1.FileName;
    return Kirs1Click();
}

bool TForm1::Betlts1Click() {
    OpenDialog1.FilterIndex = 1;
    if (!velox::ui::ExecuteOpenDialog(OpenDialog1)) return false;
    return LoadAcceleratorData(OpenDialog1.FileName);
}

// ---- results file ----------------------------------------------------------

QString TForm1::WriteResults() {
    const velox::WriteOutcome w = velox::WriteResultsFile(LocalPath(ResultsPath), Data.Store, Run.RunClock);
    return w.Ok ? QString() : FromLocal(w.Error);
}

bool TForm1::Kirs2Click() {
    if (ResultsPath.isEmpty()) return Kirsmsknt2Click();
    const QString error = WriteResults();
    if (error.isEmpty()) return true;
    velox::ui::Prompts().Error(
        QStringLiteral("Az eredményeket nem sikerült kiírni ide:\n%1\n\n%2").arg(ResultsPath, error), ErrorTitle);
    return false;
}

bool TForm1::Kirsmsknt2Click() {
    SaveDialog1.Filter = QStringLiteral("Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*");
    SaveDialog1.FilterIndex = 1;
    SaveDialog1.DefaultExt = QStringLiteral("edat");
    if (!velox::ui::ExecuteSaveDialog(SaveDialog1)) return false;
    ResultsPath = SaveDialog1.FileName;
    return Kirs2Click();
}

// An "Auto" box that the loaded setting changes runs its click handling, as
// if the user had clicked it.
void TForm1::SetAutoBox(QCheckBox* box, bool on) {
    if (box->isChecked() == on) return;
    if (box->isEnabled())
        box->click();
    else
        box->setChecked(on);
}

bool TForm1::Betlts2Click() {
    OpenDialog1.FilterIndex = 2;
    if (!velox::ui::ExecuteOpenDialog(OpenDialog1)) return false;
    const QString path = OpenDialog1.FileName;
    const velox::ResultsReadResult read = velox::ReadResultsFile(LocalPath(path));
    if (read.Status != velox::FileStatus::Ok) {
        ReportFileError(QStringLiteral("Az eredményeket nem sikerült betölteni innen:"), path,
                        read.Error + "\n\nAz eddigi eredmények változatlanok maradtak.");
        return false;
    }
    ResultsPath = path;
    velox::ApplyResults(Data.Store, Run.RunClock, read.Data, Data.FlyingCount());
    SetAutoBox(CheckBox2, Data.Store.EnergySpectrum.Auto);
    SetAutoBox(CheckBox3, Data.Store.TimeSpectrum.Auto);
    // The settings' fields show the loaded values, so that leaving one of
    // them does not put an old value back.
    RefreshNumberFields();
    RedrawSpectra();
    SetCaption(Label20, velox::CountsText(Data.Store.LaunchedCount, Data.Store.ArrivedCount));
    ShowTimeInField(Edit15, Run.RunClock);
    return true;
}

// ---- the end of the timed run ------------------------------------------------

// Both files under BaseName in the working folder, the closing message, and
// the end of the program without the quit confirmation.  When a file cannot
// be written the program says which and why, does not claim success and
// stays open, so that the results still in memory can be saved from the
// menu.
void TForm1::TimedRunEnd() {
    DragCancel();
    SetupPath = BaseName + QStringLiteral(".gydat");
    const QString setupError = WriteSetup();
    ResultsPath = BaseName + QStringLiteral(".edat");
    const QString resultsError = WriteResults();
    if (setupError.isEmpty() && resultsError.isEmpty()) {
        velox::ui::Prompts().Inform(QStringLiteral("Az adatok kiírásra kerültek"),
                                    QStringLiteral("*** INFORMÁCIÓ ***"));
        EndProgram();
        return;
    }
    QString text = QStringLiteral("A mérés véget ért, de nem minden adatot sikerült kiírni.\n");
    if (!setupError.isEmpty())
        text += QStringLiteral("\nA gyorsító adatai (%1):\n%2\n").arg(SetupPath, setupError);
    if (!resultsError.isEmpty())
        text += QStringLiteral("\nAz eredmények (%1):\n%2\n").arg(ResultsPath, resultsError);
    text += QStringLiteral(
        "\nA program nyitva marad, az adatok megmaradtak: a „Gyorsító adatai” menü „Mentés másként” és az "
        "„Eredmények” menü „Kiírás másként” parancsával menthetők el egy írható helyre.");
    velox::ui::Prompts().Error(text, ErrorTitle);
}
