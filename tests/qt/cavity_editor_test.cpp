// Adding, editing and deleting cavities through the cavity dialog, and
// moving the target by dragging it.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "WindowsFixture.h"
#include "core/model/Numeric.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

class CavityEditor : public WindowsTest {
protected:
    void SetCavities(int n) {
        form->Data.Cavities.SetCavityCount(0);
        for (int k = 0; k < n; ++k)
            form->Data.Cavities.Append({16.0 + k, 40.0 + k, 12.0 + k, 20.0 + k});
        form->Data.BuildCavities();
        form->DrawAcceleratorView();
    }
    void RightClick(TShape* marker) { QTest::mouseClick(marker, Qt::RightButton); }
    // Left edge of cavity k's marker: under the middle of its accelerating
    // electrode.
    int MarkerLeft(int k) const {
        const Cavity& c = form->Data.CavityList[static_cast<std::size_t>(k)];
        return TruncToInt(c.Position + static_cast<long double>(c.AccWidth) / 2) + form->Image1->x() - 10;
    }
};

TEST_F(CavityEditor, DialogCaptionsFitAndTabOrder) {
    TUregAdatDlg& d = *cavityDialog;
    // Every caption fits its control.
    for (QLabel* l : d.findChildren<QLabel*>()) EXPECT_LE(l->sizeHint().width(), l->width()) << l->text().toStdString();
    for (QPushButton* b : d.findChildren<QPushButton*>())
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width()) << b->text().toStdString();

    // OK, Cancel, then the panel's Edit1, Edit2, delete, Edit3, Edit4.
    QWidget* w = d.OKBtn;
    QList<QWidget*> chain;
    for (int k = 0; k < 7; ++k, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
        chain << w;
    }
    EXPECT_EQ(chain, (QList<QWidget*>{d.OKBtn, d.CancelBtn, d.Edit1, d.Edit2, d.Button1, d.Edit3, d.Edit4}));
}

TEST_F(CavityEditor, AddingTakesTheFieldsAndRefreshesTheControls) {
    TForm1& f = *form;
    SetCavities(0);
    f.UpdateControlStates();
    ASSERT_FALSE(f.Button1->isEnabled());
    // Hexadecimal whole numbers pass the check and are stored as their value.
    dialogs.Steps = {FillAndConfirm({"$10", " 12", "0x1A", "7"})};
    f.Button4->click();
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    const CavitySizes& c = f.Data.Cavities[0];
    EXPECT_EQ(c.AccWidth, 16.0);
    EXPECT_EQ(c.AccGap, 12.0);
    EXPECT_EQ(c.GroundGap, 26.0);
    EXPECT_EQ(c.GroundWidth, 7.0);
    EXPECT_TRUE(f.Shape1->isVisible());
    EXPECT_EQ(f.Shape1->x(), MarkerLeft(0));
    EXPECT_TRUE(f.Button1->isEnabled());  // UpdateControlStates ran

    // The next add shows the texts last typed; Cancel changes nothing.
    dialogs.Steps = {CavityStep([](TUregAdatDlg& d) {
        EXPECT_EQ(d.Edit1->text(), "$10");
        EXPECT_EQ(d.Edit4->text(), "7");
        d.CancelBtn->click();
    })};
    f.Button4->click();
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(CavityEditor, TwentyCavitiesShowTheLimitAfterOk) {
    TForm1& f = *form;
    SetCavities(20);
    dialogs.Steps = {FillAndConfirm({"30", "30", "30", "30"})};
    f.Button4->click();
    EXPECT_EQ(dialogs.Shown, QStringList{"Gyorsítóüreg"});
    EXPECT_EQ(prompter.Asked,
              QStringList{"*** TÁJÉKOZTATÁS ***|Nem lehet ilyen sok gyorsítóelektródot alkalmazni!"});
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 20);
    EXPECT_EQ(f.Data.Cavities[19].AccWidth, 59.0);
    EXPECT_FALSE(f.Shape21->isVisible());
}

