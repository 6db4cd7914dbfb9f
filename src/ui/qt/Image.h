// An image control: shows its picture, a bitmap of its own size, at (0, 0).
#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

namespace velox::ui {

class TImage : public QWidget {
public:
    explicit TImage(QWidget* parent);

    const QImage& Picture() const { return picture_; }
    // Gives the control a new bitmap of its present size, filled with `fill`.
    void NewBitmap(const QColor& fill = Qt::white);
    // Copies a whole picture onto the control's bitmap and shows it.
    void CopyFrom(const QImage& picture);
    // Draw directly on the control's bitmap, then call Changed().
    QImage& Canvas() { return picture_; }
    void Changed() { update(); }

    std::function<void(TImage&, QMouseEvent&)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

}  // namespace velox::ui
