#include <QCheckBox>
#include <QPushButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

const QColor Blue(0, 0, 255), Black(0, 0, 0), White(255, 255, 255);
constexpr int y0 = 41;

class View : public WindowTest {
protected:
    void Redraw(double voltage) {
        form->Data.Voltage = voltage;
        form->DrawAcceleratorView();
    }
};

TEST_F(View, ElectrodesShowTheirEdgesAndBores) {
    Redraw(30);
    // Accelerating electrode 26 … 76: both sides above and below the bore,
    // the top and bottom edges, the bore itself open.
    for (int x : {26, 76}) {
        EXPECT_EQ(ViewPixel(x, y0 - 12), Blue) << x;
        EXPECT_EQ(ViewPixel(x, y0 + 12), Blue) << x;
        for (int y = y0 - 2; y <= y0 + 2; ++y) EXPECT_EQ(ViewPixel(x, y), White) << x << "," << y;
    }
    EXPECT_EQ(ViewPixel(50, y0 - 20), Blue);
    EXPECT_EQ(ViewPixel(50, y0 + 20), Blue);
    EXPECT_EQ(ViewPixel(50, y0), White);  // inside the electrode
    // Grounded electrode 92 … 152, and the second cavity's 168 … 263 / 283 … 363.
    for (int x : {92, 152, 283, 363}) {
        EXPECT_EQ(ViewPixel(x, y0 - 12), Black) << x;
        EXPECT_EQ(ViewPixel(x, y0), White) << x;
    }
    EXPECT_EQ(ViewPixel(200, y0 + 20), Blue);
    EXPECT_EQ(ViewPixel(84, y0 - 12), White);  // the gap between the electrodes
}

TEST_F(View, LeadsCommonLineSourceAndTargetRod) {
    Redraw(30);
    EXPECT_EQ(ViewPixel(51, y0 + 35), Blue);   // accelerating lead
    EXPECT_EQ(ViewPixel(51, y0 + 60), White);  // left open for the cavity marker
    EXPECT_EQ(ViewPixel(51, y0 + 85), Blue);
    EXPECT_EQ(ViewPixel(122, y0 + 60), Black);  // grounded lead, uninterrupted
    EXPECT_EQ(ViewPixel(300, y0 + 100), Blue);  // common line
    EXPECT_EQ(ViewPixel(590, y0 + 100), Blue);
    EXPECT_EQ(ViewPixel(600, y0 + 100), White);  // ends 10 pixels before the edge
    EXPECT_EQ(ViewPixel(10, y0 + 50), Blue);      // source lead
    EXPECT_EQ(ViewPixel(6, y0), Blue);            // source point outline
    EXPECT_EQ(ViewPixel(10, y0 - 2), White);      // filled white
    EXPECT_EQ(ViewPixel(391, 0), Blue);           // target rod from above the view
    EXPECT_EQ(ViewPixel(391, y0 - 10), Blue);
    EXPECT_EQ(ViewPixel(391, y0 + 10), White);
}

TEST_F(View, PotentialLineAtTheTruncatedVoltage) {
    const int base = y0 + 200;
    Redraw(30.7);
    EXPECT_EQ(ViewPixel(50, base - 30), Black);
    EXPECT_EQ(ViewPixel(50, base - 31), White);
    EXPECT_EQ(ViewPixel(200, base - 30), Black);
    EXPECT_EQ(ViewPixel(120, base - 30), White);  // back to 0 along the grounded electrode
    Redraw(-30.7);
    EXPECT_EQ(ViewPixel(50, base + 30), Black);
    EXPECT_EQ(ViewPixel(50, base - 30), White);
    Redraw(0.9);
    EXPECT_EQ(ViewPixel(50, base), Black);
    EXPECT_EQ(ViewPixel(50, base - 1), White);
    // The axes: 50 pixels above and below the baseline at the source.
    EXPECT_EQ(ViewPixel(10, base - 50), Black);
    EXPECT_EQ(ViewPixel(10, base + 50), Black);
    EXPECT_EQ(ViewPixel(10, base + 52), White);
}

TEST_F(View, ThePictureReachesTheImageInOnePiece) {
    Redraw(30.7);
    EXPECT_EQ(form->Image1->Picture(), form->ViewBuffer);
    Redraw(-12);
    EXPECT_EQ(form->Image1->Picture(), form->ViewBuffer);
}

TEST_F(View, CavityMarkersUnderTheAcceleratingElectrodesTheNinthSilver) {
    TForm1& f = *form;
    f.Data.Cavities.SetCavityCount(9);
    for (int k = 0; k < 9; ++k) f.Data.Cavities[static_cast<std::size_t>(k)] = {4, 20, 4, 20};
    f.Data.BuildCavities();
    f.DrawAcceleratorView();
    for (int k = 0; k < 9; ++k) {
        TShape* m = f.CavityMarkerShapes[static_cast<std::size_t>(k)];
        const int middle = 10 + 48 * k + 4 + 10;
        EXPECT_TRUE(m->isVisible()) << k;
        EXPECT_EQ(m->geometry(), QRect(middle + 13 - 10, 11 + y0 + 50, 20, 20)) << k;
        EXPECT_EQ(m->BrushColor(), k == 8 ? QColor(192, 192, 192) : QColor(255, 255, 0)) << k;
        EXPECT_EQ(m->PenColor(), QColor(255, 0, 0));
        EXPECT_EQ(m->PenWidth(), 3);
        EXPECT_EQ(m->Tag(), k);
        // Drawn over the lead of its electrode.
        EXPECT_EQ(ViewPixel(middle, y0 + 40), Blue) << k;
    }
    EXPECT_FALSE(f.Shape10->isVisible());

    // Fewer cavities again: the markers of the removed ones are hidden.
    f.Data.Cavities.SetCavityCount(2);
    f.Data.BuildCavities();
    f.DrawAcceleratorView();
    EXPECT_TRUE(f.Shape2->isVisible());
    EXPECT_FALSE(f.Shape3->isVisible());
    EXPECT_FALSE(f.Shape9->isVisible());
}

TEST_F(View, NoCavitiesLeavesOnlyTheFixedParts) {
    TForm1& f = *form;
    f.Data.Cavities.SetCavityCount(0);
    f.Data.BuildCavities();
    Redraw(30);
    EXPECT_EQ(ViewPixel(26, y0 - 12), White);
    EXPECT_EQ(ViewPixel(300, y0 + 100), Blue);
    EXPECT_EQ(ViewPixel(50, y0 + 170), White);
    for (TShape* m : f.CavityMarkerShapes) EXPECT_FALSE(m->isVisible());
}

TEST_F(View, TheTargetSitsOnTheAxis) {
    TForm1& f = *form;
    f.Data.SetTargetLeft(200);
    f.DrawAcceleratorView();
    EXPECT_EQ(f.Target->geometry(), QRect(200, 11 + y0 - 5, 9, 10));
    EXPECT_EQ(ViewPixel(200 - 13 + 4, y0 - 10), Blue);
}

}  // namespace
}  // namespace velox::testing
