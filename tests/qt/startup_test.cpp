// The start-up: the defaults shown, and a first activation that runs once.
#include "WindowFixture.h"

namespace velox::testing {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, DefaultsWithoutTheStartUpFile) {
    TForm1& f = *form;
    EXPECT_EQ(std::tuple(f.Data.TargetX, f.Control<ui::TShape>("Shape2")->isVisible(),
                         f.Control<ui::TShape>("Shape3")->isVisible()),
              std::tuple(387.0, true, false));
    EXPECT_TRUE(f.Control<QCheckBox>("CheckBox1")->isChecked() && f.Data.MultiParticle &&
                f.Control<QCheckBox>("CheckBox4")->isChecked());
    EXPECT_EQ(std::tuple(f.Control<QComboBox>("ComboBox1")->currentText(), f.Timer2->interval(), f.Timer2->isActive(),
                         f.Control<QPushButton>("Button1")->text()),
              std::tuple(QString("5"), 10, false, QString("Folytatás")));
    EXPECT_TRUE(f.windowTitle().startsWith("Lineáris gyorsító szimulációja"));
    QStringList shown;
    for (QLineEdit* field :
         {f.Control<QLineEdit>("Edit13"), f.Control<QLineEdit>("Edit14"), f.Control<QLineEdit>("Edit2"),
          f.Control<QLineEdit>("Edit4"), f.Control<QLineEdit>("Edit10"), f.Control<QLineEdit>("Edit5"),
          f.Control<QLineEdit>("Edit9"), f.Control<QLineEdit>("Edit7"), f.Control<QLineEdit>("Edit11"),
          f.Control<QLineEdit>("Edit15")})
        shown << field->text().trimmed();
    EXPECT_EQ(shown, QStringList({"0", "60", "1", "50", "20", "220", "1", "100", "0.05", "00:00:00"}));
    EXPECT_EQ(std::tuple(f.Control<ui::TShape>("Shape46")->BrushColor(), f.View->Image1->geometry(),
                         f.View->ViewBuffer.size()),
              std::tuple(QColor(136, 34, 0), QRect(13, 11, 607, 360), QSize(607, 360)));  // the view in its frame
    QStringList menu;
    for (QMenu* m : {f.Control<QMenu>("Gyorstadatai1"), f.Control<QMenu>("Eredmnyek1")})
        for (QAction* a : m->actions()) menu << a->text();
    EXPECT_EQ(menu, QStringList({"Mentés", "Mentés másként", "Betöltés", "Kiírás", "Kiírás másként", "Betöltés",
                                 "Exportálás…"}));
}

// Qt activates the window again after every modal dialog; nothing is reset.
TEST_F(StartUp, FirstActivationDoesNotRunAgainAfterAModalDialog) {
    TForm1& f = *form;
    f.Data.Cavities.SetCavityCount(1);
    int activations = 0;
    ui::EventHook hook([&activations](QObject*, QEvent* e) {
        activations += e->type() == QEvent::WindowActivate;
        return false;
    });
    f.installEventFilter(&hook);
    QDialog dialog(&f);
    QTimer::singleShot(50, &dialog, &QDialog::accept);
    dialog.exec();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(WaitFor([&] { return activations > 0; }));
    f.removeEventFilter(&hook);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
}

// A window manager may show a window without activating it.
class NeverActivated : public TForm1 {
protected:
    bool event(QEvent* e) override {
        return e->type() == QEvent::WindowActivate ? QMainWindow::event(e) : TForm1::event(e);
    }
};

TEST(StartUpWithoutActivation, DefaultsAreInstalledAnyway) {
    ScriptedAsker asker;
    NeverActivated f;
    f.Asker.Instead = &asker;
    f.show();
    ASSERT_TRUE(WaitFor([&] { return f.ActivationDone; }));
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_TRUE(f.Control<QPushButton>("Button1")->isEnabled());
}

}  // namespace
}  // namespace velox::testing
