// The main window: the Qt face of the application layer (core/app/Window),
// which owns the model and the state of every control.  The window creates
// its controls from the layout table (ui/app/Layout.h), forwards their
// events to the layer, shows the layer's changes on them, paints the
// pictures the layer asks for, and keeps what only a window has: the
// menu, the timers, the zoom, the focus and the modal windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QMainWindow>
#include <QString>

#include "core/app/Window.h"
#include "core/qt/AppFace.h"
#include "editor/qt/AcceleratorViewPanel.h"
#include "editor/qt/NumberFields.h"
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

    // ---- the layer, and the model and run state it owns -----------------------
    velox::ui::QtMeasure Measure{*this};
    velox::ui::QtAsker Asker;
    velox::app::DiskFiles Disk;
    velox::ui::QtPainter Painter;
    velox::app::Window App{Measure, Asker, Disk, Painter};
    velox::VeloxData& Data = App.Data;
    velox::RunController& Run = App.Run;
    QString ProgramDir;  // folder of the executable, ending in "/"
    const bool& LayoutDone = App.LayoutDone;
    const bool& ActivationDone = App.ActivationDone;  // the first activation has finished

    // ---- the controls, made from the layout table (ui/app/Layout.h) ----------
    QWidget* Frame = nullptr;    // the client area under the menu bar
    QWidget* Client = nullptr;   // the content at its zoom, centred in Frame
    QMenuBar* MainMenu1 = nullptr;
    NumberFields Fields;         // the focus rules of every number field
    // The areas with handlers and pictures of their own.
    std::unique_ptr<AcceleratorViewPanel> View;
    std::unique_ptr<EnergySpectrumPanel> EnergySpectrum;
    std::unique_ptr<TimeSpectrumPanel> TimeSpectrum;
    velox::ui::TImage* Image4 = nullptr;  // the phase window of "Ionforrás"
    // A control, widget or menu item, by its name; null when there is none
    // of that type.
    template <class T>
    T* Control(const char* name) const {
        return dynamic_cast<T*>(Map.Find(name));
    }

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

    // ---- the timers and the keys --------------------------------------------------
    void Timer2Timer();
    void Timer3Timer();
    // Sees every key pressed in the window before the focused control; true
    // when the key is consumed (every key pressed together with Alt).
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);
    // The layer's rewrite of every number field, with the focus as it is.
    void RefreshNumberFields();
    // Shows what the layer changed.
    void Show(const velox::app::Changes& changes);
    // How each result view's picture is shown, by its bit among the pictures.
    std::vector<std::pair<std::uint32_t, std::function<void()>>> ResultPictures;

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
    // What the layout does not say: the spinners' fields, the focus rules,
    // the readouts' shapes, the list's handler.
    void Particulars();
    void Wire();
    // Tells the layer which control has the focus before it runs a command.
    void SyncFocus();
    void BuildZoomKeys();
    // The smallest zoom and the minimum size for the window's present screen.
    void FitToScreen();
    void KeepOnScreen();
    TUregAdatDlg& CavityDialog();
    velox::ui::ControlMap Map;  // the controls by name
    bool showing_ = false;      // Show is writing the controls: their signals are not the user's
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
