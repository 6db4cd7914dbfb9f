// The exercise text window, the quit confirmation and the dialog look.
#include <QTextEdit>
#include <filesystem>

#include "WindowFixture.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

using AuxWindows = WindowTest;

// No file: an empty viewer; then the document; then a folder, reported.
TEST_F(AuxWindows, TaskTextIsReadAfreshAtEveryShowing) {
    const QString texts[] = {"", "Első feladat", ""};
    for (int k = 0; k < 3; ++k) {
        if (k == 1) WriteBytes(dir / "Velox.rtf", "{\\rtf1\\ansi\\ansicpg1250 {\\b Els\\'f5} feladat\\par}");
        if (k == 2) {
            std::filesystem::remove(dir / "Velox.rtf");
            std::filesystem::create_directory(dir / "Velox.rtf");
        }
        dialogs.Steps = {On<TForm3>([&](TForm3& v) {
            EXPECT_EQ(v.RichEdit1->toPlainText(), texts[k]);
            v.Button1->click();
        })};
        form->Feladat1->trigger();
        EXPECT_EQ(std::tuple(form->Form3->isVisible(), prompter.Asked.size()), std::tuple(false, k < 2 ? 0 : 1));
    }
    EXPECT_TRUE(prompter.Asked.value(0).startsWith("*** HIBA ***|A feladat szövegét nem sikerült beolvasni:\n" +
                                                   ProgramDir() + "Velox.rtf"));
}

// The run and its clock go on under the question, though Edit15 had the focus.
TEST_F(AuxWindows, VegeThenCancelKeepsRunning) {
    TForm1& f = *form;
    f.Simulation->Button1->click();
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
    f.Vge1->trigger();
    f.close();
    QApplication::setActiveWindow(&f);
    QTest::keyClick(&f, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(std::tuple(dialogs.Shown.size(), f.isVisible()), std::tuple(3, true));
    dialogs.Steps = {[](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }};
    f.Vge1->trigger();
    EXPECT_EQ(std::tuple(f.isVisible(), f.Ended), std::tuple(false, false));  // closed by the user
}

}  // namespace
}  // namespace velox::testing