TEST_F(CavityEditor, DeletingTheLastAndTheFirstCavity) {
    TForm1& f = *form;
    SetCavities(3);
    const CavitySizes second = f.Data.Cavities[1];
    const auto deleteYes = CavityStep([](TUregAdatDlg& d) { d.Button1->click(); });

    prompter.Answers = {ui::Answer::Yes};
    dialogs.Steps = {deleteYes};
    RightClick(f.Shape3);
    EXPECT_EQ(prompter.Asked, QStringList{"*** MEGEROSÍTÉS ***|Valóban törölni akarod ezeket az elektródákat?"});
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_FALSE(f.Shape3->isVisible());

    prompter.Answers = {ui::Answer::Yes};
    dialogs.Steps = {deleteYes};
    RightClick(f.Shape1);
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(f.Data.Cavities[0].AccWidth, second.AccWidth);
    EXPECT_EQ(f.Data.Cavities[0].GroundWidth, second.GroundWidth);
    // Packed from the source: the remaining cavity starts after its own gap.
    EXPECT_EQ(f.Data.CavityList[0].Position, 10.0 + second.AccGap);
    EXPECT_TRUE(f.Shape1->isVisible());
    EXPECT_EQ(f.Shape1->x(), MarkerLeft(0));
    EXPECT_FALSE(f.Shape2->isVisible());
    EXPECT_TRUE(f.Button1->isEnabled());
}

TEST_F(CavityEditor, NoToTheDeleteQuestionKeepsTheCavity) {
    TForm1& f = *form;
    SetCavities(2);
    prompter.Answers = {ui::Answer::No};
    dialogs.Steps = {CavityStep([](TUregAdatDlg& d) { d.Button1->click(); })};
    RightClick(f.Shape1);
    EXPECT_EQ(prompter.Asked.size(), 1);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_EQ(f.Data.Cavities[0].AccWidth, 40.0);
    EXPECT_TRUE(f.Shape2->isVisible());
    EXPECT_FALSE(cavityDialog->isVisible());
}

TEST_F(CavityEditor, EditingShowsTheCavityAndStoresWhatIsConfirmed) {
    TForm1& f = *form;
    SetCavities(2);
    f.Data.Cavities[1].AccGap = 12.5;
    f.Data.BuildCavities();
    f.DrawAcceleratorView();
    // The fractional gap shows as it is and cannot be confirmed until it is
    // a whole number.
    dialogs.Steps = {CavityStep([](TUregAdatDlg& d) {
        EXPECT_EQ(d.Edit1->text(), "41");
        EXPECT_EQ(d.Edit2->text(), "12.5");
        EXPECT_EQ(d.Edit3->text(), "13");
        EXPECT_EQ(d.Edit4->text(), "21");
        d.OKBtn->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.Edit2);
        d.Edit2->setText("$20");
        d.Edit4->setText("+8");
        d.OKBtn->click();
    })};
    RightClick(f.Shape2);
    const CavitySizes& c = f.Data.Cavities[1];
    EXPECT_EQ(c.AccWidth, 41.0);
    EXPECT_EQ(c.AccGap, 32.0);
    EXPECT_EQ(c.GroundGap, 13.0);
    EXPECT_EQ(c.GroundWidth, 8.0);
    EXPECT_EQ(f.Data.CavityList[1].Position, f.Data.CavityList[0].Position + 40 + 12 + 20 + 32);
}

