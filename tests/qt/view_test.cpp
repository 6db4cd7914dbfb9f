#include "WindowFixture.h"

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
        {{50, y0 - 20}, Blue}, {{50, y0 + 20}, Blue}, {{50, y0}, White},  // edges, inside
        {{200, y0 + 20}, Blue}, {{84, y0 - 12}, White},                   // second cavity, a gap
        {{51, y0 + 35}, Blue}, {{51, y0 + 60}, White}, {{51, y0 + 85}, Blue},  // lead open for the marker
        {{122, y0 + 60}, Black},                                               // grounded lead
        {{300, y0 + 100}, Blue}, {{590, y0 + 100}, Blue}, {{600, y0 + 100}, White},  // common line
        {{10, y0 + 50}, Blue}, {{6, y0}, Blue}, {{10, y0 - 2}, White},               // source
        {{391, 0}, Blue}, {{391, y0 - 10}, Blue}, {{391, y0 + 10}, White},           // target rod
    });
    EXPECT_EQ(form->View->Image1->Picture(), form->View->ViewBuffer);
}

TEST_F(View, PotentialLineAtTheTruncatedVoltage) {
    const int base = y0 + 200;
    Redraw(30.7);
    ExpectPixels({{{50, base - 30}, Black}, {{50, base - 31}, White}, {{200, base - 30}, Black},
                  {{120, base - 30}, White},  // back to 0 along the grounded electrode
                  {{10, base - 50}, Black}, {{10, base + 50}, Black}, {{10, base + 52}, White}});  // the axis
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

}  // namespace
}  // namespace velox::testing
