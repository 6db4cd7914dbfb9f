#include "results/qt/SpectrumPlot.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include "ui/qt/Controls.h"
#include "ui/qt/Image.h"
#include "ui/qt/PainterCanvas.h"
#include "ui/qt/Shape.h"

namespace velox::ui {

TextMetrics PlotTextMetrics(const QFont& font) {
    const QFontMetrics metrics(font);
    return {[metrics](std::string_view s) {
                return metrics.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
            },
            metrics.height()};
}

void PaintAxes(QPainter& painter, QSize size, const AxesGeometry& axes, const QFont& font) {
    PainterCanvas canvas(painter, font);
    DrawAxesOn(canvas, size.width(), size.height(), axes);
}

void PaintAxes(QImage& bitmap, QSize size, const AxesGeometry& axes, const QFont& font) {
    QPainter painter(&bitmap);
    PaintAxes(painter, size, axes, font);
}

void PaintSpectrum(QPainter& painter, QSize size, const SpectrumGeometry& plot, const QFont& font) {
    PainterCanvas canvas(painter, font);
    DrawSpectrumOn(canvas, size.width(), size.height(), plot, PlotTextMetrics(font));
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
