// The menu commands of the accelerator data file ("Gyorsító adatai") and
// the results file ("Eredmények"), the start-up file, and the end of the
// timed run that writes both.
//
// A file is always read whole and only then applied in one step: a file
// that cannot be read changes nothing and is reported with its path and the
// system's reason.  What a load changes in the window's panels goes
// through the window's wiring.
#pragma once

#include <functional>

#include <QImage>
#include <QString>

#include "ui/qt/Prompts.h"

namespace velox {
class VeloxData;
struct RunController;
}  // namespace velox

class FileCommands {
public:
    FileCommands(velox::VeloxData& data, velox::RunController& run);

    QString SetupPath;    // current accelerator data file
    QString ResultsPath;  // current results file
    velox::ui::FileDialogSettings OpenDialog1;
    velox::ui::FileDialogSettings SaveDialog1;
    // The export's own save dialog: the shared one keeps the filter list the
    // other commands give it.  It offers the format last exported.
    velox::ui::FileDialogSettings ExportDialog;

    // Reads an accelerator data file into the model and refreshes the window;
    // false when the file exists but could not be read (nothing changed).
    bool LoadAcceleratorData(const QString& path);
    // The file commands; each returns whether its file was written or read.
    bool Kirs1Click();       // "Mentés"
    bool Kirsmsknt1Click();  // "Mentés másként"
    bool Betlts1Click();     // "Betöltés" of the accelerator data
    bool Kirs2Click();       // "Kiírás"
    bool Kirsmsknt2Click();  // "Kiírás másként"
    bool Betlts2Click();     // "Betöltés" of the results
    // "Exportálás…": the arrivals as CSV, or both spectrum plots as a PNG
    // picture, whichever the name's suffix (or else the chosen filter) says.
    bool Exportls1Click();
    // The end of a timed run, after the run has stopped: both files under
    // `baseName` in the working folder and the closing message.  True when
    // both were written and the program is to end.
    bool TimedRunEnd(const QString& baseName);

    // The controls that hold parts of the set-up (the spinners, "Több
    // részecske") give their state to the model before a save ...
    std::function<void()> ReadSetupControls;
    // ... and show the model's after a load; then the accelerator is redrawn
    // and the control states follow.
    std::function<void()> ShowSetupControls;
    std::function<void()> AcceleratorLoaded;
    // Loaded results: the "Auto" boxes, the number fields, the spectra, the
    // counts and the run clock show them.
    std::function<void()> ResultsLoaded;
    // The picture that "Exportálás…" saves as PNG: both spectrum plots.
    std::function<QImage()> SpectraPicture;

private:
    // Writes the set-up to SetupPath (the results to ResultsPath); empty
    // when it worked, otherwise what went wrong.
    QString WriteSetup();
    QString WriteResults();

    velox::VeloxData& Data;
    velox::RunController& Run;
};
