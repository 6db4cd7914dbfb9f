#include "editor/qt/NumberFields.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

void NumberFields::Add(QLineEdit* field, std::function<void(Leave)> leave) {
    leaveHandlers_.insert(field, std::move(leave));
    field->installEventFilter(this);
}

void NumberFields::Edit10Click(QObject* sender) {
    if (auto* field = qobject_cast<QLineEdit*>(sender)) field->selectAll();
}

bool NumberFields::Edit10KeyPress(QObject* sender, int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (const auto handler = leaveHandlers_.value(sender)) handler(Leave::EnterPressed);
    return true;
}

// Two fields that both refuse their text must not take the focus from each
// other forever: while one field takes the focus back, the field that loses
// it is not checked.
void NumberFields::RefuseEntry(QLineEdit* field) {
    if (refusingEntry_) return;
    QScopedValueRollback<bool> guard(refusingEntry_, true);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

// Each field handles its own event first (a release places the caret, a
// focus loss clears the selection); the window's rule comes after it.
bool NumberFields::eventFilter(QObject* watched, QEvent* e) {
    const auto handler = leaveHandlers_.constFind(watched);
    if (handler == leaveHandlers_.constEnd() || !qobject_cast<QLineEdit*>(watched)) return false;
    switch (e->type()) {
    case QEvent::MouseButtonRelease:
        watched->event(e);
        Edit10Click(watched);
        return true;
    case QEvent::KeyPress:
        return Edit10KeyPress(watched, static_cast<QKeyEvent*>(e)->key());
    case QEvent::FocusOut: {
        // Only a move of the focus to another control of this window leaves
        // a field; the window losing the focus to a dialog or a menu does
        // not.  While a refused field takes the focus back, the field that
        // loses it is not checked.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || refusingEntry_) return false;
        watched->event(e);
        (*handler)(Leave::FocusMoved);
        return true;
    }
    default:
        return false;
    }
}
