// The accelerator view: its drawing, the cavity markers that open the
// cavity dialog to edit or delete a cavity, and the target dragged along
// the axis.
#include <array>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CavityEditorFixture.h"
#include "WindowFixture.h"
#include "core/model/Numeric.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

const QColor Blue(0, 0, 255), Black(0, 0, 0), White(255, 255, 255);
constexpr int y0 = 41;

class View : public WindowTest {
protected:
    void Redraw(double voltage) {
        form->Data.Voltage = voltage;
        form->View->DrawAcceleratorView();
    }
    void ExpectPixels(std::initializer_list<std::pair<QPoint, QColor>> rows) {
        for (const auto& [p, colour] : rows) EXPECT_EQ(ViewPixel(p.x(), p.y()), colour) << p.x() << "," << p.y();
    }
};

TEST_F(View, ElectrodesLeadsCommonLineSourceAndTargetRod) {
    Redraw(30);
    // Accelerating electrode 26 … 76: both sides above and below the bore,
    // the bore itself open.
    for (int x : {26, 76}) {
        ExpectPixels({{{x, y0 - 12}, Blue}, {{x, y0 + 12}, Blue}});
        for (int y = y0 - 2; y <= y0 + 2; ++y) EXPECT_EQ(ViewPixel(x, y), White) << x << "," << y;
    }
    // Grounded electrodes 92 … 152 and 283 … 363.
    for (int x : {92, 152, 283, 363}) ExpectPixels({{{x, y0 - 12}, Black}, {{x, y0}, White}});
    ExpectPixels({
        {{50, y0 - 20}, Blue},
        {{50, y0 + 20}, Blue},
        {{50, y0}, White},  // edges, inside
        {{200, y0 + 20}, Blue},
        {{84, y0 - 12}, White},  // second cavity, a gap
        {{51, y0 + 35}, Blue},
        {{51, y0 + 60}, White},
        {{51, y0 + 85}, Blue},    // lead open for the marker
        {{122, y0 + 60}, Black},  // grounded lead
        {{300, y0 + 100}, Blue},
        {{590, y0 + 100}, Blue},
        {{600, y0 + 100}, White},  // common line
        {{10, y0 + 50}, Blue},
        {{6, y0}, Blue},
        {{10, y0 - 2}, White},  // source
        {{391, 0}, Blue},
        {{391, y0 - 10}, Blue},
        {{391, y0 + 10}, White},  // target rod
    });
    EXPECT_EQ(form->View->Image1->Picture(), form->View->ViewBuffer);
}

TEST_F(View, PotentialLineAtTheTruncatedVoltage) {
    const int base = y0 + 200;
    Redraw(30.7);
    ExpectPixels({{{50, base - 30}, Black},
                  {{50, base - 31}, White},
                  {{200, base - 30}, Black},
                  {{120, base - 30}, White},  // back to 0 along the grounded electrode
                  {{10, base - 50}, Black},
                  {{10, base + 50}, Black},
                  {{10, base + 52}, White}});  // the axis
    Redraw(-30.7);
    ExpectPixels({{{50, base + 30}, Black}, {{50, base - 30}, White}});
    EXPECT_EQ(form->View->Image1->Picture(), form->View->ViewBuffer);
    Redraw(0.9);
    ExpectPixels({{{50, base}, Black}, {{50, base - 1}, White}});
}

TEST_F(View, CavityMarkersUnderTheAcceleratingElectrodesTheNinthSilver) {
    TForm1& f = *form;
    f.Data.Cavities.SetCavityCount(9);
    for (int k = 0; k < 9; ++k) f.Data.Cavities[static_cast<std::size_t>(k)] = {4, 20, 4, 20};
    f.Data.BuildCavities();
    f.View->DrawAcceleratorView();
    for (int k = 0; k < 9; ++k) {
        TShape* m = f.View->CavityMarkerShapes[static_cast<std::size_t>(k)];
        const int middle = 10 + 48 * k + 4 + 10;
        EXPECT_TRUE(m->isVisible()) << k;
        EXPECT_EQ(m->geometry(), QRect(middle - 10, y0 + 50, 20, 20)) << k;  // in the view
        EXPECT_EQ(m->BrushColor(), k == 8 ? QColor(192, 192, 192) : QColor(255, 255, 0)) << k;
        EXPECT_EQ(ViewPixel(middle, y0 + 40), Blue) << k;  // over the lead of its electrode
    }
    EXPECT_FALSE(f.View->Shape10->isVisible());
    // Fewer cavities again: the markers of the removed ones are hidden.
    f.Data.Cavities.SetCavityCount(2);
    f.Data.BuildCavities();
    f.View->DrawAcceleratorView();
    EXPECT_TRUE(f.View->Shape2->isVisible());
    EXPECT_FALSE(f.View->Shape3->isVisible());
}

