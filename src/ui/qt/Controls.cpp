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
        const QRect place(c.Left, c.Top, c.Width, c.Height);
        QWidget* w = nullptr;
        switch (c.Kind) {
        case K::Panel:
        case K::StatisticsBox: {
            TPanel* p = NewPanel(parent, c.Name, c.Left, c.Top, c.Width, c.Height);
            if (c.Dark) p->SetColor(Qt::black);
            w = p;
            break;
        }
        case K::Heading:
        case K::Label: {
            QLabel* l = (c.Kind == K::Heading ? NewHeading : NewLabel)(parent, c.Name, text, c.Left, c.Top);
            // A readout keeps its width whatever it shows.
            if (c.Width) l->resize(c.Width, c.Height ? c.Height : l->height());
            w = l;
            break;
        }
        case K::WrappedLabel: {
            QLabel* l = NewLabel(parent, c.Name, text, c.Left, c.Top);
            l->setWordWrap(true);
            l->setGeometry(place);
            w = l;
            break;
        }
        case K::Button: w = NewButton(parent, c.Name, text, c.Left, c.Top, c.Width); break;
        case K::Field: {
            QLineEdit* e = NewEdit(parent, c.Name, text, c.Left, c.Top, c.Width);
            e->setReadOnly(c.ReadOnly);
            w = e;
            break;
        }
        case K::CheckBox: w = NewCheckBox(parent, c.Name, text, c.Left, c.Top, state.Checked); break;
        case K::RadioButton: {
            auto* r = Named(new QRadioButton(text, parent), c.Name);
            r->move(c.Left, c.Top);
            r->adjustSize();
            r->setAutoExclusive(false);
            r->setChecked(state.Checked);
            w = r;
            break;
        }
        case K::List: {
            auto* list = Named(new QComboBox(parent), c.Name);
            list->addItems(QString::fromUtf8(c.Items).split(QLatin1Char('|')));
            list->setCurrentIndex(state.ItemIndex);
            list->setGeometry(place);
            w = list;
            break;
        }
        case K::Spinner: {
            auto* u = Named(new TUpDown(parent), c.Name);
            u->SetPosition(state.Value);
            u->setGeometry(place);
            w = u;
            break;
        }
        case K::GroupBox:
            w = Named(new QGroupBox(text, parent), c.Name);
            w->setGeometry(place);
            break;
        case K::Bevel:
            w = Named(new TBevel(parent), c.Name);
            w->setGeometry(place);
            break;
        case K::Image: {
            auto* image = Named(new TImage(parent), c.Name);
            image->setGeometry(place);  // its logical place, shown at the zoom
            w = image;
            break;
        }
        case K::Shape:
        case K::Bar:
        case K::MarkerLine:
            w = NewShape(parent, QLatin1String(c.Name), TShape::Kind::Rectangle, c.Left, c.Top, c.Width, c.Height,
                         QColor::fromRgb(c.Fill), QColor::fromRgb(c.Outline), 1);
            break;
        case K::Marker: w = marker(*parent, c.Name); break;
        case K::TextView: {
            auto* view = Named(new QTextEdit(parent), c.Name);
            view->setGeometry(place);
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
