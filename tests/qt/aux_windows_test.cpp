// The exercise text window with its rich text, the quit confirmation and the dialog look.
#include <sys/stat.h>

#include <filesystem>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>

#include "WindowFixture.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/RtfDocument.h"

namespace velox::testing {
namespace {

using AuxWindows = WindowTest;

// No file: an empty viewer; then the document; then a pipe, reported
// without waiting for a writer.
TEST_F(AuxWindows, TaskTextIsReadAfreshAtEveryShowing) {
    const QString texts[] = {"", "Első feladat", ""};
    for (int k = 0; k < 3; ++k) {
        if (k == 1) WriteBytes(dir / "Velox.rtf", "{\\rtf1\\ansi\\ansicpg1250 {\\b Els\\'f5} feladat\\par}");
        if (k == 2) {
            std::filesystem::remove(dir / "Velox.rtf");
            ASSERT_EQ(mkfifo((dir / "Velox.rtf").c_str(), 0600), 0);
        }
        dialogs.Steps = {On<TForm3>([&](TForm3& v) {
            EXPECT_EQ(v.RichEdit1->toPlainText(), texts[k]);
            v.Button1->click();
        })};
        form->Control<QAction>("Feladat1")->trigger();
        EXPECT_EQ(std::tuple(form->Form3->isVisible(), asker.Asked.size()), std::tuple(false, k < 2 ? 0 : 1));
    }
    EXPECT_TRUE(asker.Asked.value(0).startsWith("*** HIBA ***|A feladat szövegét nem sikerült beolvasni:\n" +
                                                   ProgramDir() + "Velox.rtf"));
}

// The run and its clock go on under the question, though Edit15 had the focus.
TEST_F(AuxWindows, VegeThenCancelKeepsRunning) {
    TForm1& f = *form;
    f.Control<QPushButton>("Button1")->click();
    f.Control<QLineEdit>("Edit15")->setFocus();
    dialogs.Steps = {On<TMsgDlg>([&f](TMsgDlg& d) {
        ASSERT_TRUE(WaitFor([&d] { return d.isActiveWindow(); }));
        const QString shown = f.Control<QLineEdit>("Edit15")->text();
        for (int i = 0; i < 100; ++i) f.Timer2Timer();
        EXPECT_NE(f.Control<QLineEdit>("Edit15")->text(), shown);
        d.CancelBtn->click();
    })};
    f.Control<QAction>("Vge1")->trigger();
    EXPECT_EQ(dialogs.Shown, QStringList{"FIGYELMEZTETÉS! "});
    EXPECT_TRUE(f.isVisible() && f.Timer2->isActive() && dir.Entries().empty());
}

// "Vége", the close box and Alt+F4 ask, in the dialog look every time.
TEST_F(AuxWindows, EnterInTheConfirmationQuitsEscDoesNot) {
    TForm1& f = *form;
    TMsgDlg& m = *f.MsgDlg;
    EXPECT_LE(m.Label1->heightForWidth(m.Label1->width()), m.Label1->height());  // the question fits
    const auto escape = On<TMsgDlg>([](TMsgDlg& d) {
        EXPECT_EQ(std::tuple(d.palette().color(QPalette::Window), d.Panel1->Color(),
                             d.Label1->palette().color(QPalette::WindowText)),
                  std::tuple(ui::WindowColour, ui::PanelColour, ui::CaptionColour));
        d.Panel1->SetColor(Qt::gray);
        d.Label1->setPalette(QPalette(Qt::black));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    dialogs.Steps = {escape, escape, [](QDialog& d) { d.close(); }};
    f.Control<QAction>("Vge1")->trigger();
    f.close();
    QApplication::setActiveWindow(&f);
    QTest::keyClick(&f, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(std::tuple(dialogs.Shown.size(), f.isVisible()), std::tuple(3, true));
    dialogs.Steps = {[](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }};
    f.Control<QAction>("Vge1")->trigger();
    EXPECT_EQ(std::tuple(f.isVisible(), f.Ended), std::tuple(false, false));  // closed by the user
}

std::vector<QTextCharFormat> Formats(const QTextBlock& block) {
    std::vector<QTextCharFormat> out;
    for (auto it = block.begin(); !it.atEnd(); ++it) out.push_back(it.fragment().charFormat());
    return out;
}

Qt::Alignment Alignment(const QTextBlock& block) { return block.blockFormat().alignment() & Qt::AlignHorizontal_Mask; }

TEST(RtfDocument, FormatsReachTheDocument) {
    QTextDocument doc;
    FillTextDocument(ReadRtf("{\\rtf1\\ansi\\ansicpg1250{\\colortbl;\\red136\\green34\\blue0;}"
                             "\\qc\\b\\fs32\\cf1 C\\'edm\\par\\pard\\qj\\li567\\fi-283\\sa120 n"
                             "{\\i d\\'f5lt}{\\ul al\\'e1}\\line h\\'fazott\\tab x\\par\\qr\\par}"),
                     doc);
    ASSERT_EQ(doc.blockCount(), 3);
    const QTextBlock title = doc.begin(), body = title.next();
    EXPECT_EQ(std::tuple(title.text(), Alignment(title)), std::tuple(QString::fromUtf8("Cím"), Qt::AlignHCenter));
    const auto t = Formats(title);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(std::tuple(t[0].fontWeight(), t[0].fontPointSize(), t[0].foreground().color()),
              std::tuple(int(QFont::Bold), 16.0, QColor(136, 34, 0)));
    EXPECT_EQ(std::tuple(body.text(), Alignment(body)),
              std::tuple(QString::fromUtf8("ndőltalá\u2028húzott\tx"), Qt::AlignJustify));
    const QTextBlockFormat& b = body.blockFormat();
    EXPECT_EQ(std::tuple(b.leftMargin(), b.textIndent(), b.bottomMargin()), std::tuple(567 / 15.0, -283 / 15.0, 8.0));
    const auto f = Formats(body);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].fontWeight(), QFont::Bold);  // \pard keeps characters
    EXPECT_EQ(std::vector<bool>({f[1].fontItalic(), f[1].fontUnderline(), f[2].fontItalic(), f[2].fontUnderline(),
                                 f[3].fontUnderline()}),
              std::vector<bool>({true, false, false, true, false}));
    EXPECT_EQ(std::tuple(body.next().text(), Alignment(body.next())), std::tuple(QString(), Qt::AlignRight));
    // Default colour: no foreground set, so the view's palette applies.
    FillTextDocument(ReadRtf("{\\rtf1 plain}"), doc);
    EXPECT_EQ(doc.toPlainText(), "plain");
    EXPECT_FALSE(Formats(doc.begin()).at(0).hasProperty(QTextFormat::ForegroundBrush));
}

}  // namespace
}  // namespace velox::testing
