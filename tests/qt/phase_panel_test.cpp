#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

const QColor Aqua(0, 255, 255), White(255, 255, 255);

class PhasePanel : public WindowTest {
protected:
    QColor Pixel(int x, int y) const { return form->Image4->Picture().pixelColor(x, y); }
    // Types a text into a field and presses Enter.
    void Enter(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }
};

TEST_F(PhasePanel, StartUpWindowIsShadedFromTheStart) {
    EXPECT_EQ(Pixel(10, 50), Aqua);
    EXPECT_EQ(Pixel(60, 50), White);
    EXPECT_EQ(form->Shape51->x(), 15 + 3 + 16);  // Trunc(101 · 60 / 360)
    EXPECT_EQ(form->Shape50->x(), 15 + 3 + 101);  // a start of 0 at 360
}

TEST_F(PhasePanel, PositiveStartShadesBetweenTheEnds) {
    Enter(form->Edit14, "180");
    Enter(form->Edit13, "90");
    EXPECT_EQ(form->Data.StartPhase, 90.0);
    EXPECT_EQ(form->Data.StopPhase, 180.0);
    EXPECT_EQ(Pixel(40, 50), Aqua);
    EXPECT_EQ(Pixel(10, 50), White);
    EXPECT_EQ(Pixel(80, 50), White);
    EXPECT_EQ(form->Shape50->x(), 15 + 28);
    EXPECT_EQ(form->Shape51->x(), 15 + 53);
}

TEST_F(PhasePanel, NegativeStartWrapsAroundTheEnd) {
    Enter(form->Edit13, "-30");
    Enter(form->Edit14, "30");
    EXPECT_EQ(Pixel(5, 50), Aqua);
    EXPECT_EQ(Pixel(100, 50), Aqua);
    EXPECT_EQ(Pixel(50, 50), White);
    EXPECT_EQ(form->Shape50->x(), 110);
    EXPECT_EQ(form->Edit13->text(), "-30");
}

TEST_F(PhasePanel, RefusedEntriesKeepTheValueAndSelectTheText) {
    for (const QString& text : {QString("45.5"), QString("abc"), QString("60"), QString(""), QString("-361")}) {
        Enter(form->Edit13, text);
        EXPECT_EQ(form->Data.StartPhase, 0.0) << text.toStdString();
        EXPECT_TRUE(form->Edit13->hasFocus()) << text.toStdString();
        EXPECT_EQ(form->Edit13->selectedText(), text) << text.toStdString();
    }
    Enter(form->Edit14, "0");  // not above the start
    EXPECT_EQ(form->Data.StopPhase, 60.0);
    EXPECT_TRUE(form->Edit14->hasFocus());
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(PhasePanel, HexadecimalEntriesAreWholeNumbers) {
    Enter(form->Edit13, "$1F");
    EXPECT_EQ(form->Data.StartPhase, 31.0);
    EXPECT_EQ(form->Edit13->text(), "31");
    EXPECT_TRUE(form->CheckBox1->hasFocus());
}

TEST_F(PhasePanel, LeavingAFieldAppliesItsEntry) {
    form->Edit14->setFocus();
    form->Edit14->setText("90");
    form->Edit13->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form->Data.StopPhase, 90.0);
    EXPECT_TRUE(form->Edit13->hasFocus());  // leaving by the mouse or Tab does not move the focus on
    EXPECT_EQ(Pixel(25, 50), Aqua);
}

TEST_F(PhasePanel, TwoRefusingFieldsDoNotFightForTheFocus) {
    form->Edit14->setText("xyz");
    form->Edit13->setFocus();
    form->Edit13->setText("abc");
    form->Edit14->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(form->Edit13->hasFocus());
    EXPECT_EQ(form->Edit13->selectedText(), "abc");
    EXPECT_EQ(form->Data.StartPhase, 0.0);
    EXPECT_EQ(form->Data.StopPhase, 60.0);
}

TEST_F(PhasePanel, ClickSelectsTheWholeText) {
    form->Edit14->setText("360");
    QTest::mouseClick(form->Edit14, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form->Edit14->selectedText(), "360");
}

TEST_F(PhasePanel, CursorFollowsThePhase) {
    for (int i = 0; i < 40; ++i) {
        form->Button2->click();
        EXPECT_EQ(form->Shape52->x(), form->Data.PhaseCursor);
    }
    EXPECT_GT(form->Shape52->x(), 17);
}

}  // namespace
}  // namespace velox::testing
