#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, DefaultsWithoutTheStartUpFile) {
    TForm1& f = *form;
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_EQ(f.Data.TargetX, 387.0);
    EXPECT_EQ(f.Data.StartPhase, 0.0);
    EXPECT_EQ(f.Data.StopPhase, 60.0);
    EXPECT_EQ(f.Data.Frequency, 1.0);
    EXPECT_EQ(f.Data.Amplitude, 50.0);
    EXPECT_TRUE(f.IonSource->CheckBox1->isChecked() && f.Data.MultiParticle);
    EXPECT_TRUE(f.Results->CheckBox4->isChecked());
    EXPECT_EQ(f.Simulation->ComboBox1->currentText(), "5");
    EXPECT_EQ(f.Timer2->interval(), 10);
    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_EQ(f.Simulation->Button1->text(), "Folytatás");
    EXPECT_TRUE(f.windowTitle().startsWith("Lineáris gyorsító szimulációja"));
    for (auto [field, text] : {std::pair{f.IonSource->Edit13, "0"},
                               {f.IonSource->Edit14, "60"},
                               {f.Generator->Edit2, "1"},
                               {f.Generator->Edit4, "50"},
                               {f.EnergySpectrum->Edit5, "220"},
                               {f.TimeSpectrum->Edit11, "0.05"},
                               {f.Simulation->Edit15, "00:00:00"}})
        EXPECT_EQ(field->text().trimmed(), text);
    EXPECT_TRUE(f.Files->SetupPath.endsWith("/teszt02.gydat"));
    EXPECT_TRUE(f.Simulation->Button1->isEnabled() && f.Simulation->Button2->isEnabled() &&
                f.IonSource->Edit13->isEnabled());
    EXPECT_EQ(f.View->Image1->geometry(), QRect(13, 11, 607, 360));  // the view fitted into its frame
    EXPECT_EQ(f.View->ViewBuffer.size(), QSize(607, 360));
    QStringList menu;
    for (QMenu* m : {f.Gyorstadatai1, f.Eredmnyek1})
        for (QAction* a : m->actions()) menu << a->text();
    EXPECT_EQ(menu, QStringList({"Mentés", "Mentés másként", "Betöltés", "Kiírás", "Kiírás másként", "Betöltés",
                                 "Exportálás…"}));
}

TEST_F(StartUp, FirstActivationDoesNotRunAgainAfterAModalDialog) {
    TForm1& f = *form;
    f.Data.Cavities.SetCavityCount(1);
    f.Data.StartPhase = 10;
    f.Generator->UpDown1->ClickUp();
    struct Counter : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            n += e->type() == QEvent::WindowActivate;
            return false;
        }
    } counter;
    f.installEventFilter(&counter);
    QDialog dialog(&f);
    QTimer::singleShot(50, &dialog, &QDialog::accept);
    dialog.exec();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(WaitFor([&] { return counter.n > 0; }));
    f.removeEventFilter(&counter);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(f.Data.StartPhase, 10.0);
    EXPECT_EQ(f.Generator->UpDown1->Position(), 51);
}

// A window that is shown but never activated (a window manager may do
// that) still starts up.
class NeverActivated : public TForm1 {
protected:
    bool event(QEvent* e) override {
        return e->type() == QEvent::WindowActivate ? QMainWindow::event(e) : TForm1::event(e);
    }
};

TEST(StartUpWithoutActivation, DefaultsAreInstalledAnyway) {
    ScriptedPrompter prompter;
    ui::ScopedPrompter scoped(prompter);
    NeverActivated f;
    f.show();
    ASSERT_TRUE(WaitFor([&] { return f.ActivationDone; }));
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_TRUE(f.Simulation->Button1->isEnabled());
}

}  // namespace
}  // namespace velox::testing
