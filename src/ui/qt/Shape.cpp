#include "ui/qt/Shape.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace velox::ui {

TShape::TShape(QWidget* parent, Kind kind) : Logical<QWidget>(parent), kind_(kind) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TShape::Invalidate() {
    picture_ = QImage();
    update();
}

void TShape::SetShapeKind(Kind kind) {
    if (kind_ == kind) return;
    kind_ = kind;
    Invalidate();
}

void TShape::SetBrushColor(const QColor& colour) {
    if (brush_ == colour) return;
    brush_ = colour;
    Invalidate();
}

void TShape::SetPenColor(const QColor& colour) {
    if (pen_ == colour) return;
    pen_ = colour;
    Invalidate();
}

void TShape::SetPenWidth(int width) {
    if (penWidth_ == width) return;
    penWidth_ = width;
    Invalidate();
}

void TShape::resizeEvent(QResizeEvent*) { picture_ = QImage(); }

void TShape::paintEvent(QPaintEvent*) {
    const double ratio = devicePixelRatioF();
    const QSize device = QWidget::size() * ratio;
    if (picture_.size() != device) {
        picture_ = QImage(device, QImage::Format_ARGB32_Premultiplied);
        picture_.fill(Qt::transparent);
        Render(picture_, ZoomOf(this) * ratio);
        picture_.setDevicePixelRatio(ratio);
    }
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void TShape::Render(QImage& picture, double scale) const {
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int w = picture.width(), h = picture.height();
    // The outline's width in device pixels.
    const int penWidth = std::max(1, static_cast<int>(std::lround(std::max(penWidth_, 1) * scale)));
    if (kind_ == Kind::Rectangle && (brush_ == pen_ || penWidth == 1)) {
        p.fillRect(picture.rect(), brush_);
        if (brush_ != pen_) {
            p.setPen(QPen(pen_, 0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(0, 0, w - 1, h - 1);
        }
        return;
    }
    p.setBrush(brush_);
    if (penWidth == 1) {
        // A pen of width 0 or 1 draws a one-pixel outline inside the box.
        p.setPen(QPen(pen_, 0));
        if (kind_ == Kind::Circle)
            p.drawEllipse(0, 0, w - 1, h - 1);
        else
            p.drawRect(0, 0, w - 1, h - 1);
        return;
    }
    QPen pen(pen_, penWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    const qreal half = penWidth / 2.0;
    const QRectF box(half, half, w - penWidth, h - penWidth);
    if (kind_ == Kind::Circle)
        p.drawEllipse(box);
    else
        p.drawRect(box);
}

void TShape::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(*this, *event);
    else
        QWidget::mousePressEvent(event);
}

void TShape::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(*this, *event);
    else
        QWidget::mouseMoveEvent(event);
}

void TShape::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp)
        OnMouseUp(*this, *event);
    else
        QWidget::mouseReleaseEvent(event);
}

QColor ToQColor(const Colour& c) { return QColor(c.R, c.G, c.B); }

void ApplyShapeState(TShape& shape, const ShapeState& s, QPoint origin) {
    shape.SetShapeKind(s.Circle ? TShape::Kind::Circle : TShape::Kind::Rectangle);
    shape.SetBrushColor(ToQColor(s.Fill));
    shape.SetPenColor(ToQColor(s.Outline));
    shape.SetPenWidth(s.OutlineWidth);
    shape.SetTag(s.Tag);
    const QRect geometry(s.Left - origin.x(), s.Top - origin.y(), s.Width, s.Height);
    if (shape.geometry() != geometry) shape.setGeometry(geometry);
    if (shape.isVisibleTo(shape.parentWidget()) != s.Visible) shape.setVisible(s.Visible);
    if (shape.AppliedFrontStamp != s.FrontStamp) {
        shape.AppliedFrontStamp = s.FrontStamp;
        shape.BringToFront();
    }
}

TShape* NewMarker(QWidget* parent, const QString& name, int left, int top, const ShapeState& state) {
    auto* s = new TShape(parent, state.Circle ? TShape::Kind::Circle : TShape::Kind::Rectangle);
    s->setObjectName(name);
    s->setGeometry(left, top, state.Width, state.Height);
    s->SetBrushColor(ToQColor(state.Fill));
    s->SetPenColor(ToQColor(state.Outline));
    s->SetPenWidth(state.OutlineWidth);
    s->SetTag(state.Tag);
    s->setVisible(state.Visible);
    return s;
}

}  // namespace velox::ui
