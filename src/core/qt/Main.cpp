// The main window's creation, its one-shot layout step, its first
// activation, and what spans its panels.
#include "core/qt/Main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "editor/qt/Uregadat.h"
#include "ui/app/Layout.h"
#include "ui/model/Zoom.h"
#include "ui/qt/ControlHints.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/Msg.h"
#include "ui/qt/Sugo.h"
#include "ui/qt/UpDown.h"
#include "ui/qt/Zoom.h"

namespace {

// Alt held without Shift, Ctrl or Meta.  A key pressed with Alt and another
// modifier is left to the control (so are the AltGr characters of a
// keyboard that reports them as Ctrl + Alt).
bool AltAlone(Qt::KeyboardModifiers shift) {
    constexpr Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return (shift & held) == Qt::AltModifier;
}

// The window's size at 100 %, its menu bar included, and the least size at
// which it still shows its content at 100 % (a few columns of the right
// margin may go).
constexpr int DesignWidth = 963, DesignHeight = 606;
constexpr int LeastWidth = 946;

velox::PixelSize ToPixelSize(QSize s) { return {s.width(), s.height()}; }

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lineáris gyorsító"));
    setFont(velox::ui::MainFont());

    // Window creation.  The model starts with its creation values: phases
    // 90 … 180, Frequency 1, Amplitude 25, no cavities, an empty cavity list
    // built once, both spectra with their first settings.
    ProgramDir = QCoreApplication::applicationDirPath();
    if (!ProgramDir.endsWith(QLatin1Char('/'))) ProgramDir += QLatin1Char('/');
    // Numbers are written with "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());

    Timer1 = velox::ui::Named(new QTimer(this), "Timer1");
    Timer2 = velox::ui::Named(new QTimer(this), "Timer2");
    Timer3 = velox::ui::Named(new QTimer(this), "Timer3");

    // The controls at their places (client coordinates under the menu bar),
    // in the order of the layout.
    Frame = velox::ui::Named(new QWidget(this), "Frame");
    setCentralWidget(Frame);
    Client = velox::ui::Named(new QWidget(Frame), "Client");
    velox::ui::MarkZoomRoot(*Client);
    MainMenu1 = velox::ui::Named(menuBar(), "MainMenu1");
    velox::ui::BuildLayout(*Client, velox::app::MainLayout(), &App.Controls, MainMenu1,
                           [this](QWidget& parent, const char* name) {
                               return AcceleratorViewPanel::NewMarker(parent, name, Data);
                           });
    Map.AddTree(*this);
    View = std::make_unique<AcceleratorViewPanel>(Client, App);
    EnergySpectrum = std::make_unique<EnergySpectrumPanel>(Client, App);
    TimeSpectrum = std::make_unique<TimeSpectrumPanel>(Client, App);
    Particulars();
    Wire();
    BuildZoomKeys();

    designClient_ = QSize(DesignWidth, DesignHeight - MainMenu1->sizeHint().height());
    Client->setGeometry(QRect(QPoint(), designClient_));
    FitToScreen();
    resize(startSize_);
    auto* resized = new velox::ui::EventHook([this](QObject*, QEvent* e) {
        if (e->type() == QEvent::Resize) ApplyZoom();
        return false;
    });
    resized->setParent(Frame);
    Frame->installEventFilter(resized);

    Timer1->setSingleShot(true);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setInterval(App.Timer2.Value);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    // Timer3 redraws the spectra that hold counts once a second.
    Timer3->setInterval(App.Timer3.Value);
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    Timer1->start();
    Timer3->start();
}

TForm1::~TForm1() = default;

