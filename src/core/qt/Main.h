// The main window: composed of one panel class per area of the window,
// each owning its controls and their handlers and talking to the model,
// never to another panel.  The window creates the panels, lays them out,
// owns the timers and the main menu, wires the few calls from one panel to
// another, and runs the start-up: creation, the layout step and the first
// activation.  The window owns the whole model.
#pragma once

#include <memory>

#include <QMainWindow>
#include <QString>

#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "core/qt/InfoPanel.h"
#include "core/qt/IonSourcePanel.h"
#include "core/qt/RunPanel.h"
#include "editor/qt/AcceleratorViewPanel.h"
#include "editor/qt/GeneratorPanel.h"
#include "editor/qt/NumberFields.h"
#include "files/qt/FileCommands.h"
#include "results/qt/ResultsStrip.h"
#include "results/qt/SpectrumPanel.h"

class QAction;
class QCloseEvent;
class QMenu;
class QMenuBar;
class QTimer;
class TUregAdatDlg;
class TMsgDlg;
class TForm3;

class TForm1 : public QMainWindow {
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // ---- the model and the window's own state -------------------------------
    velox::VeloxData Data;
    velox::RunController Run{Data};
    QString ProgramDir;  // folder of the executable, ending in "/"
    QString BaseName;    // "VELOX_2013" from the first activation on
    bool LayoutDone = false;
    bool ActivationDone = false;  // the first activation has finished

    // ---- the panels, in the order of the window's controls -------------------
    QWidget* Frame = nullptr;    // the client area under the menu bar
    QWidget* Client = nullptr;   // the content at its zoom, centred in Frame
    NumberFields Fields{*this};  // the rules of every number field
    std::unique_ptr<AcceleratorViewPanel> View;
    std::unique_ptr<GeneratorPanel> Generator;  // "Gyorsító"
    std::unique_ptr<IonSourcePanel> IonSource;  // "Ionforrás"
    std::unique_ptr<RunPanel> Simulation;       // "Szimuláció"
    std::unique_ptr<InfoPanel> Info;            // "Tájékoztató adatok"
    velox::ui::TPanel* Panel2 = nullptr;        // "Eredmények"
    std::unique_ptr<EnergySpectrumPanel> EnergySpectrum;
    std::unique_ptr<TimeSpectrumPanel> TimeSpectrum;
    std::unique_ptr<ResultsStrip> Results;
    std::unique_ptr<FileCommands> Files;

    // ---- main menu and timers --------------------------------------------------
    QMenuBar* MainMenu1 = nullptr;
    QAction* Feladat1 = nullptr;            // "Feladat"
    QMenu* Gyorstadatai1 = nullptr;         // "Gyorsító adatai"
    QAction *Kirs1, *Kirsmsknt1, *Betlts1;  // "Mentés", "Mentés másként", "Betöltés"
    QMenu* Eredmnyek1 = nullptr;            // "Eredmények"
    QAction *Kirs2, *Kirsmsknt2, *Betlts2;  // "Kiírás", "Kiírás másként", "Betöltés"
    QAction* Exportls1 = nullptr;           // "Exportálás…"
    QAction* Vge1 = nullptr;                // "Vége"

    QTimer* Timer1 = nullptr;  // one-shot layout step
    QTimer* Timer2 = nullptr;  // SimTimer
    QTimer* Timer3 = nullptr;  // periodic spectrum redraw

    // The program's other windows, created by the program entry after this
    // one; one that was not given is created on first use.
    TUregAdatDlg* UregAdatDlg = nullptr;
    TMsgDlg* MsgDlg = nullptr;
    TForm3* Form3 = nullptr;

    // ---- start-up --------------------------------------------------------------
    void Timer1Timer();   // the layout step
    void FormActivate();  // the first activation; later activations do nothing

    // ---- what spans the panels -------------------------------------------------
    void Timer2Timer();
    void Timer3Timer();
    // The enabled state of the run controls, of the panels' controls that a
    // run locks, and of the load and export commands.
    void UpdateControlStates();
    // Every panel's number fields, the generator values, the caption.
    void RefreshNumberFields();
    // Sees every key pressed in the window before the focused control; true
    // when the key is consumed (every key pressed together with Alt).
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);
    // The two marker-choice radio buttons lie in different strips; these
    // keep them opposite and show the chosen spectrum's marker line.
    void RadioButton1Click();
    void RadioButton2Click();
    void CheckBox4Click();  // "Teszt üzemmód"

    // ---- zoom ------------------------------------------------------------------
    // The content's zoom: the window's fit, not below the smallest zoom the
    // screen allows.  Every control keeps its place at 100 % and is shown
    // at that place times the zoom.
    double Zoom() const { return zoom_; }
    // The zoom below which the window never shrinks: 1, or less where the
    // screen cannot hold the window at 100 %.
    double SmallestZoom() const { return smallestZoom_; }
    // The window's size at start (before any Ctrl+Plus or resize).
    QSize StartSize() const { return startSize_; }
    // Ctrl+Plus (+1) and Ctrl+Minus (-1): the window's size a step larger or
    // smaller, within the screen; Ctrl+0: the size at start.
    void StepSize(int steps);
    void ResetSize();
    void ToggleFullScreen();  // F11
    // Fits the content to the client area; done on every resize.
    void ApplyZoom();

    // ---- the menu and the program's end ------------------------------------------
    void Feladat1Click();  // "Feladat"
    void Vge1Click();      // "Vége"
    // Asks the quit confirmation; true when the window may close.
    bool FormCloseQuery();
    // Ends the program without the quit confirmation.
    void EndProgram();
    bool Ended = false;  // EndProgram has run

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void Wire();
    void BuildZoomKeys();
    // The smallest zoom and the minimum size for the window's present screen.
    void FitToScreen();
    void KeepOnScreen();
    TUregAdatDlg& CavityDialog();
    // The displays that a simulation step changes.
    void ShowStepResults();
    void ShowMarkerLines();
    // Destroyed before the window's controls, so that no event reaches the
    // window's key handling while the window is taken apart.
    std::unique_ptr<QObject> keyHook_;
    bool activationStarted_ = false;
    double zoom_ = 1;
    double smallestZoom_ = 1;
    QSize startSize_;
    QSize designClient_;  // the client area at 100 %
    QSize frameMargins_;  // the frame's size beyond the window's, once known
};