TEST_F(View, TheTargetSitsOnTheAxis) {
    form->Data.SetTargetLeft(200);
    form->View->DrawAcceleratorView();
    EXPECT_EQ(form->View->Target->geometry(), QRect(200, 11 + y0 - 5, 9, 10));
    EXPECT_EQ(ViewPixel(200 - 13 + 4, y0 - 10), Blue);
}

// Twenty cavities of the dialog's sizes reach far past the view: the
// markers there are cut off at its edge, so the energy plot under one
// shows no marker and takes the right click itself; a marker partly inside
// is there to click only on its inside part.
TEST_F(CavityEditor, MarkersAreCutOffAtTheEdgeOfTheView) {
    TForm1& f = *form;
    for (int k = 0; k < 18; ++k) {
        dialogs.Steps = {Press(&Dlg::OKBtn)};
        f.Generator->Button4->click();
    }
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 20);
    const QPoint tenth(f.Data.CavityMarkers[9].Left + 10, f.Data.CavityMarkers[9].Top + 10);
    QWidget* under = f.Client->childAt(tenth);
    ASSERT_EQ(under, f.EnergySpectrum->Image2);
    EXPECT_NE(f.Client->grab().toImage().pixelColor(tenth), QColor(255, 255, 0));
    QTest::mouseClick(under, Qt::RightButton, {}, under->mapFrom(f.Client, tenth));
    EXPECT_TRUE(f.EnergySpectrum->Panel12->isVisible());

    // A wider gap before the eighth cavity puts its marker across the edge.
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        d.Edit2->setText("35");
        d.OKBtn->click();
    })};
    RightClick(f.View->Shape8);
    EXPECT_EQ(f.Client->childAt(f.View->Shape8->mapTo(f.Client, QPoint(5, 10))), f.View->Shape8);
    EXPECT_NE(f.Client->childAt(f.View->Shape8->mapTo(f.Client, QPoint(17, 10))), f.View->Shape8);
    EXPECT_EQ(dialogs.Shown.size(), 19);
}

// Deleting the last cavity updates the run controls as adding one does:
// stopped, nothing can run but everything that builds again is open; while
// running, "Stop" still stops.
TEST_F(CavityEditor, DeletingEveryCavityLeavesAWayToBuildAgain) {
    TForm1& f = *form;
    const auto enabled = [&f] {
        QList<bool> on;
        for (QWidget* w :
             std::initializer_list<QWidget*>{f.Simulation->Button1, f.Simulation->Button2, f.Simulation->Button3,
                                             f.Generator->Button4, f.Results->Button5, f.IonSource->Edit13,
                                             f.IonSource->Edit14, f.Generator->UpDown1, f.Generator->UpDown2})
            on << w->isEnabled();
        return on;
    };
    const QList<bool> buildOnly{false, false, false, true, true, true, true, true, true};
    for (bool running : {false, true}) {
        if (running) f.Simulation->Button1->click();
        while (const int n = f.Data.Cavities.CavityCount()) {
            prompter.Answers = {ui::Answer::Yes};
            dialogs.Steps = {Press(&Dlg::Button1)};
            RightClick(f.View->CavityMarkerShapes[static_cast<std::size_t>(n - 1)]);
        }
        if (running) {
            EXPECT_TRUE(f.Simulation->Button1->isEnabled());
            f.Simulation->Button1->click();
            EXPECT_FALSE(f.Timer2->isActive());
        }
        EXPECT_EQ(enabled(), buildOnly) << running;
        dialogs.Steps = {Press(&Dlg::OKBtn)};
        f.Generator->Button4->click();
        EXPECT_EQ(enabled(), QList<bool>(9, true)) << running;
    }
}

TEST_F(CavityEditor, DeleteAnsweredNoThenTheLastAndTheFirstCavity) {
    TForm1& f = *form;
    SetCavities(3);
    const CavitySizes second = f.Data.Cavities[1];
    prompter.Answers = {ui::Answer::No, ui::Answer::Yes, ui::Answer::Yes};
    dialogs.Steps = {Press(&Dlg::Button1), Press(&Dlg::Button1), Press(&Dlg::Button1)};
    RightClick(f.View->Shape1);
    EXPECT_EQ(prompter.Asked, QStringList{"*** MEGEROSÍTÉS ***|Valóban törölni akarod ezeket az elektródákat?"});
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 3);
    EXPECT_EQ(f.Data.Cavities[0].AccWidth, 40.0);
    EXPECT_FALSE(cavityDialog->isVisible());

    RightClick(f.View->Shape3);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_FALSE(f.View->Shape3->isVisible());

    RightClick(f.View->Shape1);
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(f.Data.Cavities[0].AccWidth, second.AccWidth);
    EXPECT_EQ(f.Data.Cavities[0].GroundWidth, second.GroundWidth);
    EXPECT_EQ(f.Data.CavityList[0].Position, 10.0 + second.AccGap);  // packed from the source
    EXPECT_EQ(f.View->Shape1->x(), MarkerLeft(0));
    EXPECT_FALSE(f.View->Shape2->isVisible());
}

