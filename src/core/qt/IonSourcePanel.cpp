#include "core/qt/IonSourcePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "core/model/PhaseWindow.h"
#include "core/model/VeloxData.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Image.h"
#include "ui/qt/PainterCanvas.h"
#include "ui/qt/Shape.h"

using namespace velox::ui;

namespace {

void SetFieldText(QLineEdit* field, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (field->text() != t) field->setText(t);
}

}  // namespace

IonSourcePanel::IonSourcePanel(QWidget* client, velox::VeloxData& data, NumberFields& fields)
    : Data(data), Fields(fields) {
    Panel11 = NewPanel(client, "Panel11", 178, 384, 136, 193);
    Label27 = NewHeading(Panel11, "Label27", QStringLiteral("Ionforrás"), 8, 8);
    Image4 = Named(new TImage(Panel11), "Image4");
    Image4->setGeometry(15, 33, 107, 61);
    Image4->NewBitmap();
    Shape50 = NewShape(Panel11, "Shape50", TShape::Kind::Rectangle, 119, 94, 2, 5, Qt::black, Qt::black, 1);
    Shape51 = NewShape(Panel11, "Shape51", TShape::Kind::Rectangle, 34, 94, 2, 5, Qt::black, Qt::black, 1);
    Shape52 = NewShape(Panel11, "Shape52", TShape::Kind::Rectangle, 17, 33, 1, 61, Qt::red, Qt::red, 1);
    Label28 = NewLabel(Panel11, "Label28", QStringLiteral("Részecskebelövés      fázisszöge (fok)"), 8, 98);
    Label28->setWordWrap(true);
    Label28->setGeometry(8, 98, 122, 26);
    Label30 = NewLabel(Panel11, "Label30", QStringLiteral("Kezdő"), 18, 123);
    Label3 = NewLabel(Panel11, "Label3", QStringLiteral("Végső"), 77, 123);
    Edit13 = NewEdit(Panel11, "Edit13", QStringLiteral("0"), 18, 137, 36);
    Edit14 = NewEdit(Panel11, "Edit14", QStringLiteral("360"), 77, 137, 36);
    CheckBox1 = NewCheckBox(Panel11, "CheckBox1", QStringLiteral("Több részecske"), 19, 163, Data.MultiParticle);

    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { Data.MultiParticle = on; });
    Fields.Add(Edit13, [this](Leave how) { Edit13Exit(how); });
    Fields.Add(Edit14, [this](Leave how) { Edit14Exit(how); });
}

void IonSourcePanel::Layout() {
    Image4->NewBitmap();
    Image4->OnRescaled = [this] { PaintPhaseWindow(); };
    Data.View.Image4Left = Image4->x();
    Data.View.Image4Width = Image4->width();
    DrawPhaseWindow();
    Shape52->move(Image4->x() + 2, Shape52->y());
}

void IonSourcePanel::PaintPhaseWindow() {
    QImage& bitmap = Image4->Canvas();
    {
        QPainter painter(&bitmap);
        PainterCanvas canvas(painter, Panel11->window()->font());
        velox::DrawPhaseWindow(canvas, Image4->width(), Image4->height(), Data.StartPhase, Data.StopPhase);
    }
    Image4->Changed();
}

void IonSourcePanel::DrawPhaseWindow() {
    PaintPhaseWindow();
    const velox::PhasePanelState panel =
        velox::PhasePanelFor(Image4->x(), Image4->width(), Data.StartPhase, Data.StopPhase);
    Shape50->move(panel.StartMarkerLeft, Shape50->y());
    Shape51->move(panel.StopMarkerLeft, Shape51->y());
    SetFieldText(Edit13, panel.StartText);
    SetFieldText(Edit14, panel.StopText);
}

void IonSourcePanel::Edit13Exit(Leave how) {
    Fields.LeaveField(
        Edit13, how, velox::AcceptStartPhase(Edit13->text().toStdString(), Data.StopPhase),
        [this](double v) { Data.StartPhase = v; }, [this] { PhasesChanged(); });
}

void IonSourcePanel::Edit14Exit(Leave how) {
    Fields.LeaveField(
        Edit14, how, velox::AcceptStopPhase(Edit14->text().toStdString(), Data.StartPhase),
        [this](double v) { Data.StopPhase = v; }, [this] { PhasesChanged(); });
}

void IonSourcePanel::ShowPhaseCursor() {
    if (Shape52->x() != Data.PhaseCursor) Shape52->move(Data.PhaseCursor, Shape52->y());
}
