// Every control inside its parent, captions and the widest readouts not cut off; every control that takes input or
// starts a command tells what it does.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QMenu>
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

// In the main window and in each dialog.
TEST_F(Layout, NoControlReachesOutOfItsParentNoCaptionOrReadoutIsCutOff) {
    TForm1& f = *form;
    for (QWidget* root : std::initializer_list<QWidget*>{f.Client, f.UregAdatDlg, f.MsgDlg, f.Form3}) {
        for (QWidget* w : root->findChildren<QWidget*>()) {
            const bool control =
                qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w);
            if (w->isVisibleTo(root->window()) && (control || w->parentWidget() == root)) {
                EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << Text(w->objectName());
            }
        }
        for (QLabel* l : root->findChildren<QLabel*>())
            if (!l->wordWrap()) ExpectFits(l);
    }
    for (QAbstractButton* b : f.Client->findChildren<QAbstractButton*>()) {
        const int needed = qobject_cast<QPushButton*>(b) ? b->fontMetrics().horizontalAdvance(b->text()) + 12
                           : b->text().isEmpty()         ? 0
                                                         : b->sizeHint().width();
        EXPECT_LE(needed, b->width()) << Text(b->text());
    }
    // The widest texts the readouts take.
    ui::SetCaption(f.Control<QLabel>("Label20"), "Összes indított = 12345\rÖsszes beérkezett = 12345");
    ui::SetCaption(f.Control<QLabel>("Label25"), "Feszültség =  -75.0000");
    ui::SetCaption(f.Control<QLabel>("Label26"), "Fázis =  359.9999");
    ui::SetCaption(f.Control<QLabel>("Label18"), "Emax =  9999.9999");
    ui::SetCaption(f.Control<QLabel>("Label21"), "E =  9999.9999");
    for (QLabel* l : {f.Control<QLabel>("Label20"), f.Control<QLabel>("Label25"), f.Control<QLabel>("Label26"),
                      f.Control<QLabel>("Label18"), f.Control<QLabel>("Label21")})
        ExpectFits(l);
}

// What the user sees on hovering: the control's own tooltip or, for the parts of a composite control such as the
// spinner's arrows, its parent's.  Walks both windows, so that a control added later without a text is caught.
TEST_F(Layout, EveryInputAndCommandControlHasATooltip) {
    int checked = 0;
    for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form->UregAdatDlg)}) {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool control =
                qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
            // Qt's own parts, such as the menu bar's overflow button, are left out.
            if (!control || w->window() != window || w->objectName().startsWith("qt_")) continue;
            QString tip;
            for (const QWidget* p = w; tip.isEmpty() && p && p != w->window(); p = p->parentWidget()) tip = p->toolTip();
            EXPECT_FALSE(tip.isEmpty()) << Text(w->window()->objectName() + "." + w->objectName());
            checked += !tip.isEmpty();
        }
    }
    for (QAction* a : form->findChildren<QAction*>()) {
        if (a->objectName().isEmpty()) continue;
        EXPECT_NE(a->toolTip(), a->text()) << Text(a->objectName());
    }
    EXPECT_TRUE(form->Control<QMenu>("Eredmnyek1")->toolTipsVisible());
    EXPECT_GE(checked, 30);
}

}  // namespace
}  // namespace velox::testing
