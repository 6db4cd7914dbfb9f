// Every window of the program that is shown modally (the cavity dialog, the
// quit confirmation, the exercise text) is shown through ShowModal, so that
// the tests can work such a window as a person would, without a person.
#pragma once

#include <deque>
#include <functional>

#include <QStringList>

class QDialog;

namespace velox::ui {

// The modal results a dialog closes with.  OK and Cancel are Qt's own
// Accepted and Rejected; Abort is the delete button of the cavity dialog.
enum ModalResult { mrCancel = 0, mrOk = 1, mrAbort = 3 };

// Shows `dialog` modally (a nested event loop: the main window's timers go
// on) and returns the result it closed with.
int ShowModal(QDialog& dialog);

// A script for the modal windows of a test.  Each step is handed the next
// window once it is shown and running its event loop, and works it as a
// person would (types, presses keys, clicks buttons); it must end with the
// window closed.  A window shown with no step left, or left open by its
// step, is closed with Cancel and counted, so a test never hangs.
class DialogScript {
public:
    using Step = std::function<void(QDialog&)>;
    std::deque<Step> Steps;
    QStringList Shown;   // captions of the windows shown, in order
    int Unanswered = 0;  // windows shown with no step left
    int LeftOpen = 0;    // windows that their step did not close
};

// Installs a script for the life of this object; the previous one (or none:
// a person answers) comes back afterwards.
class ScopedDialogScript {
public:
    explicit ScopedDialogScript(DialogScript& script);
    ~ScopedDialogScript();
    ScopedDialogScript(const ScopedDialogScript&) = delete;
    ScopedDialogScript& operator=(const ScopedDialogScript&) = delete;

private:
    DialogScript* previous_;
};

// Places a window of the given size in the middle of the screen it is on.
void CentreOnScreen(QDialog& dialog);

}  // namespace velox::ui
