// The "Gyorsító" panel: the RF spinners and "Új gyorsítóüreg".
#include "WindowFixture.h"

namespace velox::testing {
namespace {

using Generator = WindowTest;

// The next add shows the texts last typed.
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
    f.Control<QPushButton>("Button4")->click();
    f.Control<QPushButton>("Button4")->click();
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(f.Control<ui::TShape>("Shape1")->geometry(), QRect(10 + 12 + 8 - 10, 41 + 50, 20, 20));
    EXPECT_TRUE(f.Control<ui::TShape>("Shape1")->isVisible() && asker.Asked.isEmpty());
}

}  // namespace
}  // namespace velox::testing
