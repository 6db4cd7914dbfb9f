// An image control: shows its picture, a bitmap of its own logical size
// drawn in logical pixels, at (0, 0).  The bitmap holds a device pixel for
// every pixel shown: its pixel ratio is the window's zoom times the
// screen's, so a painter on it draws at the size shown, never enlarged.
#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

#include "ui/qt/Zoom.h"

namespace velox::ui {

class TImage : public Logical<QWidget> {
public:
    explicit TImage(QWidget* parent);

    const QImage& Picture() const { return picture_; }
    // Gives the control a new bitmap of its present size, filled with `fill`.
    void NewBitmap(const QColor& fill = Qt::white);
    // A bitmap of `size` logical pixels at the pixel ratio of this control's
    // pictures, filled with `fill`.
    QImage NewPicture(QSize size, const QColor& fill) const;
    // The control shown at its zoom; a change of scale makes a new bitmap
    // and asks for the picture again.
    void Rescale() override;
    std::function<void()> OnRescaled;
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
    QColor fill_ = Qt::white;
};

}  // namespace velox::ui
