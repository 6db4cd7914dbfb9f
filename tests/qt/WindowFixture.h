// The program's windows, started in a temporary folder that is both the
// program folder and the working folder; questions, file dialogs and modal
// windows are answered from scripts, and a script left unused fails.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "../common/TestFiles.h"
#include "core/qt/Main.h"
#include "editor/qt/Uregadat.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/Msg.h"
#include "ui/qt/Sugo.h"
#include "ui/qt/UpDown.h"

namespace velox::testing {
using ui::TShape;
using Dlg = TUregAdatDlg;

// Answers questions and file choices from scripts and remembers each as
// "title|text", a notice without an icon led by "(plain)".
class ScriptedAsker : public app::Asker {
public:
    std::deque<app::Answer> Answers;           // the next questions' answers
    std::deque<std::optional<QString>> Names;  // the next file dialogs': a name, or cancel
    QStringList Asked;
    QStringList Dialogs;  // "open" or "save", the filter list, its index and the default suffix, by "|"

    void Ask(app::Question q) override {
        Asked << (q.Kind == app::QuestionKind::InformPlain ? "(plain)" : "") + Q(q.Title) + "|" + Q(q.Text);
        const app::Answer a = q.Kind == app::QuestionKind::YesNo ? Pop(Answers, app::Answer::No) : app::Answer::Ok;
        if (q.Then) q.Then(a);
    }
    void Choose(app::FileChoice c) override {
        Dialogs << QStringLiteral("%1|%2|%3|%4")
                       .arg(c.Kind == app::FileDialogKind::Open ? "open" : "save", Q(c.Filter))
                       .arg(c.FilterIndex)
                       .arg(Q(c.DefaultExt));
        const std::optional<QString> name = Pop(Names, std::optional<QString>());
        c.Then(name ? std::optional<std::string>(name->toStdString()) : std::nullopt, c.FilterIndex);
    }
    void ShowCavityDialog(app::CavityDialogRequest) override { ADD_FAILURE() << "the cavity dialog is the window's"; }

private:
    static QString Q(const std::string& s) { return QString::fromStdString(s); }
    template <class T>
    static T Pop(std::deque<T>& script, T none) {
        if (script.empty()) {
            ADD_FAILURE() << "unexpected question or file dialog";
        } else {
            none = std::move(script.front());
            script.pop_front();
        }
        return none;
    }
};

// Processes events until `done` holds or the time is up.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string Text(const QString& s) { return s.toStdString(); }

class WindowTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedAsker asker;
    ui::DialogScript dialogs;
    ui::ScopedDialogScript scopedDialogs{dialogs};
    QString previousFolder = QDir::currentPath();
    std::unique_ptr<TForm1> form;

    virtual void PrepareProgramFolder() {}  // files there before the start
    QString ProgramDir() const { return Q(dir.Path()) + "/"; }

    void SetUp() override {
        ASSERT_TRUE(QDir::setCurrent(Q(dir.Path())));
        PrepareProgramFolder();
        form = std::make_unique<TForm1>();
        form->Asker.Instead = &asker;
        form->UregAdatDlg = new TUregAdatDlg(form.get());
        form->MsgDlg = new TMsgDlg(form.get());
        form->Form3 = new TForm3(form.get());
        form->ProgramDir = ProgramDir();
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(WaitFor([this] { return form->ActivationDone; })) << "start-up did not finish";
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previousFolder);
        EXPECT_TRUE(asker.Answers.empty() && asker.Names.empty()) << "questions or file dialogs not asked";
        EXPECT_TRUE(dialogs.Steps.empty()) << "windows expected but not shown";
        EXPECT_EQ(dialogs.Unanswered + dialogs.LeftOpen, 0) << "a window shown unexpected or left open";
    }

    QColor ViewPixel(int x, int y) const { return form->View->ViewBuffer.pixelColor(x, y); }
    // Types into a number field, then presses Enter or moves the focus away.
    void Type(QLineEdit* field, const QString& text, bool enter = true) {
        field->setFocus();
        field->setText(text);
        if (enter)
            QTest::keyClick(field, Qt::Key_Return);
        else
            form->Control<QPushButton>("Button2")->setFocus();
    }
    // A refused entry: the focus back in the field, its whole text selected.
    static void ExpectRefused(QLineEdit* field, const QString& text) {
        EXPECT_TRUE(field->hasFocus()) << Text(text);
        EXPECT_EQ(field->selectedText(), text) << Text(text);
    }
    // n cavities, the k-th of sizes 16 + k, 40 + k, 12 + k, 20 + k.
    void SetCavities(int n) {
        form->Data.Cavities.SetCavityCount(0);
        for (int k = 0; k < n; ++k) form->Data.Cavities.Append({16.0 + k, 40.0 + k, 12.0 + k, 20.0 + k});
        form->Data.BuildCavities();
        form->View->DrawAcceleratorView();
    }
    static void RightClick(TShape* marker) { QTest::mouseClick(marker, Qt::RightButton); }
    // A step that works on a modal window of type W.
    template <class W>
    static ui::DialogScript::Step On(const std::function<void(W&)>& work) {
        return [work](QDialog& d) {
            auto* w = dynamic_cast<W*>(&d);
            ASSERT_NE(w, nullptr) << Text(d.windowTitle());
            work(*w);
        };
    }
    static ui::DialogScript::Step Press(QPushButton* Dlg::*button) {
        return On<Dlg>([button](Dlg& d) { (d.*button)->click(); });
    }
};

}  // namespace velox::testing
