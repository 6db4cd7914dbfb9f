#include "results/qt/SpectrumPlot.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include "ui/qt/Controls.h"
#include "ui/qt/Image.h"
#include "ui/qt/PainterCanvas.h"
#include "ui/qt/Shape.h"

namespace velox::ui {
namespace {

void DrawLines(Canvas& canvas, const std::vector<PlotLine>& lines) {
    for (const PlotLine& l : lines) {
        canvas.MoveTo(l.x1, l.y1);
        canvas.LineTo(l.x2, l.y2);
    }
}

void DrawTexts(Canvas& canvas, const std::vector<PlotText>& texts) {
    for (const PlotText& t : texts) canvas.TextOut(t.x, t.y, t.text, colours::White, colours::Black);
}

void DrawAxesOn(Canvas& canvas, QSize size, const AxesGeometry& g) {
    canvas.FillRect(0, 0, size.width(), size.height(), colours::Black);
    canvas.SetPen(colours::White, 1);
    DrawLines(canvas, g.Axes);
    DrawLines(canvas, g.CountTicks);
    DrawLines(canvas, g.ChannelTicks);
    DrawTexts(canvas, g.CountLabels);
    DrawTexts(canvas, g.ChannelLabels);
}

}  // namespace

TextMetrics PlotTextMetrics(const QFont& font) {
    const QFontMetrics metrics(font);
    return {[metrics](std::string_view s) {
                return metrics.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
            },
            metrics.height()};
}

void PaintAxes(QPainter& painter, QSize size, const AxesGeometry& axes, const QFont& font) {
    PainterCanvas canvas(painter, font);
    DrawAxesOn(canvas, size, axes);
}

void PaintAxes(QImage& bitmap, QSize size, const AxesGeometry& axes, const QFont& font) {
    QPainter painter(&bitmap);
    PaintAxes(painter, size, axes, font);
}

void PaintSpectrum(QPainter& painter, QSize size, const SpectrumGeometry& plot, const QFont& font) {
    PainterCanvas canvas(painter, font);
    DrawAxesOn(canvas, size, plot.Axes);
    canvas.SetPen(colours::White, 1);
    for (const auto& line : plot.CountLine) {
        canvas.MoveTo(line.front().x, line.front().y);
        for (std::size_t k = 1; k < line.size(); ++k) canvas.LineTo(line[k].x, line[k].y);
    }
    // The three statistics lines stand closer than the face is high: all
    // their backgrounds go down first and the texts over them, so that no
    // line cuts off the accents or descenders of its neighbour.
    // The counts beyond the range go down the same way, over the line.
    const QFontMetrics metrics(font);
    for (const auto* texts : {&plot.StatisticsTexts, &plot.BeyondTexts})
        for (const PlotText& t : *texts) {
            const int width = metrics.horizontalAdvance(QString::fromStdString(t.text));
            canvas.FillRect(t.x, t.y, t.x + width, t.y + metrics.height(), colours::Black);
        }
    canvas.Flush();
    painter.setPen(Qt::white);
    for (const auto* texts : {&plot.StatisticsTexts, &plot.BeyondTexts})
        for (const PlotText& t : *texts)
            painter.drawText(QPoint(t.x, t.y + metrics.ascent()), QString::fromStdString(t.text));
}

void PaintSpectrum(QImage& bitmap, QSize size, const SpectrumGeometry& plot, const QFont& font) {
    QPainter painter(&bitmap);
    PaintSpectrum(painter, size, plot, font);
}

void ShowBitmap(TImage& image, const QImage& bitmap) {
    {
        QPainter painter(&image.Canvas());
        painter.drawImage(0, 0, bitmap);
    }
    image.Changed();
}

void ShowMarker(SpectrumPlot& plot, const MarkerGeometry& marker) {
    const int left = plot.Image->x() + marker.LineX;
    if (plot.MarkerLine->x() != left) plot.MarkerLine->move(left, plot.MarkerLine->y());
    SetCaption(plot.MarkerXLabel, marker.XText);
    SetCaption(plot.MarkerYLabel, marker.YText);
}

}  // namespace velox::ui
