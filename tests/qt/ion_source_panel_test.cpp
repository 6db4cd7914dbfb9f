// The "Ionforrás" panel: the phase window, the phase fields and the cursor.
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
    QColor Pixel(int x) const { return form->IonSource->Image4->Picture().pixelColor(x, 50); }
    void Enter(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }
};

TEST_F(PhasePanel, ShadingForAPositiveStartAndANegativeOneThatWraps) {
    EXPECT_EQ(Pixel(10), Aqua);  // 0 … 60 at start-up
    EXPECT_EQ(Pixel(60), White);
    Enter(form->IonSource->Edit14, "180");
    Enter(form->IonSource->Edit13, "90");
    EXPECT_EQ(form->Data.StartPhase, 90.0);
    EXPECT_EQ(form->Data.StopPhase, 180.0);
    EXPECT_TRUE(Pixel(40) == Aqua && Pixel(10) == White && Pixel(80) == White);
    EXPECT_EQ(form->IonSource->Shape50->x(), 15 + 28);
    EXPECT_EQ(form->IonSource->Shape51->x(), 15 + 53);
    Enter(form->IonSource->Edit13, "-30");
    Enter(form->IonSource->Edit14, "30");
    EXPECT_TRUE(Pixel(5) == Aqua && Pixel(100) == Aqua && Pixel(50) == White);
    EXPECT_EQ(form->IonSource->Shape50->x(), 110);
    EXPECT_EQ(form->IonSource->Edit13->text(), "-30");
}

TEST_F(PhasePanel, RefusedEntriesKeepTheValueAndSelectTheText) {
    for (const QString& text : {QString("45.5"), QString("abc"), QString("60"), QString(""), QString("-361")}) {
        Enter(form->IonSource->Edit13, text);
        EXPECT_EQ(form->Data.StartPhase, 0.0) << text.toStdString();
        EXPECT_TRUE(form->IonSource->Edit13->hasFocus()) << text.toStdString();
        EXPECT_EQ(form->IonSource->Edit13->selectedText(), text) << text.toStdString();
    }
    Enter(form->IonSource->Edit14, "0");  // not above the start
    EXPECT_EQ(form->Data.StopPhase, 60.0);
    EXPECT_TRUE(form->IonSource->Edit14->hasFocus());
    EXPECT_TRUE(prompter.Asked.isEmpty());
    // Two refusing fields do not fight for the focus.
    form->IonSource->Edit13->setText("abc");
    form->IonSource->Edit13->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(form->IonSource->Edit14->hasFocus());
    EXPECT_EQ(form->IonSource->Edit14->selectedText(), "0");
}

TEST_F(PhasePanel, HexadecimalEntriesAreWholeNumbers) {
    Enter(form->IonSource->Edit13, "$1F");
    EXPECT_EQ(form->Data.StartPhase, 31.0);
    EXPECT_EQ(form->IonSource->Edit13->text(), "31");
    EXPECT_TRUE(form->IonSource->CheckBox1->hasFocus());
}

TEST_F(PhasePanel, ClickSelectsAndLeavingAppliesTheEntry) {
    form->IonSource->Edit14->setText("360");
    QTest::mouseClick(form->IonSource->Edit14, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form->IonSource->Edit14->selectedText(), "360");
    form->IonSource->Edit14->setFocus();
    form->IonSource->Edit14->setText("90");
    form->IonSource->Edit13->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form->Data.StopPhase, 90.0);
    EXPECT_TRUE(form->IonSource->Edit13->hasFocus());  // leaving by the mouse or Tab does not move the focus on
    EXPECT_EQ(Pixel(25), Aqua);
}

TEST_F(PhasePanel, CursorFollowsThePhase) {
    for (int i = 0; i < 40; ++i) {
        form->Simulation->Button2->click();
        EXPECT_EQ(form->IonSource->Shape52->x(), form->Data.PhaseCursor);
    }
    EXPECT_GT(form->IonSource->Shape52->x(), 17);
}

}  // namespace
}  // namespace velox::testing