TEST_F(CavityEditor, EditingShowsTheCavityAndStoresWhatIsConfirmed) {
    TForm1& f = *form;
    SetCavities(2);
    f.Data.Cavities[1].AccGap = 12.5;
    f.Data.BuildCavities();
    // The fractional gap shows as it is and is refused until it is whole.
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        const CavityFieldTexts t = d.Texts();
        EXPECT_EQ((std::array{t.Edit1, t.Edit2, t.Edit3, t.Edit4}),
                  (std::array<std::string, 4>{"41", "12.5", "13", "21"}));
        d.OKBtn->click();
        EXPECT_EQ(d.focusWidget(), d.Edit2);
        d.Edit2->setText("$20");
        d.Edit4->setText("+8");
        d.OKBtn->click();
    })};
    RightClick(f.View->Shape2);
    EXPECT_EQ(Sizes(f.Data.Cavities[1]), (std::array{41.0, 32.0, 13.0, 8.0}));
    EXPECT_EQ(f.Data.CavityList[1].Position, f.Data.CavityList[0].Position + 40 + 12 + 20 + 32);
}

TEST_F(CavityEditor, LeftPressOnACavityMarkerOpensNothingMiddleButtonOpens) {
    TForm1& f = *form;
    SetCavities(2);
    const QRect marker = f.View->Shape1->geometry(), target = f.View->Target->geometry();
    SendMouse(f.View->Shape1, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 10));
    SendMouse(f.View->Shape1, QEvent::MouseMove, Qt::LeftButton,
              Across(f.View->Shape1, f.View->Image1, QPoint(300, 40)));
    SendMouse(f.View->Shape1, QEvent::MouseButtonRelease, Qt::LeftButton,
              Across(f.View->Shape1, f.View->Image1, QPoint(300, 40)));
    EXPECT_TRUE(dialogs.Shown.isEmpty());
    EXPECT_EQ(f.View->Shape1->geometry(), marker);
    EXPECT_EQ(f.View->Target->geometry(), target);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    dialogs.Steps = {Press(&Dlg::CancelBtn)};
    QTest::mouseClick(f.View->Shape2, Qt::MiddleButton);
    EXPECT_EQ(dialogs.Shown, QStringList{"Gyorsítóüreg"});
}

TEST_F(CavityEditor, DroppingTheTargetPutsItOnTheAxisAtTheDropColumn) {
    TForm1& f = *form;
    const QColor blue(0, 0, 255);
    ASSERT_EQ(ViewPixel(391, 0), blue);
    SendMouse(f.View->Target, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(1, 1));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    SendMouse(f.View->Target, QEvent::MouseMove, Qt::LeftButton,
              Across(f.View->Target, f.View->Image1, QPoint(250, 5)));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    SendMouse(f.View->Target, QEvent::MouseMove, Qt::LeftButton,
              Across(f.View->Target, f.Generator->Panel1, QPoint(20, 20)));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    SendMouse(f.View->Target, QEvent::MouseButtonRelease, Qt::LeftButton,
              Across(f.View->Target, f.View->Image1, QPoint(250, 5)));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(f.View->Target->geometry(), QRect(13 + 250 - 4, 11 + 41 - 5, 9, 10));
    EXPECT_EQ(f.Data.TargetX, 246.0);
    EXPECT_EQ(ViewPixel(250, 0), blue);  // the rod is redrawn at its new place
    EXPECT_NE(ViewPixel(391, 0), blue);

    Drag(f.View->Image1, QPoint(2, 300));  // left of the source is allowed as well
    EXPECT_EQ(f.View->Target->geometry(), QRect(11, 47, 9, 10));
    EXPECT_EQ(f.Data.TargetX, -2.0);
}

TEST_F(CavityEditor, DropsThatDoNothing) {
    TForm1& f = *form;
    const QRect start = f.View->Target->geometry();
    Drag(f.View->Target, QPoint(7, 8));
    Drag(f.View->Shape2, QPoint(5, 5));
    Drag(f.Simulation->Panel3, QPoint(5, 5));
    Drag(f.View->Image1, QPoint(100, 40), Qt::RightButton);
    EXPECT_EQ(f.View->Target->geometry(), start);
    EXPECT_EQ(f.Data.TargetX, 387.0);
    EXPECT_TRUE(dialogs.Shown.isEmpty());
}

}  // namespace
}  // namespace velox::testing