TEST_F(CavityEditor, RefusedFieldsKeepTheDialogOpenAtTheFirstOne) {
    TForm1& f = *form;
    SetCavities(1);
    dialogs.Steps = {CavityStep([](TUregAdatDlg& d) {
        QLineEdit* const fields[] = {d.Edit1, d.Edit2, d.Edit3, d.Edit4};
        for (QLineEdit* field : fields) {
            for (const char* bad : {"3", "abc", "", "4.5", "12 ", "0"}) {
                d.SetTexts({"4", " 12", "4", "4"});
                field->setText(bad);
                d.OKBtn->click();
                ASSERT_TRUE(d.isVisible()) << bad;
                EXPECT_EQ(d.focusWidget(), field) << bad;
                EXPECT_EQ(field->selectedText(), field->text()) << bad;
            }
        }
        // Checked in the order Edit1, Edit2, Edit3, Edit4.
        d.SetTexts({"4", "x", "4", "x"});
        d.Edit1->setFocus();
        d.OKBtn->click();
        EXPECT_EQ(d.focusWidget(), d.Edit2);
        d.SetTexts({"4", "4", "x", "x"});
        d.OKBtn->click();
        EXPECT_EQ(d.focusWidget(), d.Edit3);
        // Enter confirms through the default button once all pass.
        d.SetTexts({"4", " 12", "4", "9"});
        QTest::keyClick(d.Edit3, Qt::Key_Return);
    })};
    RightClick(f.Shape1);
    EXPECT_FALSE(cavityDialog->isVisible());
    EXPECT_EQ(f.Data.Cavities[0].AccGap, 12.0);
    EXPECT_EQ(f.Data.Cavities[0].GroundWidth, 9.0);
    EXPECT_TRUE(prompter.Asked.isEmpty());  // no message for a refused field
}

TEST_F(CavityEditor, CancelEscapeAndTheCloseBoxCloseWithRefusedFields) {
    TForm1& f = *form;
    SetCavities(1);
    const CavitySizes before = f.Data.Cavities[0];
    dialogs.Steps = {
        CavityStep([](TUregAdatDlg& d) {
            d.Edit1->setText("abc");
            d.CancelBtn->click();
        }),
        CavityStep([](TUregAdatDlg& d) {
            d.Edit2->setText("");
            QTest::keyClick(&d, Qt::Key_Escape);
        }),
        CavityStep([](TUregAdatDlg& d) {
            d.Edit3->setText("2");
            d.close();
        }),
    };
    for (int k = 0; k < 3; ++k) RightClick(f.Shape1);
    EXPECT_EQ(dialogs.Shown.size(), 3);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(f.Data.Cavities[0].AccWidth, before.AccWidth);
    EXPECT_EQ(f.Data.Cavities[0].AccGap, before.AccGap);
    EXPECT_EQ(f.Data.Cavities[0].GroundGap, before.GroundGap);
}

TEST_F(CavityEditor, DialogLookAndDeleteFlagAtEveryShowing) {
    TForm1& f = *form;
    SetCavities(1);
    cavityDialog->DeleteConfirmed = true;
    QPalette plain = cavityDialog->palette();
    plain.setColor(QPalette::Window, Qt::gray);
    cavityDialog->setPalette(plain);
    cavityDialog->Panel1->SetColor(Qt::gray);
    const auto look = CavityStep([](TUregAdatDlg& d) {
        EXPECT_FALSE(d.DeleteConfirmed);
        EXPECT_EQ(d.palette().color(QPalette::Window), ui::WindowColour);
        EXPECT_EQ(d.Panel1->Color(), ui::PanelColour);
        EXPECT_EQ(d.Label2->palette().color(QPalette::WindowText), ui::CaptionColour);
        d.DeleteConfirmed = true;
        d.CancelBtn->click();
    });
    dialogs.Steps = {look, look};
    RightClick(f.Shape1);
    cavityDialog->Panel1->SetColor(Qt::gray);
    RightClick(f.Shape1);
    // Cancel with the flag set deletes nothing.
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
}

TEST_F(CavityEditor, LeftPressOnACavityMarkerOpensNothingAndMovesNothing) {
    TForm1& f = *form;
    SetCavities(2);
    const QRect marker = f.Shape1->geometry();
    const QRect target = f.Target->geometry();
    QTest::mouseClick(f.Shape1, Qt::LeftButton);
    // A drag over the view and a release there.
    SendMouse(f.Shape1, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 10));
    SendMouse(f.Shape1, QEvent::MouseMove, Qt::LeftButton, Across(f.Shape1, f.Image1, QPoint(300, 40)));
    SendMouse(f.Shape1, QEvent::MouseButtonRelease, Qt::LeftButton, Across(f.Shape1, f.Image1, QPoint(300, 40)));
    EXPECT_TRUE(dialogs.Shown.isEmpty());
    EXPECT_EQ(f.Shape1->geometry(), marker);
    EXPECT_EQ(f.Target->geometry(), target);
    EXPECT_EQ(f.Data.TargetX, 387.0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The middle button opens the dialog as the right one does.
    dialogs.Steps = {CavityStep([](TUregAdatDlg& d) { d.CancelBtn->click(); })};
    QTest::mouseClick(f.Shape2, Qt::MiddleButton);
    EXPECT_EQ(dialogs.Shown, QStringList{"Gyorsítóüreg"});
}

