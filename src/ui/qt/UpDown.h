// A spinner: two arrow buttons.  A click on an arrow goes to OnClick (up
// or down); the position it stands for is the layer's, shown here for
// whoever asks.
#pragma once

#include <functional>

#include <QWidget>

class QToolButton;

namespace velox::ui {

class TUpDown : public QWidget {
public:
    explicit TUpDown(QWidget* parent);

    std::function<void(bool up)> OnClick;
    int Position() const { return position_; }
    void SetPosition(int position) { position_ = position; }

    // One click on an arrow.
    void ClickUp() { Click(true); }
    void ClickDown() { Click(false); }
    QToolButton* UpButton() const { return up_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Click(bool up) {
        if (OnClick) OnClick(up);
    }
    int position_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace velox::ui
