// The cavity dialog: its captions and tab order, the fields it refuses and
// the ways of closing it.
#include <array>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CavityEditorFixture.h"
#include "core/model/Numeric.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

TEST_F(CavityEditor, DialogCaptionsFitAndTabOrder) {
    Dlg& d = *cavityDialog;
    for (QLabel* l : d.findChildren<QLabel*>()) EXPECT_LE(l->sizeHint().width(), l->width()) << Text(l->text());
    for (QPushButton* b : d.findChildren<QPushButton*>())
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width()) << Text(b->text());
    QList<QWidget*> chain;
    for (QWidget* w = d.OKBtn; chain.size() < 7; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus) chain << w;
    EXPECT_EQ(chain, (QList<QWidget*>{d.OKBtn, d.CancelBtn, d.Edit1, d.Edit2, d.Button1, d.Edit3, d.Edit4}));
}

TEST_F(CavityEditor, RefusedFieldsKeepTheDialogOpenAtTheFirstOne) {
    SetCavities(1);
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        for (QLineEdit* field : {d.Edit1, d.Edit2, d.Edit3, d.Edit4}) {
            for (const char* bad : {"3", "abc", "", "4.5", "12 ", "0"}) {
                d.SetTexts({"4", " 12", "4", "4"});
                field->setText(bad);
                d.OKBtn->click();
                ASSERT_TRUE(d.isVisible()) << bad;
                EXPECT_EQ(d.focusWidget(), field) << bad;
                EXPECT_EQ(field->selectedText(), field->text()) << bad;
            }
        }
        d.SetTexts({"4", "x", "x", "x"});
        d.Edit1->setFocus();
        d.OKBtn->click();
        EXPECT_EQ(d.focusWidget(), d.Edit2);
        d.SetTexts({"4", " 12", "4", "9"});
        QTest::keyClick(d.Edit3, Qt::Key_Return);  // the default button
    })};
    RightClick(form->View->Shape1);
    EXPECT_FALSE(cavityDialog->isVisible());
    EXPECT_EQ(form->Data.Cavities[0].AccGap, 12.0);
    EXPECT_EQ(form->Data.Cavities[0].GroundWidth, 9.0);
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(CavityEditor, CancelEscapeAndTheCloseBoxCloseWithRefusedFieldsAndResetTheLook) {
    TForm1& f = *form;
    SetCavities(1);
    const auto before = Sizes(f.Data.Cavities[0]);
    const std::function<void(Dlg&)> closers[] = {[](Dlg& d) { d.CancelBtn->click(); },
                                                 [](Dlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
                                                 [](Dlg& d) { d.close(); }};
    for (const auto& close : closers) {
        // The look and the delete flag are set afresh at every showing;
        // Cancel with the flag left set deletes nothing.
        cavityDialog->DeleteConfirmed = true;
        cavityDialog->Panel1->SetColor(Qt::gray);
        dialogs.Steps = {On<Dlg>([&close](Dlg& d) {
            EXPECT_FALSE(d.DeleteConfirmed);
            EXPECT_EQ(d.palette().color(QPalette::Window), ui::WindowColour);
            EXPECT_EQ(d.Panel1->Color(), ui::PanelColour);
            EXPECT_EQ(d.Label2->palette().color(QPalette::WindowText), ui::CaptionColour);
            d.DeleteConfirmed = true;
            d.SetTexts({"abc", "", "2", "4"});
            close(d);
        })};
        RightClick(f.View->Shape1);
    }
    EXPECT_EQ(dialogs.Shown.size(), 3);
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(Sizes(f.Data.Cavities[0]), before);
}

}  // namespace
}  // namespace velox::testing
