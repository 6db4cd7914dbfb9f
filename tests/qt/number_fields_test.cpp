#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using NumberFields = WindowTest;

TEST_F(NumberFields, EachSpinnerClickStepsTheGeneratorUpToItsEnds) {
    TForm1& f = *form;
    f.Generator->UpDown1->UpButton()->click();
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.01);
    EXPECT_EQ(f.Generator->Edit2->text(), "1.01");
    EXPECT_EQ(f.Generator->Edit1->text(), "51");
    f.Generator->UpDown2->UpButton()->click();
    EXPECT_DOUBLE_EQ(f.Data.Amplitude, 50.5);
    EXPECT_EQ(f.Generator->Edit4->text(), "50.5");
    for (int i = 0; i < 60; ++i) f.Generator->UpDown1->ClickUp();
    EXPECT_EQ(f.Generator->UpDown1->Position(), 100);
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.5);
    for (int i = 0; i < 120; ++i) f.Generator->UpDown2->ClickDown();
    EXPECT_EQ(f.Generator->UpDown2->Position(), 0);
    EXPECT_EQ(f.Generator->Edit4->text(), "25");
}

TEST_F(NumberFields, EnterInADisplayFieldTakesItsValueAndMovesTheFocusOn) {
    TForm1& f = *form;
    for (auto [key, text, position] : {std::tuple{Qt::Key_Return, "1.2", 70}, {Qt::Key_Enter, "1", 50}}) {
        f.Generator->Edit2->setFocus();
        f.Generator->Edit2->setText(text);
        QTest::keyClick(f.Generator->Edit2, key);
        EXPECT_TRUE(f.IonSource->CheckBox1->hasFocus()) << text;
        EXPECT_EQ(f.Generator->UpDown1->Position(), position);
    }
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.0);
    f.Generator->Edit4->setFocus();
    f.Generator->Edit4->setText("80");  // out of range: refused without a message
    QTest::keyClick(f.Generator->Edit4, Qt::Key_Return);
    EXPECT_TRUE(f.Generator->Edit4->hasFocus());
    EXPECT_EQ(f.Generator->Edit4->selectedText(), "80");
    EXPECT_DOUBLE_EQ(f.Data.Amplitude, 50.0);
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(NumberFields, RefreshLeavesTheFieldBeingTypedIn) {
    TForm1& f = *form;
    f.EnergySpectrum->Edit5->setFocus();
    f.EnergySpectrum->Edit5->setText("12");
    f.EnergySpectrum->Edit10->setText("x");
    f.RefreshNumberFields();
    EXPECT_EQ(f.EnergySpectrum->Edit5->text(), "12");
    EXPECT_EQ(f.EnergySpectrum->Edit10->text().trimmed(), "20");
}

TEST_F(NumberFields, ValuesAreRightAlignedWithTheWindowsFont) {
    TForm1& f = *form;
    const QFontMetrics metrics(f.font());
    for (QLineEdit* field : {f.EnergySpectrum->Edit10, f.EnergySpectrum->Edit5, f.TimeSpectrum->Edit11}) {
        const QString text = field->text();
        ASSERT_TRUE(text.startsWith(' ')) << text.toStdString();
        EXPECT_LE(metrics.horizontalAdvance(text + "  "), field->width());
        EXPECT_GT(metrics.horizontalAdvance(" " + text + "  "), field->width());
        EXPECT_EQ(field->cursorPosition(), text.size());
    }
}

TEST_F(NumberFields, BadTextInAPositionFieldIsReportedAndChangesNothing) {
    TForm1& f = *form;
    f.Generator->Edit1->setText("abc");
    ASSERT_EQ(prompter.Asked.size(), 1);
    EXPECT_TRUE(prompter.Asked[0].contains("abc"));
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.0);
    f.Generator->Edit1->setText("60");
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.1);
}

}  // namespace
}  // namespace velox::testing
