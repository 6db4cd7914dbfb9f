// The accelerator view: its drawing, the cavity markers and the target.
#include <QMouseEvent>

#include "WindowFixture.h"
#include "core/model/Numeric.h"

namespace velox::testing {
namespace {

const QColor Blue(0, 0, 255), Black(0, 0, 0), White(255, 255, 255), Yellow(255, 255, 0);
constexpr int y0 = 41;

using View = WindowTest;

std::tuple<double, double, double, double> Sizes(const CavitySizes& c) {
    return {c.AccGap, c.AccWidth, c.GroundGap, c.GroundWidth};
}

// A mouse event sent straight to `w` at the point `p` of `at`.
void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QWidget* at, QPoint p) {
    const QPoint local = w->mapFromGlobal(at->mapToGlobal(p));
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(local), QPointF(at->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST_F(View, TheDrawingReachesTheScreenInOnePiece) {
    for (const int u : {1, -1}) {
        form->Data.Voltage = 30.7 * u;
        form->View->DrawAcceleratorView();
        const std::pair<QPoint, QColor> pixels[] = {
            {{26, y0 - 12}, Blue},           {{26, y0}, White}, {{92, y0 - 12}, Black},
            {{51, y0 + 60}, White},          {{391, 0}, Blue},  {{50, y0 + 200 - 30 * u}, Black},
            {{50, y0 + 200 + 30 * u}, White}};
        for (const auto& [p, colour] : pixels) EXPECT_EQ(ViewPixel(p.x(), p.y()), colour) << u << " " << p.x();
        EXPECT_EQ(form->View->Image1->Picture(), form->View->ViewBuffer);
    }
}

// Markers past the view's edge are cut off there and take no click.
TEST_F(View, MarkersAreCutOffAtTheEdgeOfTheView) {
    TForm1& f = *form;
    for (int k = 0; k < 18; ++k) {
        dialogs.Steps = {Press(&Dlg::OKBtn)};
        f.Control<QPushButton>("Button4")->click();
    }
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 20);
    const QPoint tenth(f.Data.CavityMarkers[9].Left + 10, f.Data.CavityMarkers[9].Top + 10);
    QWidget* under = f.Client->childAt(tenth);
    ASSERT_EQ(under, f.Control<ui::TImage>("Image2"));
    const QImage screen = f.Client->grab().toImage();
    const QPoint first = f.Control<ui::TShape>("Shape1")->mapTo(f.Client, QPoint(10, 10));
    EXPECT_EQ(std::tuple(screen.pixelColor(first), screen.pixelColor(first - QPoint(9, 0))),
              std::tuple(Yellow, QColor(Qt::red)));  // a marker drawn with its outline
    EXPECT_NE(screen.pixelColor(tenth), Yellow);
    QTest::mouseClick(under, Qt::RightButton, {}, under->mapFrom(f.Client, tenth));
    EXPECT_TRUE(f.Control<ui::TPanel>("Panel12")->isVisible());
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        d.Edit2->setText("35");  // a wider gap puts the eighth marker across the edge
        d.OKBtn->click();
    })};
    RightClick(f.Control<ui::TShape>("Shape8"));
    EXPECT_EQ(f.Client->childAt(f.Control<ui::TShape>("Shape8")->mapTo(f.Client, QPoint(5, 10))),
              f.Control<ui::TShape>("Shape8"));
    EXPECT_NE(f.Client->childAt(f.Control<ui::TShape>("Shape8")->mapTo(f.Client, QPoint(17, 10))),
              f.Control<ui::TShape>("Shape8"));
}

