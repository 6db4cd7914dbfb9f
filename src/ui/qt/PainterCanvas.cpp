#include "ui/qt/PainterCanvas.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPolygonF>

#include "ui/qt/Shape.h"

namespace velox::ui {

PainterCanvas::PainterCanvas(QPainter& painter, const QFont& font) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(font);
    ascent_ = QFontMetrics(font).ascent();
    SetPen(colours::Black, 1);
}

PainterCanvas::~PainterCanvas() { Flush(); }

void PainterCanvas::Flush() {
    if (line_.size() >= 2) {
        if (lineShift_ == 0)
            painter_.drawPolyline(line_);
        else
            painter_.drawPolyline(QPolygonF(line_).translated(lineShift_, lineShift_));
    }
    line_.clear();
}

void PainterCanvas::FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour c) {
    Flush();
    if (r > l && b > t) painter_.fillRect(QRect(l, t, r - l, b - t), ToQColor(c));
}

void PainterCanvas::SetPen(Colour c, std::int32_t width) {
    Flush();
    // Square ends and mitred corners keep the electrodes' corners closed.
    // On a scaled painter (a zoomed window, a screen of more device pixels,
    // the export's larger picture) a line covers whole device pixels: its
    // width scaled and rounded, at least one.
    const int penWidth = std::max(width, 1);
    const qreal scale = painter_.deviceTransform().m11();
    if (scale == 1) {
        painter_.setPen(QPen(ToQColor(c), penWidth == 1 ? 0 : penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        lineShift_ = 0;
        return;
    }
    const qreal devicePixels = std::max<qreal>(1, std::round(penWidth * scale));
    painter_.setPen(QPen(ToQColor(c), devicePixels / scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    lineShift_ = penWidth % 2 == 1 ? 0.5 : 0.0;
}

void PainterCanvas::MoveTo(std::int32_t x, std::int32_t y) {
    Flush();
    pen_ = QPoint(x, y);
}

void PainterCanvas::LineTo(std::int32_t x, std::int32_t y) {
    if (line_.isEmpty()) line_ << pen_;
    pen_ = QPoint(x, y);
    line_ << pen_;
}

void PainterCanvas::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour fill) {
    Flush();
    painter_.setBrush(ToQColor(fill));
    painter_.drawEllipse(QRect(l, t, r - l, b - t));
    painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour,
                            Colour background) {
    Flush();
    const QPen pen = painter_.pen();
    painter_.setPen(ToQColor(textColour));
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(ToQColor(background));
    painter_.drawText(QPoint(x, y + ascent_), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(pen);
}

void PainterCanvas::TextOver(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour) {
    Flush();
    const QPen pen = painter_.pen();
    painter_.setPen(ToQColor(textColour));
    painter_.drawText(QPoint(x, y + ascent_), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter_.setPen(pen);
}

}  // namespace velox::ui
