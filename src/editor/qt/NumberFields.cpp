#include "editor/qt/NumberFields.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include "core/model/RunControl.h"
#include "editor/model/NumberFields.h"
#include "editor/model/NumberText.h"
#include "ui/qt/Zoom.h"

NumberFields::NumberFields(QWidget& window) : window_(window) {}

void NumberFields::Add(QLineEdit* field, std::function<void(Leave)> leaveHandler) {
    leaveHandlers_.insert(field, std::move(leaveHandler));
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

namespace {

// Whether the user is typing in the field: it has the keyboard focus of the
// active window.  A field that was focused when a dialog or a message box
// opened over the main window is not being typed in while that is open, so
// the run clock and the other fields go on being shown.
bool BeingEdited(const QLineEdit* field) { return field->window()->isActiveWindow() && field->hasFocus(); }

void WriteField(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
    field->deselect();
    field->setCursorPosition(static_cast<int>(text.size()));
}

}  // namespace

void NumberFields::ShowIntegerInField(QLineEdit* field, std::int32_t value) {
    if (BeingEdited(field)) return;
    WriteField(field, PadToFieldWidth(QString::fromStdString(velox::FormatInteger(value)), field));
}

void NumberFields::ShowFloatInField(QLineEdit* field, double value) {
    if (BeingEdited(field)) return;
    WriteField(field, PadToFieldWidth(QString::fromStdString(velox::FormatGeneral(value)), field));
}

void NumberFields::ShowTimeInField(QLineEdit* field, double clock) {
    if (BeingEdited(field)) return;
    WriteField(field, PadToFieldWidth(QString::fromStdString(velox::FormatTimeOfDay(clock)), field));
}

// Measured with the main window's font, not the field's own, against the
// field's width at 100 %.
QString NumberFields::PadToFieldWidth(const QString& text, const QLineEdit* field) const {
    const int width = velox::ui::LogicalGeometryOf(field).width();
    const QFontMetrics metrics(window_.font());
    const auto measure = [&metrics](std::string_view s) {
        return metrics.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    };
    return QString::fromStdString(velox::PadToFieldWidth(text.toStdString(), measure, width));
}
