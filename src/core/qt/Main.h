// The main window: the accelerator view, the "Gyorsító", "Ionforrás",
// "Szimuláció" and "Tájékoztató adatok" panels, the results panel and the
// main menu.  The window owns the whole model.  Controls keep the names of
// the window's definition, so that every handler finds its control; the
// handlers are members of this class, implemented in the .cpp files of
// their subsystems (core/qt, editor/qt, results/qt).
#pragma once

#include <array>
#include <memory>
#include <string>

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QString>

#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "results/qt/SpectrumPlot.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Image.h"
#include "ui/qt/Prompts.h"
#include "ui/qt/Shape.h"
#include "ui/qt/UpDown.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QCloseEvent;
class QMouseEvent;
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
    QString ProgramDir;   // folder of the executable, ending in "/"
    QString BaseName;     // "VELOX_2013" from the first activation on
    QString SetupPath;    // current accelerator data file
    QString ResultsPath;  // current results file
    bool LayoutDone = false;
    bool ActivationDone = false;  // the first activation has finished
    QImage ViewBuffer;            // off-screen picture of the accelerator view

    // ---- controls -------------------------------------------------------------
    using TShape = velox::ui::TShape;
    using TImage = velox::ui::TImage;
    using TPanel = velox::ui::TPanel;
    using TBevel = velox::ui::TBevel;
    using TUpDown = velox::ui::TUpDown;

    QWidget* Client = nullptr;  // the client area under the menu bar

    // Accelerator view and its frame.
    TBevel* Bevel1 = nullptr;
    TImage* Image1 = nullptr;
    TShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *Shape8, *Shape9, *Shape10,
        *Shape11, *Shape12, *Shape13, *Shape14, *Shape15, *Shape16, *Shape17, *Shape18, *Shape19, *Shape20,
        *Shape21;  // cavity markers
    TShape *Shape22, *Shape23, *Shape24, *Shape25, *Shape26, *Shape27, *Shape28, *Shape29, *Shape30,
        *Shape31, *Shape32, *Shape33, *Shape34, *Shape35, *Shape36, *Shape37, *Shape38, *Shape39, *Shape40,
        *Shape41, *Shape42;                      // particle markers
    TShape *Shape43, *Shape44;                   // spectrum marker lines
    TShape *Shape46, *Shape47, *Shape48, *Shape49;  // frame bars of the view
    TShape *Shape50, *Shape51, *Shape52;         // phase window markers and cursor
    TShape* Target = nullptr;
    std::array<TShape*, velox::MaxCavities> CavityMarkerShapes{};
    std::array<TShape*, velox::ParticleCount> ParticleMarkerShapes{};

    // "Gyorsító" panel.
    TPanel* Panel1 = nullptr;
    QLabel *Label1, *Label5, *Label6;
    QPushButton* Button4 = nullptr;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;
    TUpDown *UpDown1, *UpDown2;
    QGroupBox* GroupBox3 = nullptr;
    QLabel *Label25, *Label26;

    // "Ionforrás" panel.
    TPanel* Panel11 = nullptr;
    QLabel *Label27, *Label28, *Label30, *Label3;
    TImage* Image4 = nullptr;
    QLineEdit *Edit13, *Edit14;
    QCheckBox* CheckBox1 = nullptr;

    // "Szimuláció" panel.
    TPanel* Panel3 = nullptr;
    QLabel *Label2, *Label4, *Label29;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QPushButton *Button1, *Button2, *Button3;

    // "Tájékoztató adatok" panel.
    TPanel* Panel10 = nullptr;
    QLabel* Label24 = nullptr;
    QGroupBox *GroupBox1, *GroupBox2;
    QLabel *Label21, *Label22, *Label18, *Label20;

    // "Eredmények" panel.
    TPanel* Panel2 = nullptr;
    QLabel* Label7 = nullptr;
    TPanel *Panel8, *Panel6, *Panel9, *Panel7;  // strips above and below the plots
    TPanel *Panel4, *Panel5;                    // plot panels
    TBevel *Bevel2, *Bevel3;
    TImage *Image2, *Image3;
    QLabel *Label8, *Label9, *Label14, *Label15;   // energy: "Ymax", "Csat.:", "Xmin", "Xmax"
    QLabel *Label16, *Label17, *Label19, *Label23;  // time: "Ymax", "Csat.:", "Xmin", "Xmax"
    QLabel *Label10, *Label11, *Label12, *Label13;  // marker readouts "X=", "Y="
    QLineEdit *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10, *Edit11, *Edit12;
    QCheckBox *CheckBox2, *CheckBox3, *CheckBox4;
    QRadioButton *RadioButton1, *RadioButton2;
    TPanel *Panel12, *Panel13;  // statistics boxes
    QLabel *Label31, *Label32, *Label33, *Label34, *Label35, *Label36;
    QPushButton* Button5 = nullptr;

    // Main menu.
    QMenuBar* MainMenu1 = nullptr;
    QAction* Feladat1 = nullptr;        // "Feladat"
    QMenu* Gyorstadatai1 = nullptr;     // "Gyorsító adatai"
    QAction *Kirs1, *Kirsmsknt1, *Betlts1;  // "Mentés", "Mentés másként", "Betöltés"
    QMenu* Eredmnyek1 = nullptr;        // "Eredmények"
    QAction *Kirs2, *Kirsmsknt2, *Betlts2;  // "Kiírás", "Kiírás másként", "Betöltés"
    QAction* Vge1 = nullptr;            // "Vége"

    velox::ui::FileDialogSettings OpenDialog1;
    velox::ui::FileDialogSettings SaveDialog1;

    QTimer* Timer1 = nullptr;  // one-shot layout step
    QTimer* Timer2 = nullptr;  // SimTimer
    QTimer* Timer3 = nullptr;  // periodic spectrum redraw

    // ---- start-up (core/qt/Main.cpp) -----------------------------------------
    void Timer1Timer();   // the layout step
    void FormActivate();  // the first activation; later activations do nothing
    // Reads an accelerator data file into the model and refreshes the window;
    // false when the file exists but could not be read (nothing changed).
    bool LoadAcceleratorData(const QString& path);

    // ---- run control (core/qt/RunControl.cpp) --------------------------------
    void SimulationStep();  // "Egy lépés" (Button2Click)
    void Button2Click() { SimulationStep(); }
    void Timer2Timer();
    void Button1Click();   // continue / stop
    void Button3Click();   // restart
    void ComboBox1Change();
    void CheckBox4Click();
    void UpdateControlStates();
    // The end of a timed run, after the run has stopped.
    void TimedRunEnd();

    // ---- ion source panel (core/qt/IonSourcePanel.cpp) -----------------------
    void DrawPhaseWindow();
    void Edit13Exit(QObject* sender);
    void Edit14Exit(QObject* sender);

    // ---- accelerator view (editor/qt/AcceleratorView.cpp) --------------------
    void DrawAcceleratorView();
    void PlaceCavityMarkers();

    // ---- RF controls and number fields (editor/qt/NumberFields.cpp) ---------
    void UpDown1Changing();
    void UpDown2Changing();
    void Edit1Change();
    void Edit3Change();
    void Edit2Exit(QObject* sender);
    void Edit4Exit(QObject* sender);
    void Edit10Click(QObject* sender);
    // Returns true when the key was the Enter key and has been handled.
    bool Edit10KeyPress(QObject* sender, int key);
    void RefreshNumberFields();
    void ShowIntegerInField(QLineEdit* field, std::int32_t value);
    void ShowFloatInField(QLineEdit* field, double value);
    void ShowTimeInField(QLineEdit* field, double clock);
    QString PadToFieldWidth(const QString& text, int width) const;

    // ---- results (results/qt/ResultsCommands.cpp) ----------------------------
    void Button5Click();  // "Törlés"
    // The question and the clear of "Törlés"; true when the results went.
    bool ClearResults();

    // ---- cavity editor, file commands and windows ----------------------------
    // (editor/qt/CavityEditor.cpp, files/qt/FileCommands.cpp with TimedRunEnd,
    // ui/qt/Windows.cpp; RedrawSpectra in results/qt/SpectrumDrawing.cpp)
    // The program's other windows, created by the program entry after this
    // one; one that was not given is created on first use.
    TUregAdatDlg* UregAdatDlg = nullptr;
    TMsgDlg* MsgDlg = nullptr;
    TForm3* Form3 = nullptr;
    void Button4Click();  // "Új gyorsítóüreg"
    // A release over a cavity marker (one handler for all 21).
    void Shape1MouseUp(TShape& sender, QMouseEvent& event);
    // Drag and drop of the target: whether the view (at x, y in its own
    // coordinates) or the target marker itself accepts `source`, and the
    // drop on the view.
    bool Image1DragOver(QObject* source, int x, int y);
    void Image1DragDrop(QObject* source, int x, int y);
    bool Shape1DragOver(QObject* sender, QObject* source);
    // The file commands; each returns whether its file was written or read.
    bool Kirs1Click();       // "Mentés"
    bool Kirsmsknt1Click();  // "Mentés másként"
    bool Betlts1Click();     // "Betöltés" of the accelerator data
    bool Kirs2Click();       // "Kiírás"
    bool Kirsmsknt2Click();  // "Kiírás másként"
    bool Betlts2Click();     // "Betöltés" of the results
    // Redraws both spectra after their data changed as a whole.
    void RedrawSpectra();
    void Feladat1Click();    // "Feladat"
    void Vge1Click();        // "Vége"
    // Asks the quit confirmation; true when the window may close.
    bool FormCloseQuery();
    // Ends the program without the quit confirmation.
    void EndProgram();
    bool Ended = false;  // EndProgram has run

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BindEditorHandlers();
    TUregAdatDlg& CavityDialog();
    // Writes the set-up to SetupPath (the results to ResultsPath); empty
    // when it worked, otherwise what went wrong.
    QString WriteSetup();
    QString WriteResults();
    void SetAutoBox(QCheckBox* box, bool on);
    // The drag that a left press on a shape starts, until the release.
    void DragStart(TShape& source, const QPoint& globalPos);
    void DragMove(const QPoint& globalPos);
    void DragEnd(const QPoint& globalPos);
    void DragCancel();
    bool DragAccepted(const QPoint& globalPos, QWidget** over = nullptr);
    TShape* dragSource_ = nullptr;
    bool dragCursor_ = false;