void TForm1::Particulars() {
    using velox::ui::TUpDown;
    // "Gyorsító": the spinners' arrows are the layer's; the position fields
    // lie under the display fields and take no focus.
    for (const char* name : {"UpDown1", "UpDown2"})
        Control<TUpDown>(name)->OnClick = [this, name](bool up) {
            SyncFocus();
            App.UpDownClick(name, up);
        };
    for (const char* name : {"Edit1", "Edit3"}) Control<QLineEdit>(name)->setFocusPolicy(Qt::NoFocus);
    for (const char* name : {"Edit2", "Edit4"}) Control<QLineEdit>(name)->raise();
    // "Ionforrás"
    Image4 = Control<velox::ui::TImage>("Image4");
    Image4->NewBitmap();
    // "Szimuláció"
    connect(Control<QComboBox>("ComboBox1"), &QComboBox::currentIndexChanged, this,
            [this](int i) { App.ComboBox1Change(i); });
    // "Tájékoztató adatok": the counts take two lines.
    QLabel* counts = Control<QLabel>("Label20");
    counts->resize(counts->width(), 2 * counts->height() + 2);
    counts->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// The controls' events to the layer's commands, the layer's changes back
// to the controls, and the layer's questions and pictures to this window.
void TForm1::Wire() {
    for (const auto& [name, command] : App.Commands.Clicks) {
        QObject* o = Map.Find(name);
        const std::string n = name;
        const auto click = [this, n] {
            if (showing_) return;
            SyncFocus();
            App.Click(n);
        };
        if (auto* action = qobject_cast<QAction*>(o))
            connect(action, &QAction::triggered, this, click);
        else if (auto* box = qobject_cast<QCheckBox*>(o))
            connect(box, &QCheckBox::toggled, this, [this, n](bool on) {
                if (showing_) return;
                SyncFocus();
                App.Check(n, on);
            });
        else if (auto* button = qobject_cast<QPushButton*>(o))
            connect(button, &QPushButton::clicked, this, click);
    }
    for (const auto& [name, command] : App.Commands.Exits)
        if (auto* field = qobject_cast<QLineEdit*>(Map.Find(name))) {
            const std::string n = name;
            Fields.Add(field, [this, n](Leave how) {
                SyncFocus();
                App.Exit(n, how);
            });
        }
    for (QLineEdit* field : Client->findChildren<QLineEdit*>())
        if (App.Controls.Has(field->objectName().toStdString()))
            connect(field, &QLineEdit::textChanged, this, [this, field](const QString& text) {
                if (!showing_) App.Typed(field->objectName().toStdString(), text.toStdString());
            });
    App.OnChange = [this](const velox::app::Changes& c) { Show(c); };
    for (SpectrumPanel* panel : {static_cast<SpectrumPanel*>(EnergySpectrum.get()),
                                 static_cast<SpectrumPanel*>(TimeSpectrum.get())})
        ResultPictures.emplace_back(panel->PictureBit(), [panel] { panel->ShowPicture(); });

    Asker.CavityDialog = [this]() -> TUregAdatDlg& { return CavityDialog(); };
    Painter.Font = [this] { return font(); };
    Painter.Bitmap = [this](velox::app::Picture p) -> QImage& {
        return p == velox::app::AcceleratorView ? View->ViewBuffer : Image4->Canvas();
    };
    Painter.Size = [this](velox::app::Picture p) {
        return p == velox::app::AcceleratorView ? View->Image1->size() : Image4->size();
    };
    Painter.Painted = [this](velox::app::Picture p) {
        if (p == velox::app::AcceleratorView)
            View->Image1->CopyFrom(View->ViewBuffer);
        else
            Image4->Changed();
    };
    Painter.SpectraPicture = [this] { return SpectraPicture(*EnergySpectrum, *TimeSpectrum, 2); };

    connect(Control<QAction>("Feladat1"), &QAction::triggered, this, [this] { Feladat1Click(); });
    connect(Control<QAction>("Vge1"), &QAction::triggered, this, [this] { Vge1Click(); });
    // The keyboard's way of closing a window, also where no window manager
    // provides it; it asks the quit confirmation like every other way.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, [this] { close(); });

    // The window sees every key before the control that has the focus: an
    // application-wide filter takes the key presses meant for this window's
    // controls.
    keyHook_ = std::make_unique<velox::ui::EventHook>([this](QObject* watched, QEvent* e) {
        if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
        if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this) return false;
        auto* key = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::ShortcutOverride) {
            // An Alt combination is the window's, never a shortcut's, except
            // Alt+F4, which closes the window.
            if (!AltAlone(key->modifiers()) || key->key() == Qt::Key_F4) return false;
            e->accept();
            return true;
        }
        return FormKeyDown(key->key(), key->modifiers());
    });
    qApp->installEventFilter(keyHook_.get());

    velox::ui::ApplyControlHints(*this);
}

bool TForm1::event(QEvent* e) {
    // The window manager gives the window its frame some time after it is
    // shown, and moves it with it.
    if (e->type() == QEvent::Move && frameGeometry().size() - size() != frameMargins_) {
        const bool handled = QMainWindow::event(e);
        KeepOnScreen();
        return handled;
    }
    if (e->type() == QEvent::ScreenChangeInternal) {
        // Another screen: another free area and perhaps another pixel ratio.
        const bool handled = QMainWindow::event(e);
        FitToScreen();
        zoom_ = 0;
        ApplyZoom();
        return handled;
    }
    if (e->type() == QEvent::WindowActivate) {
        const bool handled = QMainWindow::event(e);
        FormActivate();
        return handled;
    }
    return QMainWindow::event(e);
}

