// The main window's creation, its one-shot layout step and its first
// activation.
#include "core/qt/Main.h"

#include <algorithm>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include "ui/qt/DialogLook.h"
#include "ui/qt/Fonts.h"

void SetCaption(QLabel* label, const std::string& text) {
    QString caption = QString::fromStdString(text);
    caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (label->text() != caption) label->setText(caption);
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Lineáris gyorsító"));
    setFont(velox::ui::MainFont());

    // Window creation.  The model starts with its creation values: phases
    // 90 … 180, Frequency 1, Amplitude 25, no cavities, an empty cavity list
    // built once, both spectra with their first settings.
    ProgramDir = QCoreApplication::applicationDirPath();
    if (!ProgramDir.endsWith(QLatin1Char('/'))) ProgramDir += QLatin1Char('/');
    // Numbers are written with "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());

    BuildControls();
    BuildMenu();
    BindHandlers();
    LayoutDone = false;

    resize(963, 606);
    setMinimumSize(946, 606);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer2 = new QTimer(this);
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setInterval(10);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    // Timer3 redraws the spectra that hold counts once a second.
    Timer3 = new QTimer(this);
    Timer3->setInterval(1000);
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    Timer1->start();
    Timer3->start();
}

TForm1::~TForm1() {
    destroying_ = true;
    for (QLineEdit* e : numberFields_) e->removeEventFilter(this);
}

void TForm1::BindHandlers() {
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(CheckBox4, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { Data.MultiParticle = on; });
    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    connect(Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
    BindEditorHandlers();
    BindResultsPanel();

    numberFields_ = {Edit2, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13, Edit14};
    for (QLineEdit* e : numberFields_) e->installEventFilter(this);
    leaveHandlers_.insert(Edit2, &TForm1::Edit2Exit);
    leaveHandlers_.insert(Edit4, &TForm1::Edit4Exit);
    leaveHandlers_.insert(Edit13, &TForm1::Edit13Exit);
    leaveHandlers_.insert(Edit14, &TForm1::Edit14Exit);
}

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        const bool handled = QMainWindow::event(e);
        FormActivate();
        return handled;
    }
    return QMainWindow::event(e);
}

// The layout step, 100 ms after creation: the drawing surfaces get their
// sizes, the axis its geometry, the spectra their plot settings.
void TForm1::Timer1Timer() {
    Timer1->stop();
    move(5, 2);
    Data.Amplitude = velox::StartupDefaults{}.LayoutAmplitude;
    ComboBox1Change();

    Bevel1->resize(Shape49->width() - 10, Bevel1->height());
    for (TShape* bar : {Shape46, Shape47, Shape48, Shape49}) {
        bar->SetBrushColor(velox::ui::PanelColour);
        bar->SetPenColor(velox::ui::PanelColour);
    }
    Image1->setGeometry(Bevel1->x() + 1, Bevel1->y() + 1, Bevel1->width() - 3, Bevel1->height() - 3);
    Image1->NewBitmap();

    Image4->NewBitmap();
    Data.View.ImageLeft = Image1->x();
    Data.View.ImageTop = Image1->y();
    Data.View.Image4Left = Image4->x();
    Data.View.Image4Width = Image4->width();
    DrawPhaseWindow();
    Shape52->move(Image4->x() + 2, Shape52->y());

    ViewBuffer = QImage(Image1->size(), QImage::Format_RGB32);
    ViewBuffer.fill(Qt::white);

    Data.AxisY = Image1->y() + 30;
    Data.SetTargetLeft(Target->x());

    InitSpectrum(Data.Store.EnergySpectrum, Image2, Bevel2, Shape43, Label10, Label11, velox::EnergyMarkerStart,
                 CheckBox2);
    InitSpectrum(Data.Store.TimeSpectrum, Image3, Bevel3, Shape44, Label12, Label13, velox::TimeMarkerStart,
                 CheckBox3);

    Target->BringToFront();
    velox::ui::ApplyDialogLook(*this);

    DrawAxes(Data.Store.EnergySpectrum);
    DrawAxes(Data.Store.TimeSpectrum);
    Data.ResetParticles();
    DrawAcceleratorView();
    LayoutDone = true;

    // A window manager may show the window without activating it; the
    // start-up must not depend on that, so a shown window that has not been
    // activated by now is started as if it had been.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) FormActivate();
    });
}

// The first activation: waits for the layout, installs the default
// accelerator and the start-up set-up, and brings every display up to date.
// Qt activates the window again after every modal dialog and message box;
// those activations do nothing.
void TForm1::FormActivate() {
    if (activationStarted_) return;
    activationStarted_ = true;
    while (!LayoutDone) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    BaseName = QString::fromLatin1(velox::BaseName);
    const velox::StartupDefaults defaults;
    // The target's place in the window's definition is the default one
    // already; TargetX keeps the value of the layout step.
    Data.InstallDefaultAccelerator(defaults);
    Data.BuildCavities();
    DrawAcceleratorView();

    Data.StartPhase = defaults.StartPhase;
    Data.StopPhase = defaults.StopPhase;
    UpDown1->SetPosition(defaults.FrequencyPosition);
    UpDown1Changing();
    UpDown2->SetPosition(defaults.VoltagePosition);
    UpDown2Changing();

    Data.Store.EnergySpectrum.XMax = defaults.EnergyXMax;
    Data.Store.TimeSpectrum.ChannelWidth = defaults.TimeChannelWidth;
    UpdateMarker(Data.Store.EnergySpectrum);
    DrawSpectrum(Data.Store.EnergySpectrum);
    UpdateMarker(Data.Store.TimeSpectrum);
    DrawSpectrum(Data.Store.TimeSpectrum);

    LoadAcceleratorData(ProgramDir + QStringLiteral("teszt02.gydat"));
    UpdateControlStates();
    RefreshNumberFields();
    ActivationDone = true;
}

void TForm1::SyncMarkers() {
    struct Pending {
        TShape* Shape;
        const velox::ShapeState* State;
        QPoint Origin;
    };
    std::vector<Pending> pending;
    pending.reserve(2 * velox::MaxCavities + 1);
    auto add = [&](TShape* shape, const velox::ShapeState& state, QPoint origin = {}) {
        if (shape->AppliedFrontStamp != state.FrontStamp)
            pending.push_back({shape, &state, origin});
        else
            velox::ui::ApplyShapeState(*shape, state, origin);
    };
    // The cavity markers lie in the view image (see BuildControls).
    for (std::size_t k = 0; k < CavityMarkerShapes.size(); ++k)
        add(CavityMarkerShapes[k], Data.CavityMarkers[k], Image1->pos());
    for (std::size_t i = 0; i < ParticleMarkerShapes.size(); ++i)
        add(ParticleMarkerShapes[i], Data.ParticleMarkers[i]);
    add(Target, Data.TargetMarker);
    // Raise in the order in which the model brought the shapes to the front.
    std::sort(pending.begin(), pending.end(),
              [](const Pending& a, const Pending& b) { return a.State->FrontStamp < b.State->FrontStamp; });
    for (const Pending& p : pending) velox::ui::ApplyShapeState(*p.Shape, *p.State, p.Origin);
}
