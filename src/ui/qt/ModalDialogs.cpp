#include "ui/qt/ModalDialogs.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include "ui/qt/Zoom.h"

namespace velox::ui {

namespace {
DialogScript* script = nullptr;
}  // namespace

ScopedDialogScript::ScopedDialogScript(DialogScript& s) : previous_(script) { script = &s; }
ScopedDialogScript::~ScopedDialogScript() { script = previous_; }

int ShowModal(QDialog& dialog) {
    if (script) {
        DialogScript* const s = script;
        s->Shown << dialog.windowTitle();
        DialogScript::Step step;
        if (!s->Steps.empty()) {
            step = std::move(s->Steps.front());
            s->Steps.pop_front();
        }
        // Runs once exec() below has shown the window and entered its loop.
        QPointer<QDialog> window(&dialog);
        QTimer::singleShot(0, &dialog, [window, step, s] {
            if (step) step(*window);
            if (window && window->isVisible()) {
                ++(step ? s->LeftOpen : s->Unanswered);
                window->done(mrCancel);
            }
        });
    }
    // A dialog opens at the zoom of the window it belongs to.
    ZoomDialog(dialog);
    return dialog.exec();
}

void CentreOnScreen(QDialog& dialog) {
    const QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = dialog.frameGeometry();
    dialog.move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

}  // namespace velox::ui
