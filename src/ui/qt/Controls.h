// Small container controls of the windows: a panel (a raised frame with a
// background colour of its own) and a bevel (a sunken frame line); and the
// making of the main window's controls at their places from the layout
// table (ui/app/Layout.h), each carrying its name as its objectName.
#pragma once

#include <functional>
#include <span>
#include <string>

#include <QFrame>
#include <QString>

class QLabel;
class QMenuBar;

namespace velox::app {
class ControlSet;
struct LayoutControl;
}  // namespace velox::app

namespace velox::ui {

class TPanel : public QFrame {
public:
    explicit TPanel(QWidget* parent);
    void SetColor(const QColor& colour);
    QColor Color() const;

    std::function<void(TPanel&, QMouseEvent&)> OnMouseUp;
    std::function<void(TPanel&, QMouseEvent&)> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TBevel : public QFrame {
public:
    explicit TBevel(QWidget* parent);
};

// Gives `control` its name and returns it.
template <class Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

// Creates the controls of `layout` in its order: those of the client area
// (or of a dialog) under `client`, the menus and their items in `menu`.
// Each starts with its caption or text, check, choice, position and
// visibility from `controls` where the layer keeps it, else with the
// table's text; `marker` makes each marker shape, which the model places.
void BuildLayout(QWidget& client, std::span<const app::LayoutControl> layout, const app::ControlSet* controls,
                 QMenuBar* menu = nullptr,
                 const std::function<QWidget*(QWidget& parent, const char* name)>& marker = {});

// The object named `name` under `root`, when it is a T.
template <class T>
T* Child(const QObject& root, const QString& name) {
    return dynamic_cast<T*>(root.findChild<QObject*>(name));
}

// Sets a label's caption from UTF-8 text; a CR starts a new line.
void SetCaption(QLabel* label, const std::string& text);

}  // namespace velox::ui
