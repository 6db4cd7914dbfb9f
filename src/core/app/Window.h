// The main window's behaviour without a toolkit: the application layer
// that every face (the Qt window, a web page) puts its controls on.
//
// The layer owns the model, the run state and the set-up state, and the
// state of every control the user sees (Controls, by the controls' names).
// A face
//   - creates its controls at their places and shows Controls' state;
//   - forwards the user's events to the commands below (named after the
//     handlers: Button1Click, Edit13Exit …), or by name through Click,
//     Check, Exit, Typed and FocusChanged;
//   - runs the timers as the controls Timer1, Timer2 and Timer3 say
//     (Enabled, Value = interval) and calls Timer1Timer, Timer2Timer and
//     Timer3Timer;
//   - answers the questions, file choices and the cavity dialog that the
//     layer posts to its Asker, at once or later (the timers keep running);
//   - after each command gets the Changes (OnChange, or TakeChanges) and
//     redraws only what they name.
//
//     velox::app::Window app(measure, asker, files, painter);
//     app.OnChange = [&](const velox::app::Changes& c) { face.Show(c); };
//     app.Timer1Timer();            // the layout step
//     app.FormActivate();           // defaults and the start-up set-up
//     app.Click("Button1");         // "Folytatás": the run goes
//     app.Timer2Timer();            // one step per tick while Timer2 runs
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Canvas.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/app/FieldRules.h"
#include "files/app/FileStore.h"
#include "results/app/ResultView.h"
#include "ui/app/Controls.h"
#include "ui/model/RtfReader.h"

namespace velox::app {

class SpectrumView;

// Draws the pictures that the model draws on a canvas: the face gives a
// canvas on its bitmap of the picture and shows the bitmap afterwards.
class Painter {
public:
    virtual ~Painter() = default;
    // `draw` is called once with the canvas and the bitmap's size.
    virtual void Paint(Picture picture, const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) = 0;
    // The export's picture of both spectrum plots as PNG bytes; nothing
    // when it could not be made.
    virtual std::optional<std::string> SpectraPng() = 0;
};

// A painter without bitmaps: the drawing runs on a canvas that keeps
// nothing (the model's side of a drawing still happens).
class NullPainter : public Painter {
public:
    void Paint(Picture picture, const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) override;
    std::optional<std::string> SpectraPng() override { return std::string("PNG"); }
};

// Where the layout step put the drawing surfaces (client coordinates).
struct LayoutSizes {
    std::int32_t ImageLeft = 13, ImageTop = 11;      // Image1
    std::int32_t Image4Left = 15, Image4Width = 107;  // in its panel
    std::int32_t TargetLeft = 400;
    std::int32_t PlotWidth = PlotBitmapWidth, PlotHeight = PlotBitmapHeight;
};

class Window {
public:
    Window(const TextMeasure& measure, Asker& asker, FileStore& files, Painter& painter);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    VeloxData Data;
    RunController Run{Data};
    ControlSet Controls;
    FieldRules Fields;
    CommandTable Commands;
    std::string ProgramDir;  // where "teszt02.gydat" is looked up, ending in "/"
    std::string BaseName;    // "VELOX_2013" from the first activation on
    std::string SetupPath;   // current accelerator data file
    std::string ResultsPath;  // current results file
    bool LayoutDone = false;
    bool ActivationDone = false;
    bool Ended = false;  // the timed run has ended the program

    // Called after every command with what it changed; without it the
    // changes gather until TakeChanges.
    std::function<void(const Changes&)> OnChange;
    Changes TakeChanges() { return Controls.Take(); }

    // Registers a result view made with Context() (the energy and time
    // spectra are registered by the constructor); its picture bit is
    // returned.
    std::uint32_t Register(std::unique_ptr<ResultView> view);
    ViewContext Context();
    SpectrumView& EnergySpectrum() const { return *energy_; }
    SpectrumView& TimeSpectrum() const { return *time_; }
    const std::vector<std::unique_ptr<ResultView>>& Views() const { return views_; }

    // ---- start-up and timers ---------------------------------------------
    void Timer1Timer(const LayoutSizes& sizes = {});
    // The first activation; false (nothing done) before the layout step or
    // after a first activation.
    bool FormActivate();
    void Timer2Timer();
    void Timer3Timer();

    // ---- the face's events, by control name --------------------------------
    // A click on a button, menu item, radio button or panel; false when the
    // control has no click command or is disabled.
    bool Click(std::string_view name);
    // A check box toggled by the user to `checked`, then its click.
    bool Check(std::string_view name, bool checked);
    // The leave of a number field (focus moved, or Enter).
    bool Exit(std::string_view name, Leave how);
    // Text typed into a field (the face already shows it), then the field's
    // change command if it has one.
    void Typed(std::string_view name, std::string_view text);
    void FocusChanged(std::string_view name);
    void SetWindowActive(bool active) { Fields.WindowActive = active; }
    // A key pressed with Alt alone (Left or Right moves the chosen
    // spectrum's marker); the window consumes every such key.
    enum class Key { Left, Right, Other };
    void FormKeyDown(Key key);
    // A press on a plot image (Image2, Image3).
    void ImageMouseDown(std::string_view name, bool rightButton);
    // A release over cavity marker `tag` (Shape1 … Shape21).
    void Shape1MouseUp(std::int32_t tag);
    // The cavity dialog's OK: the first field refused (0 … 3 for Edit1 …
    // Edit4), which the face selects while the dialog stays open; nothing:
    // the dialog closes with OK.
    static std::optional<std::int32_t> CavityDialogOk(const CavityDialogTexts& texts);
    // The cavity dialog's "Töröld  mindkét elektródát": asks over the open
    // dialog whether to delete; with the answer `close` closes the dialog as
    // deleted (Abort), the electrodes going only when it was Yes.
    void CavityDialogDelete(std::function<void(bool confirmed)> close);
    // The target dropped at column `x` of the view image.
    void Image1DragDrop(std::int32_t x);
    // A spinner's arrow: one position up or down.
    void UpDownClick(std::string_view name, bool up);

