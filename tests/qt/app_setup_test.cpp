// The application icon compiled into the program, and Qt's Hungarian texts
// of the standard dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <memory>

#include "ui/qt/AppSetup.h"

namespace {

using velox::ui::InstallStandardTranslation;
// A translator removes itself from the application when deleted, so every
// other test sees Qt's own texts.
using Translator = std::unique_ptr<QTranslator>;

QString ButtonText(QMessageBox::StandardButton which) {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
    return box.button(which)->text();
}

// The open dialog's accept and reject buttons, then its two labels.
QStringList OpenDialogTexts() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    const auto* name = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    const auto* type = dialog.findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
    if (buttons == nullptr || name == nullptr || type == nullptr) return {};
    return {buttons->button(QDialogButtonBox::Open)->text(), buttons->button(QDialogButtonBox::Cancel)->text(),
            name->text(), type->text()};
}

TEST(StandardTranslation, MessageBoxesAndFileDialogsSpeakHungarian) {
    if (!QFile::exists(velox::ui::StandardTranslationsFolder() + QStringLiteral("/qtbase_hu.qm")))
        GTEST_SKIP() << "qtbase_hu.qm is not installed (qt6-translations-l10n)";
    const QStringList before = OpenDialogTexts();
    ASSERT_EQ(before.size(), 4) << "the file dialog has no button box";
    ASSERT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("&Yes"));

    const Translator translator(InstallStandardTranslation(*qApp));
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("&Igen"));
    EXPECT_EQ(ButtonText(QMessageBox::No), QStringLiteral("&Nem"));
    EXPECT_EQ(ButtonText(QMessageBox::Ok), QStringLiteral("OK"));  // the notices keep their "OK"
    const QStringList after = OpenDialogTexts();
    ASSERT_EQ(after.size(), 4);
    EXPECT_EQ(after.mid(0, 2), QStringList({QStringLiteral("&Megnyitás"), QStringLiteral("Mégse")}));
    EXPECT_NE(after[2], before[2]);
    EXPECT_NE(after[3], before[3]);
}

TEST(StandardTranslation, AMissingOrUnreadableFileKeepsQtsOwnTexts) {
    QTemporaryDir empty, broken;
    ASSERT_TRUE(empty.isValid() && broken.isValid());
    QFile file(broken.filePath(QStringLiteral("qtbase_hu.qm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a translation");
    file.close();
    for (const QTemporaryDir* folder : {&empty, &broken}) {
        const Translator translator(InstallStandardTranslation(*qApp, folder->path()));
        EXPECT_EQ(translator, nullptr);
        EXPECT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("&Yes"));
        EXPECT_EQ(ButtonText(QMessageBox::No), QStringLiteral("&No"));
    }
}

TEST(ApplicationIcon, HoldsTheDrawingInEverySize) {
    const QIcon icon = velox::ui::ApplicationIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int s : {16, 32, 48, 128, 256}) EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
    const QImage image = icon.pixmap(QSize(128, 128)).toImage();
    ASSERT_EQ(image.size(), QSize(128, 128));
    // The window colours: a dark red-brown frame round a pale yellow field,
    // transparent outside the rounded corners.
    EXPECT_EQ(image.pixelColor(64, 4).rgb(), QColor(136, 34, 0).rgb());
    EXPECT_EQ(image.pixelColor(64, 20).rgb(), QColor(255, 255, 170).rgb());
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}

}  // namespace
