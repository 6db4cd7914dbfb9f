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
    f.UpDown1->UpButton()->click();
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.01);
    EXPECT_EQ(f.Edit2->text(), "1.01");
    EXPECT_EQ(f.Edit1->text(), "51");
    f.UpDown2->UpButton()->click();
    EXPECT_DOUBLE_EQ(f.Data.Amplitude, 50.5);
    EXPECT_EQ(f.Edit4->text(), "50.5");
    for (int i = 0; i < 60; ++i) f.UpDown1->ClickUp();
    EXPECT_EQ(f.UpDown1->Position(), 100);
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.5);
    for (int i = 0; i < 120; ++i) f.UpDown2->ClickDown();
    EXPECT_EQ(f.UpDown2->Position(), 0);
    EXPECT_EQ(f.Edit4->text(), "25");
}

TEST_F(NumberFields, EnterInADisplayFieldTakesItsValueAndMovesTheFocusOn) {
    TForm1& f = *form;
    for (auto [key, text, position] : {std::tuple{Qt::Key_Return, "1.2", 70}, {Qt::Key_Enter, "1", 50}}) {
        f.Edit2->setFocus();
        f.Edit2->setText(text);
        QTest::keyClick(f.Edit2, key);
        EXPECT_TRUE(f.CheckBox1->hasFocus()) << text;
        EXPECT_EQ(f.UpDown1->Position(), position);
    }
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.0);
    f.Edit4->setFocus();
    f.Edit4->setText("80");  // out of range: refused without a message
    QTest::keyClick(f.Edit4, Qt::Key_Return);
    EXPECT_TRUE(f.Edit4->hasFocus());
    EXPECT_EQ(f.Edit4->selectedText(), "80");
    EXPECT_DOUBLE_EQ(f.Data.Amplitude, 50.0);
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(NumberFields, RefreshLeavesTheFieldBeingTypedIn) {
    TForm1& f = *form;
    f.Edit5->setFocus();
    f.Edit5->setText("12");
    f.Edit10->setText("x");
    f.RefreshNumberFields();
    EXPECT_EQ(f.Edit5->text(), "12");
    EXPECT_EQ(f.Edit10->text().trimmed(), "20");
}

TEST_F(NumberFields, ValuesAreRightAlignedWithTheWindowsFont) {
    TForm1& f = *form;
    const QFontMetrics metrics(f.font());
    for (QLineEdit* field : {f.Edit10, f.Edit5, f.Edit11}) {
        const QString text = field->text();
        ASSERT_TRUE(text.startsWith(' ')) << text.toStdString();
        EXPECT_LE(metrics.horizontalAdvance(text + "  "), field->width());
        EXPECT_GT(metrics.horizontalAdvance(" " + text + "  "), field->width());
        EXPECT_EQ(field->cursorPosition(), text.size());
    }
}

TEST_F(NumberFields, BadTextInAPositionFieldIsReportedAndChangesNothing) {
    TForm1& f = *form;
    f.Edit1->setText("abc");
    ASSERT_EQ(prompter.Asked.size(), 1);
    EXPECT_TRUE(prompter.Asked[0].contains("abc"));
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.0);
    f.Edit1->setText("60");
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.1);
}

}  // namespace
}  // namespace velox::testing
