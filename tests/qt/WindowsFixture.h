// The program's four windows, started in a temporary folder that is both the
// program folder and the working folder.  Questions, file dialogs and modal
// windows are answered from scripts.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>

#include "../common/TestFiles.h"
#include "WindowFixture.h"
#include "editor/qt/Uregadat.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/Msg.h"
#include "ui/qt/Sugo.h"

namespace velox::testing {

// Also answers the file dialogs, and tells notices with an icon from plain ones.
class FilePrompter : public ScriptedPrompter {
public:
    struct FileDialog {
        bool Save = false;
        QString Filters;
        int FilterIndex = 0;
        QString DefaultSuffix;
    };
    QList<FileDialog> Dialogs;                 // every file dialog shown
    std::deque<std::optional<QString>> Names;  // the answers: a name, or cancel

    void InformPlain(const QString& text, const QString& title) override {
        Asked << QStringLiteral("(plain)") + title + QLatin1Char('|') + text;
    }
    std::optional<QString> OpenFileName(const QString& f, int i, const QString& s) override {
        return Answer(false, f, i, s);
    }
    std::optional<QString> SaveFileName(const QString& f, int i, const QString& s) override {
        return Answer(true, f, i, s);
    }

private:
    std::optional<QString> Answer(bool save, const QString& f, int i, const QString& s) {
        Dialogs.append({save, f, i, s});
        if (Names.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return std::nullopt;
        }
        auto name = Names.front();
        Names.pop_front();
        return name;
    }
};

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string Text(const QString& s) { return s.toStdString(); }

// A mouse event sent straight to `w` at `local`; a move carries `button` as held.
inline void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint local) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)),
                  type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The point `p` of `to` in the coordinates of `from`.
inline QPoint Across(QWidget* from, QWidget* to, QPoint p) { return from->mapFromGlobal(to->mapToGlobal(p)); }

class WindowsTest : public ::testing::Test {
protected:
    TempDir dir;
    FilePrompter prompter;
    ui::ScopedPrompter scopedPrompter{prompter};
    ui::DialogScript dialogs;
    ui::ScopedDialogScript scopedDialogs{dialogs};
    QString previousFolder = QDir::currentPath();
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TUregAdatDlg> cavityDialog;
    std::unique_ptr<TMsgDlg> msgDlg;
    std::unique_ptr<TForm3> form3;

    virtual void PrepareProgramFolder() {}  // files there before the start
    QString ProgramDir() const { return Q(dir.Path()) + QLatin1Char('/'); }

    void SetUp() override {
        ASSERT_TRUE(QDir::setCurrent(Q(dir.Path())));
        PrepareProgramFolder();
        form = std::make_unique<TForm1>();
        cavityDialog = std::make_unique<TUregAdatDlg>();
        msgDlg = std::make_unique<TMsgDlg>();
        form3 = std::make_unique<TForm3>();
        form->UregAdatDlg = cavityDialog.get();
        form->MsgDlg = msgDlg.get();
        form->Form3 = form3.get();
        form->ProgramDir = form3->ProgramDir = ProgramDir();
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(WaitFor([this] { return form->ActivationDone; })) << "start-up did not finish";
    }

    void TearDown() override {
        form->Timer2->stop();
        form3.reset();
        msgDlg.reset();
        cavityDialog.reset();
        form.reset();
        QDir::setCurrent(previousFolder);
        EXPECT_TRUE(prompter.Answers.empty()) << "questions expected but not asked";
        EXPECT_TRUE(prompter.Names.empty()) << "file dialogs expected but not shown";
        EXPECT_TRUE(dialogs.Steps.empty()) << "windows expected but not shown";
        EXPECT_EQ(dialogs.Unanswered, 0) << "a window was shown that no step expected";
        EXPECT_EQ(dialogs.LeftOpen, 0) << "a step left its window open";
    }

    QColor ViewPixel(int x, int y) const { return form->View->ViewBuffer.pixelColor(x, y); }

    // A step that works on a modal window of type W.
    template <class W>
    static ui::DialogScript::Step On(const std::function<void(W&)>& work) {
        return [work](QDialog& d) {
            auto* w = dynamic_cast<W*>(&d);
            ASSERT_NE(w, nullptr) << d.windowTitle().toStdString();
            work(*w);
        };
    }
};

}  // namespace velox::testing
