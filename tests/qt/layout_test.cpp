#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using Layout = WindowTest;

// Every line of a label fits its width.
void ExpectFits(const QLabel* label) {
    const QFontMetrics m(label->font());
    const QStringList lines = label->text().split('\n');
    for (const QString& line : lines)
        EXPECT_LE(m.horizontalAdvance(line), label->width()) << line.toStdString();
    EXPECT_LE(lines.size() * m.height(), label->height()) << label->text().toStdString();
}

TEST_F(Layout, PanelsSitWhereTheWindowDefinesThem) {
    TForm1& f = *form;
    EXPECT_EQ(f.Panel1->geometry(), QRect(7, 384, 166, 193));
    EXPECT_EQ(f.Panel11->geometry(), QRect(178, 384, 136, 193));
    EXPECT_EQ(f.Panel3->geometry(), QRect(320, 384, 133, 193));
    EXPECT_EQ(f.Panel10->geometry(), QRect(456, 384, 169, 193));
    EXPECT_EQ(f.Panel2->geometry(), QRect(642, 5, 297, 572));
    EXPECT_EQ(f.Panel4->geometry(), QRect(12, 36, 279, 197));
    EXPECT_EQ(f.Panel5->geometry(), QRect(12, 307, 279, 197));
    EXPECT_EQ(f.Image4->geometry(), QRect(15, 33, 107, 61));
    EXPECT_EQ(f.Edit13->geometry(), QRect(18, 137, 36, 21));
    EXPECT_EQ(f.Edit14->geometry(), QRect(77, 137, 36, 21));
    EXPECT_EQ(f.Edit2->geometry(), QRect(84, 70, 44, 21));
    EXPECT_EQ(f.UpDown2->geometry(), QRect(128, 97, 16, 21));
    EXPECT_EQ(f.Button3->geometry(), QRect(17, 153, 98, 25));
    EXPECT_EQ(f.CheckBox4->pos(), QPoint(16, 544));
    EXPECT_EQ(f.Button5->pos(), QPoint(208, 538));
    EXPECT_GE(f.Client->width(), 939);
    EXPECT_GE(f.Client->height(), 577);
}

TEST_F(Layout, NoControlReachesOutOfItsParent) {
    for (QWidget* w : form->Client->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(form.get()) || w->parentWidget() == form->Client) continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)) {
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
                << w->metaObject()->className() << " " << w->property("text").toString().toStdString();
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
    for (QPushButton* b : f.Client->findChildren<QPushButton*>())
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 12, b->width()) << b->text().toStdString();
    for (QAbstractButton* b : f.Client->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QPushButton*>(b) && !b->text().isEmpty()) {
            EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
        }
    }
    // The widest texts the readouts take.
    SetCaption(f.Label20, "Összes indított = 12345\rÖsszes beérkezett = 12345");
    SetCaption(f.Label25, "Feszültség =  -75.0000");
    SetCaption(f.Label26, "Fázis =  359.9999");
    SetCaption(f.Label18, "Emax =  9999.9999");
    SetCaption(f.Label21, "E =  9999.9999");
    for (QLabel* l : {f.Label20, f.Label25, f.Label26, f.Label18, f.Label21}) ExpectFits(l);
}

}  // namespace
}  // namespace velox::testing
