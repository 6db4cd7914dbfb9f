// The rules shared by every number field: a refresh leaves the field being
// typed in alone, and values are right-aligned with the window's font.
#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using NumberFields = WindowTest;

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

}  // namespace
}  // namespace velox::testing
