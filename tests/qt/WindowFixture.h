// A started main window for the widget tests, and a prompter that answers
// from a script and remembers what it was asked.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include "core/qt/Main.h"
#include "ui/qt/Prompts.h"
#include "ui/qt/UpDown.h"

namespace velox::testing {
using ui::TShape;

class ScriptedPrompter : public ui::Prompter {
public:
    std::deque<ui::Answer> Answers;  // the answers to the next questions
    QStringList Asked;               // "title|text" of every question and notice

    ui::Answer Ask(const QString& text, const QString& title) override {
        Asked << title + QLatin1Char('|') + text;
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return ui::Answer::No;
        }
        const ui::Answer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    void Inform(const QString& text, const QString& title) override { Asked << title + QLatin1Char('|') + text; }
    void InformPlain(const QString& text, const QString& title) override {
        Asked << title + QLatin1Char('|') + text;
    }
    void Error(const QString& text, const QString& title) override { Asked << title + QLatin1Char('|') + text; }
    std::optional<QString> OpenFileName(const QString&, int, const QString&) override { return std::nullopt; }
    std::optional<QString> SaveFileName(const QString&, int, const QString&) override { return std::nullopt; }
};

// Processes events until `done` holds or the time is up.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class WindowTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
    ui::ScopedPrompter scoped{prompter};
    std::unique_ptr<TForm1> form;

    void SetUp() override {
        form = std::make_unique<TForm1>();
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(WaitFor([this] { return form->ActivationDone; })) << "start-up did not finish";
    }
    void TearDown() override {
        form->Timer2->stop();
        form.reset();
        EXPECT_TRUE(prompter.Answers.empty()) << "questions expected but not asked";
    }

    QColor ViewPixel(int x, int y) const { return form->View->ViewBuffer.pixelColor(x, y); }
};

}  // namespace velox::testing