public:
    // ---- results panel (results/qt/SpectrumDrawing.cpp, SpectrumPanel.cpp) --
    velox::ui::SpectrumPlot EnergyPlot;  // Image2, Shape43, Label10, Label11
    velox::ui::SpectrumPlot TimePlot;    // Image3, Shape44, Label12, Label13
    void InitSpectrum(velox::Spectrum& spectrum, TImage* image, TBevel* frame, TShape* markerLine,
                      QLabel* markerXLabel, QLabel* markerYLabel, std::int32_t markerDefault, QCheckBox* autoBox);
    void DrawSpectrum(velox::Spectrum& spectrum);
    void DrawAxes(velox::Spectrum& spectrum);
    void UpdateMarker(velox::Spectrum& spectrum);
    void Timer3Timer();
    void RadioButton1Click();
    void RadioButton2Click();
    // Sees every key pressed in the window before the focused control; true
    // when the key is consumed (every key pressed together with Alt).
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void CheckBox2Click();
    void CheckBox3Click();
    void Edit10Exit(QObject* sender);  // energy "Ymax"
    void Edit12Exit(QObject* sender);  // time "Ymax"
    void Edit6Exit(QObject* sender);   // energy "Xmin"
    void Edit8Exit(QObject* sender);   // time "Xmin"
    void Edit5Exit(QObject* sender);   // energy "Xmax"
    void Edit7Exit(QObject* sender);   // time "Xmax"
    void Edit9Exit(QObject* sender);   // energy "Csat.:"
    void Edit11Exit(QObject* sender);  // time "Csat.:"
    void Image2MouseDown(Qt::MouseButton button);
    void Image3MouseDown(Qt::MouseButton button);
    void Panel12MouseUp(TPanel* sender);  // Panel12 and Panel13
    void Label31MouseUp(QLabel* sender);  // Label31 … Label36

