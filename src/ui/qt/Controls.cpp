#include "ui/qt/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "core/model/VeloxData.h"
#include "ui/app/Controls.h"
#include "ui/app/Layout.h"
#include "ui/qt/Image.h"
#include "ui/qt/Shape.h"
#include "ui/qt/UpDown.h"

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

void BuildLayout(QWidget& client, std::span<const app::LayoutControl> layout, const app::ControlSet* controls,
                 QMenuBar* menu, const std::function<QWidget*(QWidget& parent, const char* name)>& marker) {
    using K = app::ControlKind;
    static const app::ControlState none;
    QHash<QString, QWidget*> widgets;
    QHash<QString, QMenu*> menus;
    for (const app::LayoutControl& c : layout) {
        const bool kept = controls && controls->Has(c.Name);
        const app::ControlState& state = kept ? (*controls)[c.Name] : none;
        const QString text = QString::fromUtf8(kept ? state.Text.c_str() : c.Text);
        const QString parentName = QLatin1String(c.Parent);
        if (c.Kind == K::Window) {
            client.setWindowTitle(text);
            client.setFixedSize(c.Width, c.Height);
            continue;
        }
        if (c.Kind == K::Menu) {
            menus.insert(QLatin1String(c.Name), Named(menu->addMenu(text), c.Name));
            continue;
        }
        if (c.Kind == K::MenuItem) {
            Named(*c.Parent ? menus.value(parentName)->addAction(text) : menu->addAction(text), c.Name);
            continue;
        }
        QWidget* parent = *c.Parent ? widgets.value(parentName) : &client;
        QWidget* w = nullptr;
        switch (c.Kind) {
        case K::Panel:
        case K::StatisticsBox: {
            auto* p = new TPanel(parent);
            if (c.Dark) p->SetColor(Qt::black);
            w = p;
            break;
        }
        case K::Heading:
        case K::Label:
        case K::WrappedLabel: {
            auto* l = new QLabel(text, parent);
            l->setTextFormat(Qt::PlainText);
            l->setWordWrap(c.Kind == K::WrappedLabel);
            if (c.Kind == K::Heading) {
                QFont bold = l->font();
                bold.setBold(true);
                l->setFont(bold);
            }
            w = l;
            break;
        }
        case K::Button: {
            auto* b = new QPushButton(text, parent);
            b->setAutoDefault(false);
            w = b;
            break;
        }
        case K::Field: {
            auto* e = new QLineEdit(text, parent);
            e->setCursorPosition(0);
            e->setReadOnly(c.ReadOnly);
            w = e;
            break;
        }
        case K::CheckBox:
        case K::RadioButton: {
            QAbstractButton* b = c.Kind == K::CheckBox ? static_cast<QAbstractButton*>(new QCheckBox(text, parent))
                                                       : new QRadioButton(text, parent);
            b->setAutoExclusive(false);
            b->setChecked(state.Checked);
            w = b;
            break;
        }
        case K::List: {
            auto* list = new QComboBox(parent);
            list->addItems(QString::fromUtf8(c.Items).split(QLatin1Char('|')));
            list->setCurrentIndex(state.ItemIndex);
            w = list;
            break;
        }
        case K::Spinner: {
            auto* u = new TUpDown(parent);
            u->SetPosition(state.Value);
            w = u;
            break;
        }
        case K::GroupBox: w = new QGroupBox(text, parent); break;
        case K::Bevel: w = new TBevel(parent); break;
        // The images and shapes keep their logical place, shown at the zoom.
        case K::Image: {
            auto* image = Named(new TImage(parent), c.Name);
            image->setGeometry(QRect(c.Left, c.Top, c.Width, c.Height));
            w = image;
            break;
        }
        case K::Shape:
        case K::Bar:
        case K::MarkerLine: {
            auto* s = Named(new TShape(parent), c.Name);
            s->setGeometry(QRect(c.Left, c.Top, c.Width, c.Height));
            s->SetBrushColor(QColor::fromRgb(c.Fill));
            s->SetPenColor(QColor::fromRgb(c.Outline));
            w = s;
            break;
        }
        case K::Marker: w = marker(*parent, c.Name); break;
        case K::TextView: {
            auto* view = new QTextEdit(parent);
            view->setReadOnly(true);
            view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            view->setLineWrapMode(QTextEdit::WidgetWidth);
            w = view;
            break;
        }
        case K::Window:
        case K::Menu:
        case K::MenuItem: break;
        }
        // The images, shapes and markers have their names and logical places
        // already.  Any other control without a size takes its caption's; a
        // readout keeps its width whatever it shows.
        if (!dynamic_cast<Zoomable*>(w)) {
            Named(w, c.Name);
            w->move(c.Left, c.Top);
            w->adjustSize();
            if (c.Width) w->resize(c.Width, c.Height ? c.Height : w->height());
        }
        if (!state.Visible) w->hide();
        widgets.insert(QLatin1String(c.Name), w);
    }
}

void SetCaption(QLabel* label, const std::string& text) {
    QString caption = QString::fromStdString(text);
    caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (label->text() != caption) label->setText(caption);
}

}  // namespace velox::ui
