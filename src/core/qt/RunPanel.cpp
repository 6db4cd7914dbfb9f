#include "core/qt/RunPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/model/Readouts.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/qt/NumberFields.h"
#include "ui/qt/Controls.h"

using namespace velox::ui;

RunPanel::RunPanel(QWidget* client, velox::RunController& run, QTimer& simTimer, NumberFields& fields)
    : Run(run), SimTimer(simTimer), Fields(fields) {
    Panel3 = NewPanel(client, "Panel3", 320, 384, 133, 193);
    Label2 = NewHeading(Panel3, "Label2", QStringLiteral("Szimuláció"), 8, 8);
    Label4 = NewLabel(Panel3, "Label4", QStringLiteral("Sebesség"), 17, 34);
    ComboBox1 = Named(new QComboBox(Panel3), "ComboBox1");
    ComboBox1->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    ComboBox1->setCurrentIndex(Run.SpeedIndex);
    ComboBox1->setGeometry(78, 31, 45, 21);
    Label29 = NewLabel(Panel3, "Label29", QStringLiteral("Idő:"), 17, 59);
    Edit15 = NewEdit(Panel3, "Edit15", QStringLiteral("00:00:00"), 42, 56, 81);
    Button2 = NewButton(Panel3, "Button2", QStringLiteral("Egy lépés"), 17, 87, 98);
    Button1 = NewButton(Panel3, "Button1", QString::fromStdString(velox::RunOfferCaption(Run.Offer)), 17, 120, 98);
    Button3 = NewButton(Panel3, "Button3", QStringLiteral("Újraindít"), 17, 153, 98);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
}

void RunPanel::MirrorRunState() {
    const QString caption = QString::fromStdString(velox::RunOfferCaption(Run.Offer));
    if (Button1->text() != caption) Button1->setText(caption);
    if (Run.Running && !SimTimer.isActive())
        SimTimer.start();
    else if (!Run.Running && SimTimer.isActive())
        SimTimer.stop();
}

void RunPanel::SimulationStep() {
    Run.Data.SimulationStep();
    StepDone();
}

void RunPanel::Button1Click() {
    Run.ContinueStop();
    MirrorRunState();
    RunChanged();
}

// The clear of "Törlés" with its question, with SimTimer stopped while it is
// open; the restart then idles every slot, so no particle flies on into the
// cleared results and the run starts from no launches at all.
void RunPanel::Button3Click() {
    const bool restarted = Run.Restart([this] {
        MirrorRunState();
        return ClearResults();
    });
    MirrorRunState();
    if (restarted) RunChanged();
}

void RunPanel::ComboBox1Change() {
    Run.SpeedIndex = ComboBox1->currentIndex();
    SimTimer.setInterval(Run.Interval());
}

void RunPanel::SetFreeMode(bool free) {
    Run.SetFreeMode(free);
    MirrorRunState();
}

void RunPanel::ShowRunClock() { Fields.ShowTimeInField(Edit15, Run.RunClock); }
