#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using Layout = WindowTest;

// Every line of a label fits its width.
void ExpectFits(const QLabel* label) {
    const QFontMetrics m(label->font());
    const QStringList lines = label->text().split('\n');
    for (const QString& line : lines) EXPECT_LE(m.horizontalAdvance(line), label->width()) << line.toStdString();
    EXPECT_LE(lines.size() * m.height(), label->height()) << label->text().toStdString();
}

// Each panel's controls, the timers and the menu commands carry the names
// of the window's definition.
TEST_F(Layout, ControlsAreFoundByTheirNames) {
    TForm1& f = *form;
    const std::pair<const char*, QObject*> named[] = {{"Shape21", f.View->Shape21},
                                                      {"Shape42", f.View->Shape42},
                                                      {"Target", f.View->Target},
                                                      {"UpDown2", f.Generator->UpDown2},
                                                      {"Edit13", f.IonSource->Edit13},
                                                      {"Button1", f.Simulation->Button1},
                                                      {"Label20", f.Info->Label20},
                                                      {"Edit9", f.EnergySpectrum->Edit9},
                                                      {"Panel12", f.EnergySpectrum->Panel12},
                                                      {"Image3", f.TimeSpectrum->Image3},
                                                      {"Shape44", f.TimeSpectrum->Shape44},
                                                      {"Button5", f.Results->Button5},
                                                      {"Timer2", f.Timer2},
                                                      {"Kirs1", f.Kirs1}};
    for (auto [name, control] : named) EXPECT_EQ(f.findChild<QObject*>(name), control) << name;
}

TEST_F(Layout, NoControlReachesOutOfItsParent) {
    for (QWidget* w : form->Client->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(form.get())) continue;
        if (w->parentWidget() == form->Client || qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QLineEdit*>(w)) {
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
                << w->metaObject()->className() << " " << w->objectName().toStdString() << " "
                << w->property("text").toString().toStdString();
        }
    }
}

TEST_F(Layout, CaptionsAndReadoutsAreNotCutOff) {
    TForm1& f = *form;
    for (QLabel* l : f.Client->findChildren<QLabel*>()) {
        if (!l->wordWrap()) ExpectFits(l);
    }
    // A push button's caption with room for its frame; a check or radio
    // button's caption with its indicator.
    for (QAbstractButton* b : f.Client->findChildren<QAbstractButton*>()) {
        const int needed = qobject_cast<QPushButton*>(b) ? b->fontMetrics().horizontalAdvance(b->text()) + 12
                                                         : b->text().isEmpty() ? 0 : b->sizeHint().width();
        EXPECT_LE(needed, b->width()) << b->text().toStdString();
    }
    // The widest texts the readouts take.
    ui::SetCaption(f.Info->Label20, "Összes indított = 12345\rÖsszes beérkezett = 12345");
    ui::SetCaption(f.Generator->Label25, "Feszültség =  -75.0000");
    ui::SetCaption(f.Generator->Label26, "Fázis =  359.9999");
    ui::SetCaption(f.Info->Label18, "Emax =  9999.9999");
    ui::SetCaption(f.Info->Label21, "E =  9999.9999");
    for (QLabel* l : {f.Info->Label20, f.Generator->Label25, f.Generator->Label26, f.Info->Label18, f.Info->Label21})
        ExpectFits(l);
}

}  // namespace
}  // namespace velox::testing
