#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "WindowFixture.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, DefaultsWithoutTheStartUpFile) {
    TForm1& f = *form;
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_EQ(f.Data.Cavities[1].AccWidth, 95.0);
    EXPECT_EQ(f.Data.TargetX, 387.0);
    EXPECT_EQ(f.Data.StartPhase, 0.0);
    EXPECT_EQ(f.Data.StopPhase, 60.0);
    EXPECT_EQ(f.Data.Frequency, 1.0);
    EXPECT_EQ(f.Data.Amplitude, 50.0);
    EXPECT_TRUE(f.CheckBox1->isChecked());
    EXPECT_TRUE(f.Data.MultiParticle);
    EXPECT_TRUE(f.CheckBox4->isChecked());
    EXPECT_EQ(f.ComboBox1->currentText(), "5");
    EXPECT_EQ(f.Timer2->interval(), 10);
    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_EQ(f.Button1->text(), "Folytatás");
    EXPECT_TRUE(f.windowTitle().startsWith("Lineáris gyorsító szimulációja"));
    EXPECT_EQ(f.Edit13->text(), "0");
    EXPECT_EQ(f.Edit14->text(), "60");
    EXPECT_EQ(f.Edit2->text(), "1");
    EXPECT_EQ(f.Edit4->text(), "50");
    EXPECT_EQ(f.Edit5->text().trimmed(), "220");   // energy Xmax
    EXPECT_EQ(f.Edit11->text().trimmed(), "0.05");  // time channel width
    EXPECT_TRUE(f.SetupPath.endsWith("/teszt02.gydat"));
    EXPECT_EQ(f.BaseName, "VELOX_2013");
    EXPECT_TRUE(f.Button1->isEnabled());
    EXPECT_TRUE(f.Button2->isEnabled());
    EXPECT_TRUE(f.Edit13->isEnabled());
}

TEST_F(StartUp, LayoutStepFitsTheViewIntoItsFrame) {
    TForm1& f = *form;
    EXPECT_EQ(f.Bevel1->geometry(), QRect(12, 10, 610, 363));
    EXPECT_EQ(f.Image1->geometry(), QRect(13, 11, 607, 360));
    EXPECT_EQ(f.ViewBuffer.size(), QSize(607, 360));
    EXPECT_EQ(f.Image1->Picture().size(), QSize(607, 360));
    EXPECT_EQ(f.Data.AxisY, 41);
    EXPECT_EQ(f.Target->geometry(), QRect(400, 47, 9, 10));
    EXPECT_EQ(f.Shape52->x(), f.Image4->x() + 2);
    for (TShape* bar : {f.Shape46, f.Shape47, f.Shape48, f.Shape49}) EXPECT_EQ(bar->BrushColor(), QColor(136, 34, 0));
    EXPECT_EQ(f.Panel1->Color(), ui::PanelColour);
    EXPECT_EQ(f.Label1->palette().color(QPalette::WindowText), ui::CaptionColour);
    EXPECT_EQ(f.Image2->size(), QSize(265, 184));
    EXPECT_EQ(f.Data.Store.EnergySpectrum.XRight, 250);
    EXPECT_EQ(f.Data.Store.EnergySpectrum.YBottom, 159);
    // Both cavity markers under the middles of the accelerating electrodes,
    // no particle in flight.
    EXPECT_EQ(f.Shape1->geometry(), QRect(51 + 13 - 10, 11 + 41 + 50, 20, 20));
    EXPECT_EQ(f.Shape2->geometry(), QRect(215 + 13 - 10, 102, 20, 20));
    EXPECT_TRUE(f.Shape1->isVisible());
    EXPECT_FALSE(f.Shape3->isVisible());
    for (TShape* p : f.ParticleMarkerShapes) EXPECT_FALSE(p->isVisible());
}

TEST_F(StartUp, ControlsCarryTheirCaptions) {
    TForm1& f = *form;
    EXPECT_EQ(f.Button4->text(), "Új gyorsítóüreg");
    EXPECT_EQ(f.Button2->text(), "Egy lépés");
    EXPECT_EQ(f.Button3->text(), "Újraindít");
    EXPECT_EQ(f.Button5->text(), "Törlés");
    EXPECT_EQ(f.CheckBox1->text(), "Több részecske");
    EXPECT_EQ(f.CheckBox4->text(), "Teszt üzemmód");
    EXPECT_EQ(f.GroupBox3->title(), "Aktuális állapot");
    EXPECT_EQ(f.Label25->text(), "Feszültség =");
    EXPECT_EQ(f.Label20->text(), "Összes indított =");
    EXPECT_EQ(f.Edit15->text().trimmed(), "00:00:00");
    QStringList menu;
    for (QAction* a : f.MainMenu1->actions()) menu << a->text();
    EXPECT_EQ(menu, QStringList({"Feladat", "Gyorsító adatai", "Eredmények", "Vége"}));
    QStringList setup, results;
    for (QAction* a : f.Gyorstadatai1->actions()) setup << a->text();
    for (QAction* a : f.Eredmnyek1->actions()) results << a->text();
    EXPECT_EQ(setup, QStringList({"Mentés", "Mentés másként", "Betöltés"}));
    EXPECT_EQ(results, QStringList({"Kiírás", "Kiírás másként", "Betöltés"}));
}

TEST_F(StartUp, FirstActivationDoesNotRunAgainAfterAModalDialog) {
    TForm1& f = *form;
    f.Data.Cavities.SetCavityCount(1);
    f.Data.StartPhase = 10;
    f.UpDown1->ClickUp();

    int activations = 0;
    struct Counter : QObject {
        int& n;
        explicit Counter(int& count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::WindowActivate) ++n;
            return false;
        }
    } counter(activations);
    f.installEventFilter(&counter);

    QDialog dialog(&f);
    QTimer::singleShot(50, &dialog, &QDialog::accept);
    dialog.exec();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(WaitFor([&] { return activations > 0; }));
    f.removeEventFilter(&counter);

    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(f.Data.StartPhase, 10.0);
    EXPECT_EQ(f.UpDown1->Position(), 51);
}

}  // namespace
}  // namespace velox::testing

namespace velox::testing {
namespace {

// A window that is shown but never activated (a window manager may do
// that) still starts up.
class NeverActivated : public TForm1 {
protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate) return QMainWindow::event(e);
        return TForm1::event(e);
    }
};

TEST(StartUpWithoutActivation, DefaultsAreInstalledAnyway) {
    ScriptedPrompter prompter;
    ui::ScopedPrompter scoped(prompter);
    NeverActivated f;
    f.show();
    ASSERT_TRUE(WaitFor([&] { return f.ActivationDone; }));
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_EQ(f.Data.StopPhase, 60.0);
    EXPECT_TRUE(f.Button1->isEnabled());
}

}  // namespace
}  // namespace velox::testing
