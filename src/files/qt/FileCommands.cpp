#include "files/qt/FileCommands.h"

#include <algorithm>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "files/model/ExportName.h"
#include "files/model/FileAccess.h"
#include "files/model/ReportTable.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
namespace {

const QString ErrorTitle = QStringLiteral("*** HIBA ***");

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromLocal(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

void ReportFileError(const QString& what, const QString& path, const std::string& reason) {
    velox::ui::Prompts().Error(QStringLiteral("%1\n%2\n\n%3").arg(what, path, FromLocal(reason)), ErrorTitle);
}

}  // namespace

FileCommands::FileCommands(velox::VeloxData& data, velox::RunController& run) : Data(data), Run(run) {
    OpenDialog1.Filter = QStringLiteral("Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*");
    OpenDialog1.DefaultExt = QStringLiteral("gydat");
    SaveDialog1.Filter = QStringLiteral("Gyorsító adatfjál|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*");
    SaveDialog1.DefaultExt = QStringLiteral("gydat");
    ExportDialog.Filter = QStringLiteral("CSV fájl (*.csv)|*.csv|PNG kép (*.png)|*.png");
}

// ---- accelerator data file -------------------------------------------------

// Reads a set-up file into the model and refreshes the window.  The path
// becomes SetupPath before it is known whether the file exists, so that a
// missing start-up file is created by the next "Mentés"; a file that exists
// but cannot be read leaves everything, SetupPath too, as it was.
bool FileCommands::LoadAcceleratorData(const QString& path) {
    const velox::SetupLoadResult load = velox::LoadAcceleratorData(Data, LocalPath(path));
    if (load.Status == velox::FileStatus::Failed) {
        ReportFileError(QStringLiteral("A gyorsító adatait nem sikerült betölteni innen:"), path, load.Error);
        return false;
    }
    SetupPath = path;
    // The spinners and the particle mode as the model now has them.
    ShowSetupControls();
    if (load.ShowCountWarning)
        velox::ui::Prompts().InformPlain(QString::fromLatin1(velox::CountWarningText),
                                         QString::fromLatin1(velox::CountWarningTitle));
    AcceleratorLoaded();
    return true;
}

QString FileCommands::WriteSetup() {
    ReadSetupControls();
    const velox::WriteOutcome w = velox::WriteSetupFile(LocalPath(SetupPath), Data);
    return w.Ok ? QString() : FromLocal(w.Error);
}

bool FileCommands::Kirs1Click() {
    if (SetupPath.isEmpty()) return Kirsmsknt1Click();
    const QString error = WriteSetup();
    if (error.isEmpty()) return true;
    velox::ui::Prompts().Error(
        QStringLiteral("A gyorsító adatait nem sikerült kiírni ide:\n%1\n\n%2").arg(SetupPath, error), ErrorTitle);
    return false;
}

// The save dialog keeps the filter list it was last given: after "Kiírás
// másként" that is the results' two-entry list.
bool FileCommands::Kirsmsknt1Click() {
    SaveDialog1.FilterIndex = 1;
    SaveDialog1.DefaultExt = QStringLiteral("gydat");
    if (!velox::ui::ExecuteSaveDialog(SaveDialog1)) return false;
    SetupPath = SaveDialog1.FileName;
    return Kirs1Click();
}

bool FileCommands::Betlts1Click() {
    OpenDialog1.FilterIndex = 1;
    if (!velox::ui::ExecuteOpenDialog(OpenDialog1)) return false;
    return LoadAcceleratorData(OpenDialog1.FileName);
}

// ---- results file ----------------------------------------------------------

QString FileCommands::WriteResults() {
    const velox::WriteOutcome w = velox::WriteResultsFile(LocalPath(ResultsPath), Data.Store, Run.RunClock);
    return w.Ok ? QString() : FromLocal(w.Error);
}

bool FileCommands::Kirs2Click() {
    if (ResultsPath.isEmpty()) return Kirsmsknt2Click();
    const QString error = WriteResults();
    if (error.isEmpty()) return true;
    velox::ui::Prompts().Error(
        QStringLiteral("Az eredményeket nem sikerült kiírni ide:\n%1\n\n%2").arg(ResultsPath, error), ErrorTitle);
    return false;
}

bool FileCommands::Kirsmsknt2Click() {
    SaveDialog1.Filter = QStringLiteral("Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*");
    SaveDialog1.FilterIndex = 1;
    SaveDialog1.DefaultExt = QStringLiteral("edat");
    if (!velox::ui::ExecuteSaveDialog(SaveDialog1)) return false;
    ResultsPath = SaveDialog1.FileName;
    return Kirs2Click();
}

bool FileCommands::Betlts2Click() {
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
    ResultsLoaded();
    return true;
}

// ---- the end of the timed run ------------------------------------------------

// Both files under the base name in the working folder and the closing
// message; the program then ends without the quit confirmation.  When a
// file cannot be written the program says which and why, does not claim
// success and stays open, so that the results still in memory can be saved
// from the menu.
bool FileCommands::TimedRunEnd(const QString& baseName) {
    SetupPath = baseName + QStringLiteral(".gydat");
    const QString setupError = WriteSetup();
    ResultsPath = baseName + QStringLiteral(".edat");
    const QString resultsError = WriteResults();
    if (setupError.isEmpty() && resultsError.isEmpty()) {
        velox::ui::Prompts().Inform(QStringLiteral("Az adatok kiírásra kerültek"),
                                    QStringLiteral("*** INFORMÁCIÓ ***"));
        return true;
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
    return false;
}

// ---- export for a lab report -------------------------------------------------

// The file is replaced only once the whole CSV text or PNG picture is
// ready, through the same safe replace as the results file.
bool FileCommands::Exportls1Click() {
    const QString suffixes[] = {QStringLiteral("csv"), QStringLiteral("png")};
    ExportDialog.FilterIndex = std::clamp(ExportDialog.FilterIndex, 1, 2);
    ExportDialog.DefaultExt = suffixes[ExportDialog.FilterIndex - 1];
    if (!velox::ui::ExecuteSaveChoiceDialog(ExportDialog)) return false;
    const auto chosen = ExportDialog.FilterIndex == 2 ? velox::ExportFormat::Png : velox::ExportFormat::Csv;
    const velox::ExportTarget target = velox::ExportTargetFor(ExportDialog.FileName.toStdString(), chosen);
    const QString path = QString::fromStdString(target.Path);
    const bool png = target.Format == velox::ExportFormat::Png;
    ExportDialog.FilterIndex = png ? 2 : 1;
    // The dialog asked before replacing the name it confirmed, not this one.
    if (path != ExportDialog.FileName && QFileInfo::exists(path) &&
        velox::ui::Prompts().Ask(QStringLiteral("Ez a fájl már létezik:\n%1\nValóban felül akarja írni?").arg(path),
                                 QStringLiteral("*** MEGEROSÍTÉS ***")) != velox::ui::Answer::Yes)
        return false;

    std::string bytes;
    if (png) {
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        if (!SpectraPicture().save(&buffer, "PNG")) {
            velox::ui::Prompts().Error(
                QStringLiteral("A képet nem sikerült elkészíteni ehhez a fájlhoz:\n%1").arg(path), ErrorTitle);
            return false;
        }
        bytes = encoded.toStdString();
    } else {
        bytes = velox::FormatCsv(velox::ArrivalsTable(Data.Store));
    }
    const velox::WriteOutcome w = velox::ReplaceFile(LocalPath(path), bytes);
    if (w.Ok) return true;
    velox::ui::Prompts().Error(
        QStringLiteral("Az eredményeket nem sikerült exportálni ide:\n%1\n\n%2").arg(path, FromLocal(w.Error)),
        ErrorTitle);
    return false;
}
