// The main window's model side for the page: the model, the run controller
// and the window's own state (file names, enabled controls, which spectrum
// has its plot drawn with counts), with one method per command of the page.
// The page shows what State() reports and draws through the canvases it
// names; every rule of the window is taken from the model here, so the page
// only maps controls.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/model/CavityFields.h"

namespace velox::web {

// The spectra in the order of the page: 0 energy ("Energia"), 1 time ("Ido").
inline constexpr int SpectrumCount = 2;

// What the page shows after a command that may ask or tell the user.
struct Notice {
    std::string Title;
    std::string Text;
};

class WebFace {
public:
    WebFace();

    // ---- start-up --------------------------------------------------------
    // The start-up state with the set-up file `name` beside the page; `found`
    // false when the page could not fetch it (a missing start-up file).
    // Returns the reader's warning as JSON ({} when there is none).
    std::string Start(const std::string& name, bool found, const std::string& bytes);

    // ---- state for the page ---------------------------------------------------
    // Every caption, field text, enabled state and marker as one JSON object.
    std::string State() const;
    bool Running() const { return Run.Running; }
    int Interval() const { return Run.Interval(); }

    // ---- timers ---------------------------------------------------------------
    // One SimTimer tick; true when a timed run has ended (its files are then
    // ready in EndSetupBytes / EndResultsBytes).
    bool Tick();
    // Timer3: redraws the spectra that hold counts.
    void RedrawCounted();

    // ---- drawing ----------------------------------------------------------------
    void DrawView();
    void DrawPhase();
    void DrawAxes(int which);
    void DrawSpectrum(int which);
    // A plot drawn again as it stands (after the page changed its scale).
    void Repaint(int which) const;
    // Both plots with the chosen one's marker line, on the canvases
    // "export-left" and "export-right", for the export picture.
    void DrawExportPicture() const;
    // The export's file name and format (JSON {"name","png"}) for the
    // name asked and the format chosen.
    std::string ExportTarget(const std::string& name, bool png) const;

    // ---- the "Szimuláció" panel ------------------------------------------------
    void ContinueStop();
    void Step();
    // "Újraindít": 1 restarted at once, 2 a question is due (the run is
    // stopped while it is open; RestartAnswer continues).
    int Restart();
    void RestartAnswer(bool yes);
    void SetSpeed(int index);
    void SetFreeMode(bool free);

    // ---- results panel ------------------------------------------------------------
    // "Törlés": false when there is nothing to clear, true when the question
    // is due (ClearAnswer continues).
    bool ClearAsks() const;
    void ClearAnswer(bool yes);
    void SetAuto(int which, bool on);
    void Choose(int which);
    void MoveMarker(bool right);
    std::string Statistics(int which) const;

    // ---- number fields ---------------------------------------------------------------
    // A field left with `text`; false when the entry is refused and nothing
    // changed (the page then selects the field's text again).
    bool LeaveField(const std::string& field, const std::string& text);
    void SetSpinner(int which, int position);
    void SetMultiParticle(bool on);

    // ---- cavities and target --------------------------------------------------------
    std::string CavityTexts(int index) const;  // JSON array of Edit1 … Edit4
    // The dialog's OK: the index of the first refused field, -1 when all pass.
    int FirstRefused(const std::string& e1, const std::string& e2, const std::string& e3,
                     const std::string& e4) const;
    // "Új gyorsítóüreg" confirmed: 0 added, 1 the limit was reached (the
    // notice is due), 2 refused fields.
    int AddCavity(const std::string& e1, const std::string& e2, const std::string& e3, const std::string& e4);
    void EditCavity(int index, const std::string& e1, const std::string& e2, const std::string& e3,
                    const std::string& e4);
    void DeleteCavity(int index);
    // The cavity dialog closed without a change: the view is redrawn.
    void CavityDialogClosed();
    // The target dropped on the view with its middle at column x.
    void DropTarget(int x);

    // ---- files -------------------------------------------------------------------------
    std::string SetupName;    // the current set-up file, empty before any
    std::string ResultsName;  // the current results file
    std::string SetupBytes() const;
    std::string ResultsBytes() const;
    std::string CsvBytes() const;
    // JSON {"ok":bool,"title":…,"text":…}: a notice to show when there is
    // a text.
    std::string LoadSetup(const std::string& name, const std::string& bytes);
    std::string LoadResults(const std::string& name, const std::string& bytes);
    std::string EndSetupBytes;
    std::string EndResultsBytes;

    VeloxData Data;
    RunController Run{Data};

private:
    void UpdateControlStates();
    void ShowLoadedResults();
    Spectrum& SpectrumOf(int which);
    const Spectrum& SpectrumOf(int which) const;
    const std::vector<double>& ValuesOf(int which) const;
    void PaintSpectrum(int which, const char* canvas);
    void PaintCopy(int which, const char* canvas, bool marker) const;

    ControlStates controls_;
    // Whether each plot was last drawn with its counts or as empty axes.
    std::array<bool, SpectrumCount> plotCounted_{};
    // The readouts keep their captions until the first step shows values;
    // the counts also show once results are loaded.
    bool stepShown_ = false;
    bool countsShown_ = false;
    int chosen_ = 0;
    bool restartWasRunning_ = false;
};

}  // namespace velox::web
