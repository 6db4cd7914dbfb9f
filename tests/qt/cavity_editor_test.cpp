// Adding, editing and deleting cavities through the cavity dialog, and
// moving the target by dragging it.
#include <array>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "WindowsFixture.h"
#include "core/model/Numeric.h"
#include "ui/qt/DialogLook.h"

namespace velox::testing {
namespace {

using Dlg = TUregAdatDlg;

std::array<double, 4> Sizes(const CavitySizes& c) { return {c.AccWidth, c.AccGap, c.GroundGap, c.GroundWidth}; }

class CavityEditor : public WindowsTest {
protected:
    void SetCavities(int n) {
        form->Data.Cavities.SetCavityCount(0);
        for (int k = 0; k < n; ++k) form->Data.Cavities.Append({16.0 + k, 40.0 + k, 12.0 + k, 20.0 + k});
        form->Data.BuildCavities();
        form->View->DrawAcceleratorView();
    }
    void RightClick(TShape* marker) { QTest::mouseClick(marker, Qt::RightButton); }
    // Cavity k's marker starts under the middle of its accelerating electrode.
    int MarkerLeft(int k) const {
        const Cavity& c = form->Data.CavityList[static_cast<std::size_t>(k)];
        return TruncToInt(c.Position + static_cast<long double>(c.AccWidth) / 2) - 10;  // in the view
    }
    static ui::DialogScript::Step Press(QPushButton* Dlg::*button) {
        return On<Dlg>([button](Dlg& d) { (d.*button)->click(); });
    }
    static ui::DialogScript::Step FillAndConfirm(const CavityFieldTexts& texts) {
        return On<Dlg>([texts](Dlg& d) {
            d.SetTexts(texts);
            d.OKBtn->click();
        });
    }
    void Drag(QWidget* over, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        SendMouse(form->View->Target, QEvent::MouseButtonPress, button, QPoint(1, 1));
        SendMouse(form->View->Target, QEvent::MouseButtonRelease, button, Across(form->View->Target, over, at));
    }
};

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

// Twenty cavities of the dialog's sizes reach far past the view: the
// markers there are cut off at its edge, so the energy plot under one
// shows no marker and takes the right click itself; a marker partly inside
// is there to click only on its inside part.
TEST_F(CavityEditor, MarkersAreCutOffAtTheEdgeOfTheView) {
    TForm1& f = *form;
    for (int k = 0; k < 18; ++k) {
        dialogs.Steps = {Press(&Dlg::OKBtn)};
        f.Generator->Button4->click();
    }
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 20);
    const QPoint tenth(f.Data.CavityMarkers[9].Left + 10, f.Data.CavityMarkers[9].Top + 10);
    QWidget* under = f.Client->childAt(tenth);
    ASSERT_EQ(under, f.EnergySpectrum->Image2);
    EXPECT_NE(f.Client->grab().toImage().pixelColor(tenth), QColor(255, 255, 0));
    QTest::mouseClick(under, Qt::RightButton, {}, under->mapFrom(f.Client, tenth));
    EXPECT_TRUE(f.EnergySpectrum->Panel12->isVisible());

    // A wider gap before the eighth cavity puts its marker across the edge.
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        d.Edit2->setText("35");
        d.OKBtn->click();
    })};
    RightClick(f.View->Shape8);
    EXPECT_EQ(f.Client->childAt(f.View->Shape8->mapTo(f.Client, QPoint(5, 10))), f.View->Shape8);
    EXPECT_NE(f.Client->childAt(f.View->Shape8->mapTo(f.Client, QPoint(17, 10))), f.View->Shape8);
    EXPECT_EQ(dialogs.Shown.size(), 19);
}

// Deleting the last cavity updates the run controls as adding one does:
// stopped, nothing can run but everything that builds again is open; while
// running, "Stop" still stops.
TEST_F(CavityEditor, DeletingEveryCavityLeavesAWayToBuildAgain) {
    TForm1& f = *form;
    const auto enabled = [&f] {
        QList<bool> on;
        for (QWidget* w : std::initializer_list<QWidget*>{f.Simulation->Button1, f.Simulation->Button2, f.Simulation->Button3, f.Generator->Button4, f.Results->Button5,
                                                          f.IonSource->Edit13, f.IonSource->Edit14, f.Generator->UpDown1, f.Generator->UpDown2})
            on << w->isEnabled();
        return on;
    };
    const QList<bool> buildOnly{false, false, false, true, true, true, true, true, true};
    for (bool running : {false, true}) {
        if (running) f.Simulation->Button1->click();
        while (const int n = f.Data.Cavities.CavityCount()) {
            prompter.Answers = {ui::Answer::Yes};
            dialogs.Steps = {Press(&Dlg::Button1)};
            RightClick(f.View->CavityMarkerShapes[static_cast<std::size_t>(n - 1)]);
        }
        if (running) {
            EXPECT_TRUE(f.Simulation->Button1->isEnabled());
            f.Simulation->Button1->click();
            EXPECT_FALSE(f.Timer2->isActive());
        }
        EXPECT_EQ(enabled(), buildOnly) << running;
        dialogs.Steps = {Press(&Dlg::OKBtn)};
        f.Generator->Button4->click();
        EXPECT_EQ(enabled(), QList<bool>(9, true)) << running;
    }
}

