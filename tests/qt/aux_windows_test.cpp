// The exercise text window, the quit confirmation and the dialog look.
#include <filesystem>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "WindowsFixture.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

using AuxWindows = WindowsTest;

TEST_F(AuxWindows, TaskTextIsReadAfreshAtEveryShowing) {
    TForm1& f = *form;
    // Without the file, an empty viewer and no message; then a document;
    // then a folder by its name, which is reported.
    const QString texts[] = {"", "Első feladat", ""};
    for (int k = 0; k < 3; ++k) {
        if (k == 1) WriteBytes(dir / "Velox.rtf", "{\\rtf1\\ansi\\ansicpg1250 {\\b Els\\'f5} feladat\\par}");
        if (k == 2) {
            std::filesystem::remove(dir / "Velox.rtf");
            std::filesystem::create_directory(dir / "Velox.rtf");
        }
        dialogs.Steps = {On<TForm3>([&](TForm3& v) {
            EXPECT_EQ(v.RichEdit1->toPlainText(), texts[k]);
            EXPECT_TRUE(v.RichEdit1->isReadOnly());
            v.Button1->click();
        })};
        f.Feladat1->trigger();
        EXPECT_FALSE(form3->isVisible());
        EXPECT_EQ(prompter.Asked.size(), k < 2 ? 0 : 1);
    }
    EXPECT_EQ(dialogs.Shown, QStringList({"Feladat", "Feladat", "Feladat"}));
    EXPECT_TRUE(prompter.Asked.value(0).startsWith("*** HIBA ***|A feladat szövegét nem sikerült beolvasni:\n" +
                                                   ProgramDir() + "Velox.rtf"))
        << Text(prompter.Asked.value(0));
}

TEST_F(AuxWindows, VegeThenCancelKeepsRunning) {
    TForm1& f = *form;
    f.Simulation->Button1->click();
    ASSERT_TRUE(f.Timer2->isActive());
    // The run-time field had the focus; under the question it is not being
    // typed in, and the clock goes on being shown.
    f.Simulation->Edit15->setFocus();
    dialogs.Steps = {On<TMsgDlg>([&f](TMsgDlg& d) {
        ASSERT_TRUE(WaitFor([&d] { return d.isActiveWindow(); }));
        const QString shown = f.Simulation->Edit15->text();
        for (int i = 0; i < 100; ++i) f.Timer2Timer();
        EXPECT_NE(f.Simulation->Edit15->text(), shown);
        d.CancelBtn->click();
    })};
    f.Vge1->trigger();
    EXPECT_EQ(dialogs.Shown, QStringList{"FIGYELMEZTETÉS! "});
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.Timer2->isActive());
    EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(AuxWindows, EnterInTheConfirmationQuitsEscDoesNot) {
    TForm1& f = *form;
    const auto escape = [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); };
    // "Vége", the close box and Alt+F4 ask the same question.
    dialogs.Steps = {escape, escape, [](QDialog& d) { d.close(); }};
    f.Vge1->trigger();
    f.close();
    QApplication::setActiveWindow(&f);
    QTest::keyClick(&f, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(dialogs.Shown.size(), 3);
    EXPECT_TRUE(f.isVisible());

    dialogs.Steps = {[](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }};
    f.Vge1->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(f.Ended);  // closed by the user, not by the timed run
}

TEST_F(AuxWindows, ConfirmationGetsTheDialogLookAtEveryShowing) {
    TForm1& f = *form;
    TMsgDlg& m = *msgDlg;
    EXPECT_EQ(m.Label1->text(), "El vannak mentve az eredmények?  Kiléphetünk? ");
    EXPECT_LE(m.Label1->heightForWidth(m.Label1->width()), m.Label1->height());  // the question fits
    const auto look = On<TMsgDlg>([](TMsgDlg& d) {
        EXPECT_EQ(d.palette().color(QPalette::Window), ui::WindowColour);
        EXPECT_EQ(d.Panel1->Color(), ui::PanelColour);
        EXPECT_EQ(d.Label1->palette().color(QPalette::WindowText), ui::CaptionColour);
        d.CancelBtn->click();
    });
    dialogs.Steps = {look, look};
    f.Vge1->trigger();
    m.Panel1->SetColor(Qt::gray);
    QPalette p = m.Label1->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    m.Label1->setPalette(p);
    f.Vge1->trigger();
}

}  // namespace
}  // namespace velox::testing