private:
    void BindResultsPanel();
    velox::ui::SpectrumPlot& PlotOf(const velox::Spectrum& spectrum);
    void YMaxExit(QLineEdit* field, velox::Spectrum& spectrum, QObject* sender);
    void XMinExit(QLineEdit* field, velox::Spectrum& spectrum, QObject* sender);
    void XMaxExit(QLineEdit* field, velox::Spectrum& spectrum, QObject* sender);
    void ChannelWidthExit(QLineEdit* field, velox::Spectrum& spectrum, const std::vector<double>& values,
                          QObject* sender);
    void ShowStatisticsBox(TPanel* box, QLabel* count, QLabel* mean, QLabel* deviation,
                           const velox::ResultSums& sums);
    // Destroyed before the window's controls, so that no event reaches the
    // results panel's handlers while the window is taken apart.
    std::unique_ptr<velox::ui::EventHook> resultsHook_;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    void BindHandlers();
    // Mirrors the run commands' state into the controls that hold it:
    // Running into SimTimer, Caption into Button1.
    void MirrorRunState();
    // Applies the model's marker states to the shapes, raising them in the
    // order in which the model brought them to the front.
    void SyncMarkers();
    // The displays that a simulation step changes.
    void ShowStepResults();
    // A refused number-field entry: the field takes the focus back with its
    // whole text selected.
    void RefuseEntry(QLineEdit* field);
    using LeaveHandler = void (TForm1::*)(QObject*);
    QHash<QObject*, LeaveHandler> leaveHandlers_;
    QList<QLineEdit*> numberFields_;
    bool refusingEntry_ = false;
    bool activationStarted_ = false;
    bool destroying_ = false;
};

// Sets a label's caption from UTF-8 text; a CR starts a new line.
void SetCaption(QLabel* label, const std::string& text);
