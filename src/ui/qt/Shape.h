// The shape control of the main window: a rectangle or a circle with a fill
// colour, an outline colour and width, a tag and visibility, lying over the
// other controls of its parent.  Cavity markers, particle markers, the
// target, the frame bars, the phase bars and the spectrum marker lines are
// all shapes.  A shape is drawn in device pixels at its size shown, its
// outline as many whole device pixels wide as its width covers (at least one).
#pragma once

#include <functional>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "core/model/Shapes.h"
#include "ui/qt/Zoom.h"

namespace velox::ui {

class TShape : public Logical<QWidget> {
public:
    enum class Kind { Rectangle, Circle };

    explicit TShape(QWidget* parent, Kind kind = Kind::Rectangle);

    void SetShapeKind(Kind kind);
    QColor BrushColor() const { return brush_; }
    void SetBrushColor(const QColor& colour);
    void SetPenColor(const QColor& colour);
    void SetPenWidth(int width);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    void BringToFront() { raise(); }

    // The FrontStamp of the model state last applied (see ApplyShapeState).
    unsigned AppliedFrontStamp = 0;

    // Mouse handlers the window may bind: a press on the shape, a move while
    // a button pressed on it is held (wherever the mouse is), and the release
    // of that button.
    std::function<void(TShape&, QMouseEvent&)> OnMouseDown;
    std::function<void(TShape&, QMouseEvent&)> OnMouseMove;
    std::function<void(TShape&, QMouseEvent&)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The shape is drawn once into a picture of its own and only copied on
    // the screen until its form, colours or size change: the markers lie
    // over the accelerator view, which is repainted after every step.
    void Render(QImage& picture, double scale) const;
    void Invalidate();
    QImage picture_;
    Kind kind_;
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
    int penWidth_ = 1;
    int tag_ = 0;
};

QColor ToQColor(const Colour& c);

// Copies a model shape state onto the control: geometry, form, colours,
// tag and visibility.  The state's position is in the window's client
// area; `origin` is where the shape's parent lies there.  The shape is
// raised only when the state's FrontStamp differs from the one last applied.
void ApplyShapeState(TShape& shape, const ShapeState& state, QPoint origin = {});

// A marker shape at (left, top) with the size, form, colours, tag and
// visibility of the model's state of it.
TShape* NewMarker(QWidget* parent, const QString& name, int left, int top, const ShapeState& state);

}  // namespace velox::ui
