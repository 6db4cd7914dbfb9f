// The start-up: the defaults shown, a first activation that runs once, and
// a start-up file that falls short.
#include "WindowFixture.h"

namespace velox::testing {
namespace {

using StartUp = WindowTest;

// Without a start-up file: every widget shows the layer's state of its
// control, and the view lies in its frame.
TEST_F(StartUp, DefaultsWithoutTheStartUpFile) {
    TForm1& f = *form;
    int compared = 0;
    for (const auto& [name, state] : f.App.Controls.All()) {
        QObject* o = f.Control<QObject>(name.c_str());
        QString shown;
        bool enabled = true, checked = false;
        if (auto* e = qobject_cast<QLineEdit*>(o))
            std::tie(shown, enabled) = std::tuple(e->text(), e->isEnabled());
        else if (auto* b = qobject_cast<QAbstractButton*>(o))
            std::tie(shown, enabled, checked) = std::tuple(b->text(), b->isEnabled(), b->isChecked());
        else if (auto* a = qobject_cast<QAction*>(o))
            std::tie(shown, enabled) = std::tuple(a->text(), a->isEnabled());
        else if (auto* l = qobject_cast<QLabel*>(o))
            std::tie(shown, enabled) = std::tuple(l->text().replace('\n', '\r'), l->isEnabled());
        else
            continue;
        ++compared;
        EXPECT_EQ(std::tuple(Text(shown.trimmed()), enabled, checked),
                  std::tuple(Text(Q(state.Text).trimmed()), state.Enabled, state.Checked))
            << name;
    }
    EXPECT_GT(compared, 70);
    EXPECT_EQ(std::tuple(f.Data.TargetX, f.Control<QComboBox>("ComboBox1")->currentText(), f.Timer2->isActive()),
              std::tuple(387.0, QString("5"), false));
    EXPECT_EQ(std::tuple(f.Control<ui::TShape>("Shape46")->BrushColor(), f.View->Image1->geometry(),
                         f.View->ViewBuffer.size()),
              std::tuple(QColor(136, 34, 0), QRect(13, 11, 607, 360), QSize(607, 360)));  // the view in its frame
}

// Qt activates the window again after every modal dialog; nothing is reset.
TEST_F(StartUp, FirstActivationDoesNotRunAgainAfterAModalDialog) {
    TForm1& f = *form;
    f.Data.Cavities.SetCavityCount(1);
    int activations = 0;
    ui::EventHook hook([&activations](QObject*, QEvent* e) {
        activations += e->type() == QEvent::WindowActivate;
        return false;
    });
    f.installEventFilter(&hook);
    QDialog dialog(&f);
    QTimer::singleShot(50, &dialog, &QDialog::accept);
    dialog.exec();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(WaitFor([&] { return activations > 0; }));
    f.removeEventFilter(&hook);
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 1);
}

// A window manager may show a window without activating it.
class NeverActivated : public TForm1 {
protected:
    bool event(QEvent* e) override {
        return e->type() == QEvent::WindowActivate ? QMainWindow::event(e) : TForm1::event(e);
    }
};

TEST(StartUpWithoutActivation, DefaultsAreInstalledAnyway) {
    ScriptedAsker asker;
    NeverActivated f;
    f.Asker.Instead = &asker;
    f.show();
    ASSERT_TRUE(WaitFor([&] { return f.ActivationDone; }));
    EXPECT_EQ(f.Data.Cavities.CavityCount(), 2);
    EXPECT_TRUE(f.Control<QPushButton>("Button1")->isEnabled());
}

// A start-up file that holds fewer cavities than it announces: the warning
// comes as a message box without an icon.
class ShortStartUpFile : public WindowTest {
protected:
    void PrepareProgramFolder() override {
        WriteBytes(dir / "teszt02.gydat", "Cavity num =3\r\nCavity =\t16\t40\t16\t50\r\nCavity =\t16\t60\t16\r\n");
    }
};

TEST_F(ShortStartUpFile, WarnsWithoutAnIconAndKeepsWhatWasRead) {
    EXPECT_EQ(asker.Asked, QStringList{"(plain)***WARNING ***|Not all cavities could be read correctly"});
    EXPECT_EQ(form->Data.Cavities.CavityCount(), 1);
    EXPECT_FALSE(form->Control<ui::TShape>("Shape2")->isVisible());
    EXPECT_TRUE(form->Control<QPushButton>("Button1")->isEnabled());
}

}  // namespace
}  // namespace velox::testing