// The layout step, 100 ms after creation: the drawing surfaces get their
// sizes; the layer takes their places, the axis and the spectra's plots.
void TForm1::Timer1Timer() {
    Timer1->stop();
    move(5, 2);
    KeepOnScreen();
    View->Layout();
    Image4->NewBitmap();
    Image4->OnRescaled = [this] { App.Repaint(velox::app::PhaseWindow); };
    EnergySpectrum->InitSpectrum();
    TimeSpectrum->InitSpectrum();
    velox::ui::ApplyDialogLook(*this);
    const QSize plot = EnergySpectrum->PlotSize();
    App.Timer1Timer({View->Image1->x(), View->Image1->y(), Image4->x(), Image4->width(),
                     View->Target->x(), plot.width(), plot.height()});
    // The pictures have their places now; the window may have been enlarged
    // before.
    ApplyZoom();

    // A window manager may show the window without activating it; the
    // start-up must not depend on that, so a shown window that has not been
    // activated by now is started as if it had been.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) FormActivate();
    });
}

// The first activation: waits for the layout, then the layer installs the
// default accelerator and the start-up set-up.  Qt activates the window
// again after every modal dialog and message box; those activations do
// nothing.
void TForm1::FormActivate() {
    if (activationStarted_) return;
    activationStarted_ = true;
    while (!LayoutDone) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    App.ProgramDir = QFile::encodeName(ProgramDir).toStdString();
    SyncFocus();
    App.FormActivate();
}

// ---- the layer's side ----------------------------------------------------------

void TForm1::SyncFocus() {
    const QWidget* focused = QApplication::focusWidget();
    App.SetWindowActive(isActiveWindow());
    App.FocusChanged(focused && focused->window() == this ? focused->objectName().toStdString() : std::string());
}

void TForm1::Show(const velox::app::Changes& c) {
    {
        const QScopedValueRollback<bool> quiet(showing_, true);
        Map.Show(App.Controls, c.Controls);
    }
    if (c.Pictures & velox::app::Markers) View->SyncMarkers();
    for (const auto& [bit, show] : ResultPictures)
        if (c.Pictures & bit) show();
    if (c.Focus) {
        auto* field = qobject_cast<QLineEdit*>(Map.Find(*c.Focus));
        if (field && App.Controls[*c.Focus].SelLength > 0)
            Fields.RefuseEntry(field);
        else if (auto* w = qobject_cast<QWidget*>(Map.Find(*c.Focus)))
            w->setFocus(Qt::OtherFocusReason);
    }
    if (c.CancelDrag) View->DragCancel();
    if (c.EndProgram) EndProgram();
}

void TForm1::Timer2Timer() {
    SyncFocus();
    App.Timer2Timer();
}

void TForm1::Timer3Timer() { App.Timer3Timer(); }

void TForm1::RefreshNumberFields() {
    SyncFocus();
    App.RefreshNumberFields();
}

// Alt + Right / Alt + Left move the chosen spectrum's marker by one channel;
// no control ever sees a key pressed together with Alt alone.
bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (!AltAlone(shift)) return false;
    // Alt+F4 belongs to no control: it closes the window, through the quit
    // question, wherever the focus is.
    if (key == Qt::Key_F4) return false;
    using Key = velox::app::Window::Key;
    App.FormKeyDown(key == Qt::Key_Right ? Key::Right : key == Qt::Key_Left ? Key::Left : Key::Other);
    return true;
}

// ---- zoom ----------------------------------------------------------------------

void TForm1::BuildZoomKeys() {
    const auto key = [this](const QKeySequence& sequence, auto handler) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    // The keypad's keys count as the main keys' (Qt ignores the keypad when
    // only that differs); Ctrl+= is Ctrl+Plus without Shift on many keyboards.
    for (const QKeySequence& larger : {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)})
        key(larger, [this] { StepSize(+1); });
    key(QKeySequence(QKeySequence::ZoomOut), [this] { StepSize(-1); });
    key(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { ResetSize(); });
    key(QKeySequence(Qt::Key_F11), [this] { ToggleFullScreen(); });
}

namespace {

// The screen's free area less the window's frame.
QSize FreeArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return QSize(DesignWidth, DesignHeight);
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    return screen->availableGeometry().size() - frame;
}

}  // namespace

