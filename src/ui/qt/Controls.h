// Small container controls of the windows: a panel (a raised frame with a
// background colour of its own) and a bevel (a sunken frame line).
#pragma once

#include <functional>

#include <QFrame>

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

}  // namespace velox::ui
