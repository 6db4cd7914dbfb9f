// The rules shared by every number field.
#include <QFontMetrics>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using NumberFields = WindowTest;

TEST_F(NumberFields, ValuesAreRightAlignedButNotInTheFieldBeingTypedIn) {
    TForm1& f = *form;
    const QFontMetrics metrics(f.font());
    for (QLineEdit* field : {f.EnergySpectrum->Edit10, f.EnergySpectrum->Edit5, f.TimeSpectrum->Edit11}) {
        const QString text = field->text();
        EXPECT_LE(metrics.horizontalAdvance(text + "  "), field->width()) << Text(text);
        EXPECT_GT(metrics.horizontalAdvance(" " + text + "  "), field->width()) << Text(text);
        EXPECT_EQ(field->cursorPosition(), text.size());
    }
    f.EnergySpectrum->Edit5->setFocus();
    f.EnergySpectrum->Edit5->setText("12");
    f.EnergySpectrum->Edit10->setText("x");
    f.RefreshNumberFields();
    EXPECT_EQ(std::tuple(f.EnergySpectrum->Edit5->text(), f.EnergySpectrum->Edit10->text().trimmed()),
              std::tuple(QString("12"), QString("20")));
}

}  // namespace
}  // namespace velox::testing
