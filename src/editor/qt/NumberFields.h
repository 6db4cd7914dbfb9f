// The window's side of its number fields: a click selects the whole text,
// Enter and a move of the focus to another control of the window leave the
// field (the layer's Exit command), and a refused entry takes the focus
// back with its text selected.  Every panel's number fields use the
// window's one instance.
#pragma once

#include <functional>

#include <QHash>
#include <QObject>
#include <QString>

#include "editor/app/FieldRules.h"

class QLineEdit;

using velox::app::Leave;

class NumberFields : public QObject {
public:
    // Makes `field` a number field: its leave runs `leave`.
    void Add(QLineEdit* field, std::function<void(Leave)> leave);

    void Edit10Click(QObject* sender);
    // Returns true when the key was the Enter key and has been handled.
    bool Edit10KeyPress(QObject* sender, int key);
    void RefuseEntry(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, std::function<void(Leave)>> leaveHandlers_;
    bool refusingEntry_ = false;
};
