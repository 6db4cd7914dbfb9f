// The cavity dialog: its tab order, the fields it refuses, its ways out.

#include "WindowFixture.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

using CavityDialog = WindowTest;

TEST_F(CavityDialog, TheTabOrderAndOkStoppingAtTheFirstRefusedField) {
    Dlg& dialog = *form->UregAdatDlg;
    QList<QWidget*> chain;
    for (QWidget* w = dialog.OKBtn; chain.size() < 7; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus) chain << w;
    EXPECT_EQ(chain, (QList<QWidget*>{dialog.OKBtn, dialog.CancelBtn, dialog.Edit1, dialog.Edit2, dialog.Button1,
                                      dialog.Edit3, dialog.Edit4}));
    SetCavities(1);
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        for (QLineEdit* field : {d.Edit4, d.Edit3, d.Edit2, d.Edit1}) {
            field->setText("3");
            d.OKBtn->click();
            EXPECT_TRUE(d.isVisible() && d.focusWidget() == field && field->selectedText() == "3");
        }
        d.SetTexts({"4", " 12", "4", "9"});
        QTest::keyClick(d.Edit3, Qt::Key_Return);
    })};
    RightClick(form->Control<ui::TShape>("Shape1"));
    EXPECT_FALSE(form->UregAdatDlg->isVisible());
    EXPECT_EQ(std::tuple(form->Data.Cavities[0].AccGap, form->Data.Cavities[0].GroundWidth), std::tuple(12.0, 9.0));
}

// The delete flag and the look are set afresh at every showing.
TEST_F(CavityDialog, CancelEscapeAndTheCloseBoxChangeNothing) {
    SetCavities(1);
    const std::function<void(Dlg&)> closers[] = {[](Dlg& d) { d.CancelBtn->click(); },
                                                 [](Dlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
                                                 [](Dlg& d) { d.close(); }};
    for (const auto& close : closers) {
        form->UregAdatDlg->DeleteConfirmed = true;
        form->UregAdatDlg->Panel1->SetColor(Qt::gray);
        dialogs.Steps = {On<Dlg>([&close](Dlg& d) {
            EXPECT_FALSE(d.DeleteConfirmed);
            EXPECT_EQ(std::tuple(d.palette().color(QPalette::Window), d.Panel1->Color(),
                                 d.Label2->palette().color(QPalette::WindowText)),
                      std::tuple(ui::WindowColour, ui::PanelColour, ui::CaptionColour));
            d.DeleteConfirmed = true;
            d.SetTexts({"abc", "", "2", "4"});
            close(d);
        })};
        RightClick(form->Control<ui::TShape>("Shape1"));
    }
    EXPECT_EQ(dialogs.Shown.size(), 3);
    EXPECT_EQ(std::tuple(form->Data.Cavities.CavityCount(), form->Data.Cavities[0].AccWidth), std::tuple(1, 40.0));
}

}  // namespace
}  // namespace velox::testing