// After the last delete all that builds again is open; "Stop" still stops.
TEST_F(View, DeletingEveryCavityLeavesAWayToBuildAgain) {
    TForm1& f = *form;
    const QList<QWidget*> controls{
        f.Control<QPushButton>("Button1"), f.Control<QPushButton>("Button2"), f.Control<QPushButton>("Button3"),
        f.Control<QPushButton>("Button4"), f.Control<QPushButton>("Button5"), f.Control<QLineEdit>("Edit13"),
        f.Control<QLineEdit>("Edit14"),    f.Control<ui::TUpDown>("UpDown1"), f.Control<ui::TUpDown>("UpDown2")};
    const auto enabled = [&controls] {
        QList<bool> on;
        for (QWidget* w : controls) on << w->isEnabled();
        return on;
    };
    const auto remove = [&](TShape* marker, app::Answer answer) {
        asker.Answers = {answer};
        dialogs.Steps = {Press(&Dlg::Button1)};
        RightClick(marker);
    };
    SetCavities(3);
    const CavitySizes second = f.Data.Cavities[1];
    remove(f.Control<ui::TShape>("Shape1"), app::Answer::No);
    EXPECT_EQ(asker.Asked, QStringList{"*** MEGEROSÍTÉS ***|Valóban törölni akarod ezeket az elektródákat?"});
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 3);
    remove(f.Control<ui::TShape>("Shape1"), app::Answer::Yes);
    EXPECT_EQ(Sizes(f.Data.Cavities[0]), Sizes(second));
    EXPECT_EQ(f.Control<ui::TShape>("Shape1")->x(), 10 + TruncToInt(second.AccGap + second.AccWidth / 2) - 10);
    EXPECT_FALSE(f.Control<ui::TShape>("Shape3")->isVisible());
    for (const bool running : {false, true}) {
        if (running) f.Control<QPushButton>("Button1")->click();
        while (const int n = f.Data.Cavities.CavityCount())
            remove(f.View->CavityMarkerShapes[static_cast<std::size_t>(n - 1)], app::Answer::Yes);
        if (running) f.Control<QPushButton>("Button1")->click();
        EXPECT_FALSE(f.Timer2->isActive());
        EXPECT_EQ(enabled(), QList<bool>({false, false, false, true, true, true, true, true, true})) << running;
        dialogs.Steps = {Press(&Dlg::OKBtn)};
        f.Control<QPushButton>("Button4")->click();
        EXPECT_EQ(enabled(), QList<bool>(9, true)) << running;
    }
}

TEST_F(View, ALeftPressOnACavityMarkerOpensNothingAndMovesNothing) {
    TShape* m = form->Control<ui::TShape>("Shape1");
    const QRect marker = m->geometry();
    SendMouse(m, QEvent::MouseButtonPress, Qt::LeftButton, m, QPoint(10, 10));
    SendMouse(m, QEvent::MouseMove, Qt::LeftButton, form->View->Image1, QPoint(300, 40));
    SendMouse(m, QEvent::MouseButtonRelease, Qt::LeftButton, form->View->Image1, QPoint(300, 40));
    EXPECT_EQ(std::tuple(m->geometry(), form->View->Target->x(), QApplication::overrideCursor()),
              std::tuple(marker, 400, nullptr));
    dialogs.Steps = {Press(&Dlg::CancelBtn)};
    QTest::mouseClick(form->Control<ui::TShape>("Shape2"), Qt::MiddleButton);  // opens it as the right button does
}

// The target lands on the axis at the drop column, only over the view.
TEST_F(View, TheTargetIsDroppedOnTheAxisOnlyOverTheView) {
    TForm1& f = *form;
    TShape* t = f.View->Target;
    const auto drag = [t](QWidget* over, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        SendMouse(t, QEvent::MouseButtonPress, button, t, QPoint(1, 1));
        SendMouse(t, QEvent::MouseButtonRelease, button, over, at);
    };
    const auto place = [&f, t] { return std::tuple(t->geometry(), f.Data.TargetX); };
    drag(t, QPoint(7, 8));
    drag(f.Control<ui::TShape>("Shape2"), QPoint(5, 5));
    drag(f.View->Image1, QPoint(100, 40), Qt::RightButton);
    EXPECT_EQ(place(), std::tuple(QRect(400, 47, 9, 10), 387.0));
    SendMouse(t, QEvent::MouseButtonPress, Qt::LeftButton, t, QPoint(1, 1));
    SendMouse(t, QEvent::MouseMove, Qt::LeftButton, f.View->Image1, QPoint(250, 5));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    SendMouse(t, QEvent::MouseMove, Qt::LeftButton, f.Control<ui::TPanel>("Panel1"), QPoint(20, 20));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    SendMouse(t, QEvent::MouseButtonRelease, Qt::LeftButton, f.View->Image1, QPoint(250, 5));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(place(), std::tuple(QRect(13 + 250 - 4, 11 + y0 - 5, 9, 10), 246.0));
    EXPECT_EQ(std::tuple(ViewPixel(250, 0), ViewPixel(391, 0)), std::tuple(Blue, White));  // the rod moved
    drag(f.View->Image1, QPoint(2, 300));
    EXPECT_EQ(place(), std::tuple(QRect(11, 47, 9, 10), -2.0));
}

}  // namespace
}  // namespace velox::testing