TEST_F(CavityEditor, DroppingTheTargetPutsItOnTheAxisAtTheDropColumn) {
    TForm1& f = *form;
    const QColor blue(0, 0, 255);
    ASSERT_EQ(ViewPixel(391, 0), blue);
    // Picked up at one corner, moved over the view well above the axis.
    SendMouse(f.Target, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(1, 1));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);  // over the target itself
    SendMouse(f.Target, QEvent::MouseMove, Qt::LeftButton, Across(f.Target, f.Image1, QPoint(250, 5)));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    SendMouse(f.Target, QEvent::MouseMove, Qt::LeftButton, Across(f.Target, f.Panel1, QPoint(20, 20)));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    SendMouse(f.Target, QEvent::MouseButtonRelease, Qt::LeftButton, Across(f.Target, f.Image1, QPoint(250, 5)));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(f.Target->geometry(), QRect(13 + 250 - 4, 11 + 41 - 5, 9, 10));
    EXPECT_EQ(f.Data.TargetX, 246.0);
    EXPECT_EQ(f.Data.TargetLeft, 259);
    EXPECT_EQ(ViewPixel(250, 0), blue);  // the rod is redrawn at its new place
    EXPECT_NE(ViewPixel(391, 0), blue);

    // Left of the source is allowed as well.
    SendMouse(f.Target, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(4, 4));
    SendMouse(f.Target, QEvent::MouseButtonRelease, Qt::LeftButton, Across(f.Target, f.Image1, QPoint(2, 300)));
    EXPECT_EQ(f.Target->geometry(), QRect(11, 47, 9, 10));
    EXPECT_EQ(f.Data.TargetX, -2.0);
}

TEST_F(CavityEditor, DropsThatDoNothing) {
    TForm1& f = *form;
    const QRect start = f.Target->geometry();
    // On the target itself, at another pixel of it.
    SendMouse(f.Target, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(1, 1));
    SendMouse(f.Target, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(7, 8));
    EXPECT_EQ(f.Target->geometry(), start);
    // On a cavity marker, and outside the view.
    for (QWidget* place : {static_cast<QWidget*>(f.Shape2), static_cast<QWidget*>(f.Panel3)}) {
        SendMouse(f.Target, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(1, 1));
        SendMouse(f.Target, QEvent::MouseButtonRelease, Qt::LeftButton, Across(f.Target, place, QPoint(5, 5)));
        EXPECT_EQ(f.Target->geometry(), start);
    }
    EXPECT_EQ(f.Data.TargetX, 387.0);
    // The right button does not drag.
    SendMouse(f.Target, QEvent::MouseButtonPress, Qt::RightButton, QPoint(1, 1));
    SendMouse(f.Target, QEvent::MouseButtonRelease, Qt::RightButton, Across(f.Target, f.Image1, QPoint(100, 40)));
    EXPECT_EQ(f.Target->geometry(), start);
    EXPECT_TRUE(dialogs.Shown.isEmpty());

    // Only the shape with tag 100 is accepted.
    EXPECT_TRUE(f.Image1DragOver(f.Target, 0, 0));
    EXPECT_FALSE(f.Image1DragOver(f.Shape1, 0, 0));
    EXPECT_FALSE(f.Image1DragOver(f.Button4, 0, 0));
    EXPECT_TRUE(f.Shape1DragOver(f.Target, f.Target));
    EXPECT_FALSE(f.Shape1DragOver(f.Target, f.Shape3));
    EXPECT_FALSE(f.Shape1DragOver(f.Image1, f.Target));
}

}  // namespace
}  // namespace velox::testing