void TForm1::FitToScreen() {
    const QSize design(DesignWidth, DesignHeight);
    smallestZoom_ = velox::SmallestZoom(ToPixelSize(FreeArea(*this)), ToPixelSize(design));
    if (smallestZoom_ == 1) {
        setMinimumSize(LeastWidth, DesignHeight);
        startSize_ = design;
    } else {
        const QSize least = velox::ui::ScaledRect(QRect(QPoint(), design), smallestZoom_).size();
        setMinimumSize(least);
        startSize_ = least;
    }
}

// A window whose frame became known and that still has its size at start
// takes the size that leaves room for the frame; a window reaching past the
// screen's free area moves into it.
void TForm1::KeepOnScreen() {
    frameMargins_ = frameGeometry().size() - size();
    const QSize opened = startSize_;
    FitToScreen();
    if (windowState() != Qt::WindowNoState) return;
    if (size() == opened && startSize_ != opened) resize(startSize_);
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect free = screen->availableGeometry(), frame = frameGeometry();
    const QPoint inside(std::max(free.left(), std::min(frame.left(), free.right() + 1 - frame.width())),
                        std::max(free.top(), std::min(frame.top(), free.bottom() + 1 - frame.height())));
    if (inside != frame.topLeft()) move(inside);
}

void TForm1::ApplyZoom() {
    if (!Frame || !Client) return;
    const velox::PixelSize frame = ToPixelSize(Frame->size());
    const velox::PixelSize design = ToPixelSize(designClient_);
    // Until the layout step has placed the pictures the content stays at 100 %.
    const double zoom = LayoutDone ? velox::ContentZoom(frame, design, smallestZoom_) : 1.0;
    const velox::PixelRect place = velox::CentredContent(frame, design, zoom);
    const QRect shown(place.Left, place.Top, place.Width, place.Height);
    if (Client->geometry() != shown) Client->setGeometry(shown);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    velox::ui::SetWindowZoom(*this, zoom);
    // The menu bar grows with the window, whose size does not depend on it.
    const double menuZoom =
        velox::ContentZoom(ToPixelSize(size()), {DesignWidth, DesignHeight}, smallestZoom_);
    MainMenu1->setFont(velox::ui::ScaledFont(font(), menuZoom));
    velox::ui::ScaleControls(*Client, zoom);
    Client->setFont(velox::ui::ScaledFont(font(), zoom));
}

void TForm1::StepSize(int steps) {
    if (isFullScreen() || isMaximized()) showNormal();
    const QSize free = FreeArea(*this);
    const velox::PixelSize next = velox::SteppedSize(ToPixelSize(size()), ToPixelSize(startSize_), steps,
                                                     ToPixelSize(minimumSize()), ToPixelSize(free));
    resize(next.Width, next.Height);
}

void TForm1::ResetSize() {
    if (isFullScreen() || isMaximized()) showNormal();
    resize(startSize_);
}

void TForm1::ToggleFullScreen() { setWindowState(windowState() ^ Qt::WindowFullScreen); }

// ---- the auxiliary windows and the program's end --------------------------------

TUregAdatDlg& TForm1::CavityDialog() {
    if (!UregAdatDlg) UregAdatDlg = new TUregAdatDlg(this);
    UregAdatDlg->App = &App;
    return *UregAdatDlg;
}

void TForm1::Feladat1Click() {
    if (!Form3) Form3 = new TForm3(this);
    Form3->TaskText = [this] { return App.TaskText(); };
    velox::ui::ShowModal(*Form3);
}

void TForm1::Vge1Click() { close(); }

bool TForm1::FormCloseQuery() {
    if (!MsgDlg) MsgDlg = new TMsgDlg(this);
    return velox::ui::ShowModal(*MsgDlg) == velox::ui::mrOk;
}

// "Vége", the close box, the system menu and the keyboard all come here.
void TForm1::closeEvent(QCloseEvent* event) {
    if (Ended) {
        event->accept();
        return;
    }
    const bool mayClose = FormCloseQuery();
    // The program may have ended while the question was open (the timed run
    // goes on under it).
    event->setAccepted(mayClose || Ended);
}

// Windows still open over the main window (a dialog, a question) are closed
// as cancelled; then the main window closes, and with it the program.
void TForm1::EndProgram() {
    Ended = true;
    View->DragCancel();
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == this) break;
        modal->close();
        if (modal->isVisible()) break;
    }
    close();
}
