// Every control inside its parent, captions and the widest readouts not cut off.
#include <QAbstractButton>
#include <QPushButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using Layout = WindowTest;

// Every line of a label fits its width.
void ExpectFits(const QLabel* label) {
    const QFontMetrics m(label->font());
    const QStringList lines = label->text().split('\n');
    for (const QString& line : lines) EXPECT_LE(m.horizontalAdvance(line), label->width()) << Text(line);
    EXPECT_LE(lines.size() * m.height(), label->height()) << Text(label->text());
}

TEST_F(Layout, NoControlReachesOutOfItsParentNoCaptionOrReadoutIsCutOff) {
    TForm1& f = *form;
    for (QWidget* w : f.Client->findChildren<QWidget*>()) {
        const bool control =
            qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w);
        if (w->isVisibleTo(&f) && (control || w->parentWidget() == f.Client)) {
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << Text(w->objectName());
        }
    }
    for (QLabel* l : f.Client->findChildren<QLabel*>())
        if (!l->wordWrap()) ExpectFits(l);
    for (QAbstractButton* b : f.Client->findChildren<QAbstractButton*>()) {
        const int needed = qobject_cast<QPushButton*>(b) ? b->fontMetrics().horizontalAdvance(b->text()) + 12
                           : b->text().isEmpty()         ? 0
                                                         : b->sizeHint().width();
        EXPECT_LE(needed, b->width()) << Text(b->text());
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
