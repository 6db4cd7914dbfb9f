// The RTF reader's documents laid into QTextDocument (run offscreen).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <filesystem>
#include <memory>
#include <vector>

#include "ui/qt/RtfDocument.h"

namespace {

class RtfDocumentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "rtf_document_test";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QGuiApplication>(argc, argv);
        }
    }

    // The application must go before static destruction begins.
    static void TearDownTestSuite() { app_.reset(); }

    static std::vector<QTextFragment> Fragments(const QTextBlock& block) {
        std::vector<QTextFragment> out;
        for (auto it = block.begin(); !it.atEnd(); ++it) out.push_back(it.fragment());
        return out;
    }

    static QString ShippedText() {
        const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                          "resources" / "Velox.rtf";
        return QString::fromStdString(path.string());
    }

    static inline std::unique_ptr<QGuiApplication> app_;
};

TEST_F(RtfDocumentTest, FormatsReachTheDocument) {
    QTextDocument doc;
    velox::LoadRtfIntoDocument(
        QByteArray("{\\rtf1\\ansi\\ansicpg1250{\\colortbl;\\red136\\green34\\blue0;}"
                   "\\qc\\b\\fs32\\cf1 C\\'edm\\par\\pard\\qj\\li567\\fi-283\\sa120 n"
                   "{\\i d\\'f5lt}{\\ul al\\'e1}\\line h\\'fazott\\tab x\\par\\qr\\par}"),
        doc);
    ASSERT_EQ(doc.blockCount(), 3);

    const QTextBlock title = doc.begin();
    EXPECT_EQ(title.text(), QString::fromUtf8("Cím"));
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const auto t = Fragments(title);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(t[0].charFormat().fontPointSize(), 16.0);
    EXPECT_EQ(t[0].charFormat().foreground().color(), QColor(136, 34, 0));

    const QTextBlock body = title.next();
    EXPECT_EQ(body.text(), QString::fromUtf8("ndőltalá\u2028húzott\tx"));
    EXPECT_EQ(body.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_NEAR(body.blockFormat().leftMargin(), 567 / 15.0, 1e-9);
    EXPECT_NEAR(body.blockFormat().textIndent(), -283 / 15.0, 1e-9);
    EXPECT_NEAR(body.blockFormat().bottomMargin(), 8.0, 1e-9);
    const auto b = Fragments(body);
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(b[0].text(), "n");
    EXPECT_EQ(b[0].charFormat().fontWeight(), QFont::Bold);   // \pard keeps characters
    EXPECT_TRUE(b[1].charFormat().fontItalic());
    EXPECT_FALSE(b[1].charFormat().fontUnderline());
    EXPECT_TRUE(b[2].charFormat().fontUnderline());
    EXPECT_FALSE(b[2].charFormat().fontItalic());
    EXPECT_FALSE(b[3].charFormat().fontUnderline());

    const QTextBlock empty = body.next();
    EXPECT_TRUE(empty.text().isEmpty());
    EXPECT_EQ(empty.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // Default colour: no foreground set, so the view's palette applies.
    velox::LoadRtfIntoDocument(QByteArray("{\\rtf1 plain}"), doc);
    ASSERT_EQ(doc.blockCount(), 1);
    const auto p = Fragments(doc.begin());
    ASSERT_EQ(p.size(), 1u);
    EXPECT_FALSE(p[0].charFormat().hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(doc.toPlainText(), "plain");
}

TEST_F(RtfDocumentTest, FilesMissingUnreadableAndShipped) {
    QTextDocument doc;
    doc.setPlainText("old");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    QString error;
    EXPECT_EQ(velox::LoadRtfFile(dir.filePath("Velox.rtf"), doc, &error),
              velox::RtfFileStatus::Missing);
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_TRUE(error.isEmpty());

    // A folder by the file's name exists but cannot be read as a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Velox.rtf"));
    doc.setPlainText("old");
    EXPECT_EQ(velox::LoadRtfFile(dir.filePath("Velox.rtf"), doc, &error),
              velox::RtfFileStatus::Unreadable);
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_FALSE(error.isEmpty());

    ASSERT_EQ(velox::LoadRtfFile(ShippedText(), doc, &error), velox::RtfFileStatus::Loaded);
    const QString text = doc.toPlainText();
    EXPECT_TRUE(text.contains(QString::fromUtf8("„Újraindít”"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("hézag és az elektróda szélessége")));
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

}  // namespace
