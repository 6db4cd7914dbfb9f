// The "Ionforrás" panel: the phase window and the two phase fields.
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>

#include "core/model/PhaseWindow.h"
#include "core/qt/Main.h"
#include "ui/qt/PainterCanvas.h"

namespace {

void SetFieldText(QLineEdit* field, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (field->text() != t) field->setText(t);
}

}  // namespace

void TForm1::DrawPhaseWindow() {
    QImage& bitmap = Image4->Canvas();
    {
        QPainter painter(&bitmap);
        velox::ui::PainterCanvas canvas(painter, font());
        velox::DrawPhaseWindow(canvas, bitmap.width(), bitmap.height(), Data.StartPhase, Data.StopPhase);
    }
    Image4->Changed();
    const velox::PhasePanelState panel =
        velox::PhasePanelFor(Image4->x(), Image4->width(), Data.StartPhase, Data.StopPhase);
    Shape50->move(panel.StartMarkerLeft, Shape50->y());
    Shape51->move(panel.StopMarkerLeft, Shape51->y());
    SetFieldText(Edit13, panel.StartText);
    SetFieldText(Edit14, panel.StopText);
}

void TForm1::Edit13Exit(QObject* sender) {
    const auto v = velox::AcceptStartPhase(Edit13->text().toStdString(), Data.StopPhase);
    if (!v) {
        RefuseEntry(Edit13);
        return;
    }
    Data.StartPhase = *v;
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    PlaceCavityMarkers();
}

void TForm1::Edit14Exit(QObject* sender) {
    const auto v = velox::AcceptStopPhase(Edit14->text().toStdString(), Data.StartPhase);
    if (!v) {
        RefuseEntry(Edit14);
        return;
    }
    Data.StopPhase = *v;
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    PlaceCavityMarkers();
}
