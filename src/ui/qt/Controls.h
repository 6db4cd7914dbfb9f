// Small container controls of the windows: a panel (a raised frame with a
// background colour of its own) and a bevel (a sunken frame line); and the
// making of the main window's controls at their places, each carrying the
// name of the window's definition as its objectName.
#pragma once

#include <functional>
#include <string>

#include <QFrame>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

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

// Sets a label's caption from UTF-8 text; a CR starts a new line.
void SetCaption(QLabel* label, const std::string& text);

}  // namespace velox::ui
