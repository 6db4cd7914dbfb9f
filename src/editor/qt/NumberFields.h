// The rules shared by the main window's number fields: a click selects the
// whole text, Enter runs the field's leave handler, a refused entry takes
// the focus back with its text selected, an accepted one is stored and,
// after Enter, the focus moves on; values are written right-aligned, never
// into the field being typed in.  Every panel with number fields uses the
// window's one instance.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QHash>
#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;

// How a leave handler was reached: the focus really left the field, or
// Enter was pressed in it (Edit10KeyPress).
enum class Leave { FocusMoved, EnterPressed };

class NumberFields : public QObject {
public:
    // `window` is the main window: its font measures the padding.
    explicit NumberFields(QWidget& window);

    // Makes `field` a number field with its leave handler.
    void Add(QLineEdit* field, std::function<void(Leave)> leaveHandler);

    // The control that takes the focus after Enter has been accepted in a
    // field ("Több részecske").
    QWidget* FocusAfterEnter = nullptr;

    void Edit10Click(QObject* sender);
    // Returns true when the key was the Enter key and has been handled.
    bool Edit10KeyPress(QObject* sender, int key);
    void RefuseEntry(QLineEdit* field);

    // Leaving a field: no value (the text did not convert or lies outside
    // the field's range) refuses the entry and nothing else happens;
    // otherwise `store` takes the value, Enter moves the focus on, and the
    // follow-up steps run.
    template <class Value, class Store, class FollowUp>
    void LeaveField(QLineEdit* field, Leave how, const std::optional<Value>& value, Store&& store,
                    FollowUp&& followUp) {
        if (!value) {
            RefuseEntry(field);
            return;
        }
        store(*value);
        if (how == Leave::EnterPressed && FocusAfterEnter) FocusAfterEnter->setFocus(Qt::OtherFocusReason);
        followUp();
    }

    void ShowIntegerInField(QLineEdit* field, std::int32_t value);
    void ShowFloatInField(QLineEdit* field, double value);
    void ShowTimeInField(QLineEdit* field, double clock);
    QString PadToFieldWidth(const QString& text, const QLineEdit* field) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QHash<QObject*, std::function<void(Leave)>> leaveHandlers_;
    bool refusingEntry_ = false;
};
