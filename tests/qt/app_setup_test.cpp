// The application icon compiled into the program, and Qt's Hungarian texts
// of the standard dialogs (run offscreen).
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

#include "ui/qt/AppSetup.h"

namespace {

using velox::ui::ApplicationIcon;
using velox::ui::InstallStandardTranslation;
using velox::ui::StandardTranslationsFolder;

bool HungarianInstalled() { return QFile::exists(StandardTranslationsFolder() + QStringLiteral("/qtbase_hu.qm")); }

// Takes the translator out again at the end of a test, so that every other
// test sees Qt's own texts.
class TranslatorGuard {
public:
    explicit TranslatorGuard(QTranslator* t) : t_(t) {}
    ~TranslatorGuard() {
        if (t_ == nullptr) return;
        QCoreApplication::removeTranslator(t_);
        delete t_;
    }
    TranslatorGuard(const TranslatorGuard&) = delete;
    TranslatorGuard& operator=(const TranslatorGuard&) = delete;
    QTranslator* get() const { return t_; }

private:
    QTranslator* t_;
};

QString ButtonText(QMessageBox::StandardButton which) {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
    return box.button(which)->text();
}

struct FileDialogTexts {
    QString Accept, Reject, FileNameLabel, FileTypeLabel;
};

FileDialogTexts OpenDialogTexts() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    const auto* name = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    const auto* type = dialog.findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
    if (buttons == nullptr || name == nullptr || type == nullptr) return {};
    return {buttons->button(QDialogButtonBox::Open)->text(), buttons->button(QDialogButtonBox::Cancel)->text(),
            name->text(), type->text()};
}

TEST(StandardTranslation, MessageBoxesAndFileDialogsSpeakHungarian) {
    if (!HungarianInstalled()) GTEST_SKIP() << "qtbase_hu.qm is not installed (qt6-translations-l10n)";
    const FileDialogTexts before = OpenDialogTexts();
    ASSERT_FALSE(before.Accept.isEmpty()) << "the file dialog has no button box";
    ASSERT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("&Yes"));

    TranslatorGuard translator(InstallStandardTranslation(*qApp));
    ASSERT_NE(translator.get(), nullptr);
    EXPECT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("&Igen"));
    EXPECT_EQ(ButtonText(QMessageBox::No), QStringLiteral("&Nem"));
    // The notices keep their "OK".
    EXPECT_EQ(ButtonText(QMessageBox::Ok), QStringLiteral("OK"));

    const FileDialogTexts after = OpenDialogTexts();
    EXPECT_EQ(after.Accept, QStringLiteral("&Megnyitás"));
    EXPECT_EQ(after.Reject, QStringLiteral("Mégse"));
    EXPECT_NE(after.FileNameLabel, before.FileNameLabel);
    EXPECT_NE(after.FileTypeLabel, before.FileTypeLabel);
}

TEST(StandardTranslation, WithoutTheFileQtKeepsItsOwnTexts) {
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    TranslatorGuard translator(InstallStandardTranslation(*qApp, empty.path()));
    EXPECT_EQ(translator.get(), nullptr);
    EXPECT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("&Yes"));
    EXPECT_EQ(ButtonText(QMessageBox::No), QStringLiteral("&No"));
}

TEST(StandardTranslation, AnUnreadableFileIsPassedOver) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile broken(folder.filePath(QStringLiteral("qtbase_hu.qm")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a translation");
    broken.close();
    TranslatorGuard translator(InstallStandardTranslation(*qApp, folder.path()));
    EXPECT_EQ(translator.get(), nullptr);
    EXPECT_EQ(ButtonText(QMessageBox::Yes), QStringLiteral("&Yes"));
}

TEST(ApplicationIcon, HoldsTheDrawingInEverySize) {
    const QIcon icon = ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int s : {16, 32, 48, 128, 256}) EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;

    const QImage image = icon.pixmap(QSize(128, 128)).toImage();
    ASSERT_EQ(image.size(), QSize(128, 128));
    // The window colours: a dark red-brown frame round a pale yellow field,
    // transparent outside the rounded corners.
    EXPECT_EQ(image.pixelColor(64, 4).rgb(), QColor(136, 34, 0).rgb());
    EXPECT_EQ(image.pixelColor(64, 20).rgb(), QColor(255, 255, 170).rgb());
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    // The beam runs along the tubes' axis.
    EXPECT_GT(image.pixelColor(54, 52).red(), 200);
    EXPECT_LT(image.pixelColor(54, 52).green(), 40);
}

}  // namespace
