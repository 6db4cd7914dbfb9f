// The "Gyorsító" panel: the RF spinners and "Új gyorsítóüreg".
#include <QToolButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using Generator = WindowTest;

TEST_F(Generator, EachSpinnerClickStepsTheGeneratorUpToItsEnds) {
    TForm1& f = *form;
    f.Generator->UpDown1->UpButton()->click();
    f.Generator->UpDown2->DownButton()->click();
    EXPECT_EQ(std::tuple(f.Generator->Edit1->text(), f.Generator->Edit2->text(), f.Generator->Edit4->text()),
              std::tuple(QString("51"), QString("1.01"), QString("49.5")));
    EXPECT_EQ(std::tuple(f.Data.Frequency, f.Data.Amplitude), std::tuple(1.01, 49.5));
    for (int i = 0; i < 60; ++i) f.Generator->UpDown1->ClickUp(), f.Generator->UpDown2->ClickDown();
    EXPECT_EQ(std::tuple(f.Generator->Edit2->text(), f.Generator->Edit4->text()),
              std::tuple(QString("1.5"), QString("25")));
}

TEST_F(Generator, DisplayAndPositionFieldsTakeAValueIntoTheSpinner) {
    TForm1& f = *form;
    Type(f.Generator->Edit2, "1.2");
    EXPECT_TRUE(f.IonSource->CheckBox1->hasFocus());
    Type(f.Generator->Edit4, "30");
    EXPECT_EQ(std::tuple(f.Generator->UpDown1->Position(), f.Data.Frequency, f.Generator->UpDown2->Position(),
                         f.Data.Amplitude),
              std::tuple(70, 1.2, 10, 30.0));
    Type(f.Generator->Edit4, "80");
    ExpectRefused(f.Generator->Edit4, "80");
    EXPECT_EQ(f.Generator->UpDown2->Position(), 10);
    EXPECT_TRUE(prompter.Asked.isEmpty());
    f.Generator->Edit3->setText("abc");
    EXPECT_TRUE(prompter.Asked.size() == 1 && prompter.Asked[0].contains("'abc'"));
    EXPECT_EQ(f.Data.Amplitude, 30.0);
}

// The next add shows the texts last typed; a 21st is refused.
TEST_F(Generator, AddingTakesTheFieldsAndPlacesTheMarker) {
    TForm1& f = *form;
    SetCavities(0);
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
                         d.SetTexts({"$10", " 12", "0X1A", "7"});
                         d.OKBtn->click();
                     }),
                     On<Dlg>([](Dlg& d) {
                         EXPECT_EQ(std::tuple(d.Edit1->text(), d.Edit3->text()), std::tuple("$10", "0X1A"));
                         d.CancelBtn->click();
                     })};
    f.Generator->Button4->click();
    f.Generator->Button4->click();
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    const CavitySizes& c = f.Data.Cavities[0];
    EXPECT_EQ(std::tuple(c.AccWidth, c.AccGap, c.GroundGap, c.GroundWidth), std::tuple(16.0, 12.0, 26.0, 7.0));
    EXPECT_EQ(f.View->Shape1->geometry(), QRect(10 + 12 + 8 - 10, 41 + 50, 20, 20));
    EXPECT_TRUE(f.View->Shape1->isVisible() && prompter.Asked.isEmpty());
    SetCavities(20);  // the limit is told only after OK
    dialogs.Steps = {Press(&Dlg::OKBtn)};
    f.Generator->Button4->click();
    EXPECT_EQ(prompter.Asked, QStringList{"*** TÁJÉKOZTATÁS ***|Nem lehet ilyen sok gyorsítóelektródot alkalmazni!"});
    EXPECT_EQ(std::tuple(f.Data.Cavities.CavityCount(), f.View->Shape21->isVisible()), std::tuple(20, false));
}

}  // namespace
}  // namespace velox::testing
