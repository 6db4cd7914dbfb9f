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

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

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

// Controls at (left, top) of their parent.  Labels and check boxes take the
// size of their caption, edits are 21 pixels and buttons 25 pixels high.
QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, int left, int top);
QLabel* NewHeading(QWidget* parent, const char* name, const QString& caption, int left, int top);  // bold
QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text, int left, int top, int width);
QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width);
QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, int left, int top, bool checked);
TPanel* NewPanel(QWidget* parent, const char* name, int left, int top, int width, int height);

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
