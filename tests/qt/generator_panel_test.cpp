// The "Gyorsító" panel: the RF spinners with their position and display
// fields, and "Új gyorsítóüreg".
#include <array>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "CavityEditorFixture.h"
#include "WindowFixture.h"
#include "core/model/Numeric.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

using Generator = WindowTest;

TEST_F(Generator, EachSpinnerClickStepsTheGeneratorUpToItsEnds) {
    TForm1& f = *form;
    f.Generator->UpDown1->UpButton()->click();
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.01);
    EXPECT_EQ(f.Generator->Edit2->text(), "1.01");
    EXPECT_EQ(f.Generator->Edit1->text(), "51");
    f.Generator->UpDown2->UpButton()->click();
    EXPECT_DOUBLE_EQ(f.Data.Amplitude, 50.5);
    EXPECT_EQ(f.Generator->Edit4->text(), "50.5");
    for (int i = 0; i < 60; ++i) f.Generator->UpDown1->ClickUp();
    EXPECT_EQ(f.Generator->UpDown1->Position(), 100);
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.5);
    for (int i = 0; i < 120; ++i) f.Generator->UpDown2->ClickDown();
    EXPECT_EQ(f.Generator->UpDown2->Position(), 0);
    EXPECT_EQ(f.Generator->Edit4->text(), "25");
}

TEST_F(Generator, EnterInADisplayFieldTakesItsValueAndMovesTheFocusOn) {
    TForm1& f = *form;
    for (auto [key, text, position] : {std::tuple{Qt::Key_Return, "1.2", 70}, {Qt::Key_Enter, "1", 50}}) {
        f.Generator->Edit2->setFocus();
        f.Generator->Edit2->setText(text);
        QTest::keyClick(f.Generator->Edit2, key);
        EXPECT_TRUE(f.IonSource->CheckBox1->hasFocus()) << text;
        EXPECT_EQ(f.Generator->UpDown1->Position(), position);
    }
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.0);
    f.Generator->Edit4->setFocus();
    f.Generator->Edit4->setText("80");  // out of range: refused without a message
    QTest::keyClick(f.Generator->Edit4, Qt::Key_Return);
    EXPECT_TRUE(f.Generator->Edit4->hasFocus());
    EXPECT_EQ(f.Generator->Edit4->selectedText(), "80");
    EXPECT_DOUBLE_EQ(f.Data.Amplitude, 50.0);
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(Generator, BadTextInAPositionFieldIsReportedAndChangesNothing) {
    TForm1& f = *form;
    f.Generator->Edit1->setText("abc");
    ASSERT_EQ(prompter.Asked.size(), 1);
    EXPECT_TRUE(prompter.Asked[0].contains("abc"));
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.0);
    f.Generator->Edit1->setText("60");
    EXPECT_DOUBLE_EQ(f.Data.Frequency, 1.1);
}

TEST_F(CavityEditor, AddingTakesTheFieldsAndPlacesTheMarker) {
    TForm1& f = *form;
    SetCavities(0);
    dialogs.Steps = {FillAndConfirm({"$10", " 12", "0x1A", "7"})};  // hexadecimal passes
    f.Generator->Button4->click();
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(Sizes(f.Data.Cavities[0]), (std::array{16.0, 12.0, 26.0, 7.0}));
    EXPECT_EQ(f.View->Shape1->x(), MarkerLeft(0));
    EXPECT_TRUE(f.View->Shape1->isVisible());

    // The next add shows the texts last typed; Cancel changes nothing.
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        EXPECT_EQ(d.Edit1->text(), "$10");
        EXPECT_EQ(d.Edit4->text(), "7");
        d.CancelBtn->click();
    })};
    f.Generator->Button4->click();
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(CavityEditor, TwentyCavitiesShowTheLimitAfterOk) {
    TForm1& f = *form;
    SetCavities(20);
    dialogs.Steps = {FillAndConfirm({"30", "30", "30", "30"})};
    f.Generator->Button4->click();
    EXPECT_EQ(prompter.Asked, QStringList{"*** TÁJÉKOZTATÁS ***|Nem lehet ilyen sok gyorsítóelektródot alkalmazni!"});
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 20);
    EXPECT_EQ(f.Data.Cavities[19].AccWidth, 59.0);
    EXPECT_FALSE(f.View->Shape21->isVisible());
}

}  // namespace
}  // namespace velox::testing
