// "Eredmények → Exportálás…": the arrivals as CSV, both spectrum plots as a
// PNG picture drawn at twice the size.
#include <QComboBox>
#include <QFileDialog>
#include <QTest>

#include "WindowsFixture.h"

namespace velox::testing {
namespace {

// Qt's own dialog: a name typed without a suffix gets that of the filter the
// user picked, and the pick comes back.
TEST(ExportDialog, TheSuffixFollowsTheChosenFilter) {
    TempDir dir;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        dialog->selectFile(Q(dir / "abra"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto choice = ui::QtPrompter().SaveFileChoice("CSV fájl (*.csv)|*.csv|PNG kép (*.png)|*.png", 1, "csv");
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(Text(choice->FileName), dir / "abra.png");
    EXPECT_EQ(choice->FilterIndex, 2);
}

}  // namespace
}  // namespace velox::testing
