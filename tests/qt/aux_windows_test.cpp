// The exercise text window, the quit confirmation and the dialog look.
#include <filesystem>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "WindowsFixture.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

using AuxWindows = WindowsTest;

ui::DialogScript::Step Viewer(const std::function<void(TForm3&)>& work) {
    return [work](QDialog& d) {
        auto* viewer = dynamic_cast<TForm3*>(&d);
        ASSERT_NE(viewer, nullptr) << d.windowTitle().toStdString();
        work(*viewer);
    };
}

TEST_F(AuxWindows, TaskTextWithoutTheFileIsAnEmptyViewer) {
    TForm1& f = *form;
    dialogs.Steps = {Viewer([](TForm3& v) {
        EXPECT_TRUE(v.RichEdit1->document()->isEmpty());
        EXPECT_TRUE(v.RichEdit1->isReadOnly());
        v.Button1->click();
    })};
    f.Feladat1->trigger();
    EXPECT_EQ(dialogs.Shown, QStringList{"Feladat"});
    EXPECT_FALSE(form3->isVisible());
    EXPECT_TRUE(prompter.Asked.isEmpty());
    // The accelerator is as it was.
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
}

TEST_F(AuxWindows, TaskTextIsReadAfreshAtEveryShowing) {
    TForm1& f = *form;
    std::filesystem::copy_file(std::string(VELOX_SOURCE_DIR) + "/resources/Velox.rtf", dir / "Velox.rtf");
    dialogs.Steps = {Viewer([](TForm3& v) {
        const QString text = v.RichEdit1->toPlainText();
        EXPECT_TRUE(text.startsWith("VELOX")) << Text(text.left(40));
        EXPECT_TRUE(text.contains("gyorsító")) << "accented letters of code page 1250";
        EXPECT_TRUE(text.contains("Teszt üzemmód"));
        EXPECT_FALSE(text.contains("\\par"));
        EXPECT_GT(v.RichEdit1->verticalScrollBar()->maximum(), 0);  // longer than the view
        v.Button1->click();
    })};
    f.Feladat1->trigger();

    WriteBytes(dir / "Velox.rtf", "{\\rtf1\\ansi\\ansicpg1250 {\\b Els\\'f5} feladat\\par}");
    dialogs.Steps = {Viewer([](TForm3& v) {
        EXPECT_EQ(v.RichEdit1->toPlainText(), "Első feladat");
        v.Button1->click();
    })};
    f.Feladat1->trigger();
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(AuxWindows, UnreadableTaskTextIsReportedAndTheViewStaysEmpty) {
    TForm1& f = *form;
    std::filesystem::copy_file(std::string(VELOX_SOURCE_DIR) + "/resources/Velox.rtf", dir / "Velox.rtf");
    dialogs.Steps = {Viewer([](TForm3& v) { v.Button1->click(); })};
    f.Feladat1->trigger();
    std::filesystem::remove(dir / "Velox.rtf");
    std::filesystem::create_directory(dir / "Velox.rtf");
    dialogs.Steps = {Viewer([](TForm3& v) {
        EXPECT_TRUE(v.RichEdit1->document()->isEmpty());
        v.Button1->click();
    })};
    f.Feladat1->trigger();
    ASSERT_EQ(prompter.Asked.size(), 1);
    EXPECT_TRUE(prompter.Asked[0].startsWith("*** HIBA ***|A feladat szövegét nem sikerült beolvasni:\n" +
                                             ProgramDir() + "Velox.rtf"))
        << Text(prompter.Asked[0]);
}

TEST_F(AuxWindows, VegeThenCancelKeepsRunning) {
    TForm1& f = *form;
    f.Button1->click();
    ASSERT_TRUE(f.Timer2->isActive());
    dialogs.Steps = {[](QDialog& d) { static_cast<TMsgDlg&>(d).CancelBtn->click(); }};
    f.Vge1->trigger();
    EXPECT_EQ(dialogs.Shown, QStringList{"FIGYELMEZTETÉS! "});
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.Ended);
    EXPECT_TRUE(f.Timer2->isActive());
    EXPECT_TRUE(dir.Entries().empty());  // nothing written
}

TEST_F(AuxWindows, EnterInTheConfirmationQuitsEscDoesNot) {
    TForm1& f = *form;
    dialogs.Steps = {[](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
    f.Vge1->trigger();
    EXPECT_TRUE(f.isVisible());

    // The close box and the keyboard ask the same question.
    dialogs.Steps = {[](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
                     [](QDialog& d) { d.close(); }};
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
    // The question fits its label.
    EXPECT_LE(m.Label1->heightForWidth(m.Label1->width()), m.Label1->height());

    // Applied at every showing.
    const auto look = [](QDialog& d) {
        auto& msg = static_cast<TMsgDlg&>(d);
        EXPECT_EQ(msg.palette().color(QPalette::Window), ui::WindowColour);
        EXPECT_EQ(msg.Panel1->Color(), ui::PanelColour);
        EXPECT_EQ(msg.Label1->palette().color(QPalette::WindowText), ui::CaptionColour);
        msg.CancelBtn->click();
    };
    dialogs.Steps = {look, look};
    f.Vge1->trigger();
    m.Panel1->SetColor(Qt::gray);
    QPalette p = m.Label1->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    m.Label1->setPalette(p);
    f.Vge1->trigger();
    EXPECT_TRUE(f.isVisible());
}

}  // namespace
}  // namespace velox::testing
