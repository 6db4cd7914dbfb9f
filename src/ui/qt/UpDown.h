// A spinner: two arrow buttons that step a position within Min … Max by
// one, without wrap-around, and write it into the edit they are bound to
// (whose change handler then applies it).
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace velox::ui {

class TUpDown : public QWidget {
public:
    TUpDown(QWidget* parent, int min, int max, int position);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Sets the position (held within Min … Max) and writes it into the bound
    // edit, as a click does.
    void SetPosition(int position);
    void SetAssociate(QLineEdit* edit);

    // One click on an arrow.
    void ClickUp() { Step(+1); }
    void ClickDown() { Step(-1); }
    QToolButton* UpButton() const { return up_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);
    void WriteAssociate();
    int min_, max_, position_;
    QLineEdit* associate_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace velox::ui