TEST_F(CavityEditor, DeleteAnsweredNoThenTheLastAndTheFirstCavity) {
    TForm1& f = *form;
    SetCavities(3);
    const CavitySizes second = f.Data.Cavities[1];
    prompter.Answers = {ui::Answer::No, ui::Answer::Yes, ui::Answer::Yes};
    dialogs.Steps = {Press(&Dlg::Button1), Press(&Dlg::Button1), Press(&Dlg::Button1)};
    RightClick(f.View->Shape1);
    EXPECT_EQ(prompter.Asked, QStringList{"*** MEGEROSÍTÉS ***|Valóban törölni akarod ezeket az elektródákat?"});
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 3);
    EXPECT_EQ(f.Data.Cavities[0].AccWidth, 40.0);
    EXPECT_FALSE(cavityDialog->isVisible());

    RightClick(f.View->Shape3);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_FALSE(f.View->Shape3->isVisible());

    RightClick(f.View->Shape1);
    ASSERT_EQ(f.Data.Cavities.CavityCount(), 1);
    EXPECT_EQ(f.Data.Cavities[0].AccWidth, second.AccWidth);
    EXPECT_EQ(f.Data.Cavities[0].GroundWidth, second.GroundWidth);
    EXPECT_EQ(f.Data.CavityList[0].Position, 10.0 + second.AccGap);  // packed from the source
    EXPECT_EQ(f.View->Shape1->x(), MarkerLeft(0));
    EXPECT_FALSE(f.View->Shape2->isVisible());
}

TEST_F(CavityEditor, EditingShowsTheCavityAndStoresWhatIsConfirmed) {
    TForm1& f = *form;
    SetCavities(2);
    f.Data.Cavities[1].AccGap = 12.5;
    f.Data.BuildCavities();
    // The fractional gap shows as it is and is refused until it is whole.
    dialogs.Steps = {On<Dlg>([](Dlg& d) {
        const CavityFieldTexts t = d.Texts();
        EXPECT_EQ((std::array{t.Edit1, t.Edit2, t.Edit3, t.Edit4}), (std::array<std::string, 4>{"41", "12.5", "13", "21"}));
        d.OKBtn->click();
        EXPECT_EQ(d.focusWidget(), d.Edit2);
        d.Edit2->setText("$20");
        d.Edit4->setText("+8");
        d.OKBtn->click();
    })};
    RightClick(f.View->Shape2);
    EXPECT_EQ(Sizes(f.Data.Cavities[1]), (std::array{41.0, 32.0, 13.0, 8.0}));
    EXPECT_EQ(f.Data.CavityList[1].Position, f.Data.CavityList[0].Position + 40 + 12 + 20 + 32);
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

TEST_F(CavityEditor, LeftPressOnACavityMarkerOpensNothingMiddleButtonOpens) {
    TForm1& f = *form;
    SetCavities(2);
    const QRect marker = f.View->Shape1->geometry(), target = f.View->Target->geometry();
    SendMouse(f.View->Shape1, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 10));
    SendMouse(f.View->Shape1, QEvent::MouseMove, Qt::LeftButton, Across(f.View->Shape1, f.View->Image1, QPoint(300, 40)));
    SendMouse(f.View->Shape1, QEvent::MouseButtonRelease, Qt::LeftButton, Across(f.View->Shape1, f.View->Image1, QPoint(300, 40)));
    EXPECT_TRUE(dialogs.Shown.isEmpty());
    EXPECT_EQ(f.View->Shape1->geometry(), marker);
    EXPECT_EQ(f.View->Target->geometry(), target);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    dialogs.Steps = {Press(&Dlg::CancelBtn)};
    QTest::mouseClick(f.View->Shape2, Qt::MiddleButton);
    EXPECT_EQ(dialogs.Shown, QStringList{"Gyorsítóüreg"});
}

TEST_F(CavityEditor, DroppingTheTargetPutsItOnTheAxisAtTheDropColumn) {
    TForm1& f = *form;
    const QColor blue(0, 0, 255);
    ASSERT_EQ(ViewPixel(391, 0), blue);
    SendMouse(f.View->Target, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(1, 1));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    SendMouse(f.View->Target, QEvent::MouseMove, Qt::LeftButton, Across(f.View->Target, f.View->Image1, QPoint(250, 5)));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    SendMouse(f.View->Target, QEvent::MouseMove, Qt::LeftButton, Across(f.View->Target, f.Generator->Panel1, QPoint(20, 20)));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    SendMouse(f.View->Target, QEvent::MouseButtonRelease, Qt::LeftButton, Across(f.View->Target, f.View->Image1, QPoint(250, 5)));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(f.View->Target->geometry(), QRect(13 + 250 - 4, 11 + 41 - 5, 9, 10));
    EXPECT_EQ(f.Data.TargetX, 246.0);
    EXPECT_EQ(ViewPixel(250, 0), blue);  // the rod is redrawn at its new place
    EXPECT_NE(ViewPixel(391, 0), blue);

    Drag(f.View->Image1, QPoint(2, 300));  // left of the source is allowed as well
    EXPECT_EQ(f.View->Target->geometry(), QRect(11, 47, 9, 10));
    EXPECT_EQ(f.Data.TargetX, -2.0);
}

TEST_F(CavityEditor, DropsThatDoNothing) {
    TForm1& f = *form;
    const QRect start = f.View->Target->geometry();
    Drag(f.View->Target, QPoint(7, 8));
    Drag(f.View->Shape2, QPoint(5, 5));
    Drag(f.Simulation->Panel3, QPoint(5, 5));
    Drag(f.View->Image1, QPoint(100, 40), Qt::RightButton);
    EXPECT_EQ(f.View->Target->geometry(), start);
    EXPECT_EQ(f.Data.TargetX, 387.0);
    EXPECT_TRUE(dialogs.Shown.isEmpty());
}

}  // namespace
}  // namespace velox::testing
