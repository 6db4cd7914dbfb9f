#include "ui/qt/Controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

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

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* l = Named(new QLabel(caption, parent), name);
    l->setTextFormat(Qt::PlainText);
    l->move(left, top);
    l->adjustSize();
    return l;
}

QLabel* NewHeading(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    QLabel* l = NewLabel(parent, name, caption, left, top);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->adjustSize();
    return l;
}

QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text, int left, int top, int width) {
    auto* e = Named(new QLineEdit(text, parent), name);
    e->setGeometry(left, top, width, 21);
    e->setCursorPosition(0);
    return e;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width) {
    auto* b = Named(new QPushButton(caption, parent), name);
    b->setGeometry(left, top, width, 25);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, int left, int top, bool checked) {
    auto* c = Named(new QCheckBox(caption, parent), name);
    c->move(left, top);
    c->adjustSize();
    c->setChecked(checked);
    return c;
}

TPanel* NewPanel(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* p = Named(new TPanel(parent), name);
    p->setGeometry(left, top, width, height);
    return p;
}

void SetCaption(QLabel* label, const std::string& text) {
    QString caption = QString::fromStdString(text);
    caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (label->text() != caption) label->setText(caption);
}

}  // namespace velox::ui
