// The model's drawing surface on a QPainter: no antialiasing, the pen's
// move-to and line-to chains drawn as connected polylines.  On a scaled
// painter (a picture drawn larger) lines are as wide as the picture is
// scaled, rounded to whole device pixels, and cover the pixels they cover
// unscaled.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPolygon>

#include "core/model/Canvas.h"

namespace velox::ui {

class PainterCanvas : public Canvas {
public:
    PainterCanvas(QPainter& painter, const QFont& font);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  Colour colour) override;
    void SetPen(Colour colour, std::int32_t width) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                 Colour fill) override;
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour,
                 Colour background) override;
    void TextOver(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour) override;
    // Draws the pending line; done before every other operation and at the end.
    void Flush();

private:
    QPainter& painter_;
    QPolygon line_;
    QPoint pen_{0, 0};
    // Where an unscaled line of the pen's width lies from its points: half a
    // pixel right and down for an odd width.
    qreal lineShift_ = 0;
    int ascent_;
};

}  // namespace velox::ui