    // ---- the handlers --------------------------------------------------------
    void Button1Click();  // continue / stop
    void Button2Click();  // "Egy lépés"
    void Button3Click();  // "Újraindít"
    void ComboBox1Change(std::int32_t index);
    void CheckBox4Click();  // "Teszt üzemmód"
    void CheckBox1Click();  // "Több részecske"
    void Button4Click();  // "Új gyorsítóüreg"
    void Button5Click();  // "Törlés"
    void UpDown1Changing();
    void UpDown2Changing();
    void Edit1Change();  // the frequency spinner's position field
    void Edit3Change();  // the voltage spinner's position field
    void Edit2Exit(Leave how);
    void Edit4Exit(Leave how);
    void Edit13Exit(Leave how);
    void Edit14Exit(Leave how);
    void RadioButton1Click();
    void RadioButton2Click();
    void Kirs1Click();       // "Mentés"
    void Kirsmsknt1Click();  // "Mentés másként"
    void Betlts1Click();     // "Betöltés" of the accelerator data
    void Kirs2Click();       // "Kiírás"
    void Kirsmsknt2Click();  // "Kiírás másként"
    void Betlts2Click();     // "Betöltés" of the results
    void Exportls1Click();   // "Exportálás…"
    // The exercise text "Velox.rtf" of the program's folder, read afresh
    // each time its window shows: empty when there is no such file; a file
    // that cannot be read is reported, and the text is empty.
    RtfText TaskText();

    // Reads an accelerator data file into the model and shows it; a file
    // that exists but cannot be read is reported and changes nothing.
    void LoadAcceleratorData(const std::string& path);

    // ---- what spans the panels ------------------------------------------------
    void UpdateControlStates();
    void RefreshNumberFields();
    void DrawAcceleratorView();
    void DrawPhaseWindow();
    // Paints the accelerator view or the phase window again, as it is (a
    // face whose bitmap was made anew).
    void Repaint(Picture picture);

private:
    // Every command runs inside a Scope: when the outermost one ends, the
    // face is told what changed.
    class Scope {
    public:
        explicit Scope(Window& w) : w_(w) { ++w_.depth_; }
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Window& w_;
    };
    // A continuation that runs as a command of its own.
    template <class F>
    auto Later(F f) {
        return [this, f = std::move(f)](auto&&... args) {
            const Scope scope(*this);
            f(std::forward<decltype(args)>(args)...);
        };
    }
    void Choose(std::size_t view);
    void MirrorRunState();
    void ShowStepResults();
    void ShowCounts();
    void ShowRunClock();
    void ShowSetupControls();
    void ApplySpinnerPositions();
    void PlaceCavityMarkers();
    void Restart();
    void Inform(QuestionKind kind, std::string title, std::string text, std::function<void(Answer)> then = {});
    void FileError(const std::string& what, const std::string& path, const std::string& reason);
    std::string WriteSetup();
    std::string WriteResults();
    void ResultsRead(const std::string& path, const FileBytes& file);
    void TimedRunEnd();
    void SetUpDown(ControlState& upDown, ControlState& associate, std::int32_t position);
    bool TakePosition(ControlState& field, ControlState& upDown);
    void Export(const std::string& path, bool png);

    const TextMeasure& measure_;
    Asker& asker_;
    FileStore& files_;
    Painter& painter_;
    std::vector<std::unique_ptr<ResultView>> views_;
    SpectrumView* energy_ = nullptr;
    SpectrumView* time_ = nullptr;
    int depth_ = 0;
    // The settings of the file dialogs that outlive one use.
    FileChoice open_, save_, export_;

public:
    // The controls the layer changes, by their names.
    ControlState &Form1, &Timer1, &Timer2, &Timer3;
    ControlState &Button4, &Edit1, &Edit2, &UpDown1, &Edit3, &Edit4, &UpDown2, &Label25, &Label26;
    ControlState &Edit13, &Edit14, &CheckBox1, &Shape50, &Shape51, &Shape52;
    ControlState &ComboBox1, &Edit15, &Button2, &Button1, &Button3;
    ControlState &Label21, &Label22, &Label18, &Label20;
    ControlState &CheckBox4, &Button5;
    ControlState &Feladat1, &Kirs1, &Kirsmsknt1, &Betlts1, &Kirs2, &Kirsmsknt2, &Betlts2, &Exportls1, &Vge1;
};

}  // namespace velox::app
