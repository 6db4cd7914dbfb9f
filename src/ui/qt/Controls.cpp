#include "ui/qt/Controls.h"

#include <QMouseEvent>

namespace velox::ui {

TPanel::TPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
}

void TPanel::SetColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QColor TPanel::Color() const { return palette().color(QPalette::Window); }

void TPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(*this, *event);
    if (OnClick && rect().contains(event->position().toPoint())) OnClick(*this, *event);
    if (!OnMouseUp && !OnClick) QFrame::mouseReleaseEvent(event);
}

TBevel::TBevel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace velox::ui
