// The "Ionforrás" panel: the phase fields, the phase window and its markers.

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using IonSource = WindowTest;

const QColor Aqua(0, 255, 255), White(255, 255, 255);

TEST_F(IonSource, EnterAppliesAPhaseRedrawsTheWindowAndMovesItsMarkers) {
    TForm1& f = *form;
    const auto pixel = [&f](int x) { return f.Image4->Picture().pixelColor(x, 50); };
    Type(f.Control<QLineEdit>("Edit14"), "180");
    Type(f.Control<QLineEdit>("Edit13"), "90");
    EXPECT_EQ(std::tuple(f.Data.StartPhase, f.Data.StopPhase, f.Control<QCheckBox>("CheckBox1")->hasFocus()),
              std::tuple(90.0, 180.0, true));
    EXPECT_EQ(std::tuple(pixel(10), pixel(40), pixel(80)), std::tuple(White, Aqua, White));
    EXPECT_EQ(std::tuple(f.Control<ui::TShape>("Shape50")->x(), f.Control<ui::TShape>("Shape51")->x()),
              std::tuple(15 + 28, 15 + 53));
    // A click selects the whole text; leaving by Tab applies it, the focus staying where it went.
    QTest::mouseClick(f.Control<QLineEdit>("Edit14"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.Control<QLineEdit>("Edit14")->selectedText(), "180");
    f.Control<QLineEdit>("Edit14")->setText("120");
    f.Control<QLineEdit>("Edit13")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(std::tuple(f.Data.StopPhase, f.Control<QLineEdit>("Edit13")->hasFocus()), std::tuple(120.0, true));
}

TEST_F(IonSource, RefusedEntriesKeepThePhasesAndSelectTheText) {
    TForm1& f = *form;
    // The rules are the layer's; here the focus and the selection of a refusal.
    for (auto [field, text, valid] : {std::tuple{f.Control<QLineEdit>("Edit13"), "abc", "0"},
                                      {f.Control<QLineEdit>("Edit14"), "361", "60"}}) {
        Type(field, text);
        ExpectRefused(field, text);
        EXPECT_EQ(std::tuple(f.Data.StartPhase, f.Data.StopPhase), std::tuple(0.0, 60.0)) << text;
        field->setText(valid);
    }
    Type(f.Control<QLineEdit>("Edit14"), "0");
    f.Control<QLineEdit>("Edit13")->setText("abc");
    f.Control<QLineEdit>("Edit13")->setFocus(Qt::TabFocusReason);
    ExpectRefused(f.Control<QLineEdit>("Edit14"), "0");
    EXPECT_TRUE(asker.Asked.isEmpty());
}

}  // namespace
}  // namespace velox::testing
