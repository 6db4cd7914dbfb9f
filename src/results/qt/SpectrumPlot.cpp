#include "results/qt/SpectrumPlot.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/qt/Fonts.h"
#include "ui/qt/PainterCanvas.h"

namespace velox::ui {

TextMetrics PlotTextMetrics(const QFont& font) {
    const QFontMetrics metrics(font);
    return {[metrics](std::string_view s) {
                return metrics.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
            },
            metrics.height()};
}

void PaintPlot(QPainter& painter, QSize size, const SpectrumGeometry& plot, bool counts) {
    const QFont font = SmallFont();
    PainterCanvas canvas(painter, font);
    if (counts)
        DrawSpectrumOn(canvas, size.width(), size.height(), plot, PlotTextMetrics(font));
    else
        DrawAxesOn(canvas, size.width(), size.height(), plot.Axes);
}

}  // namespace velox::ui
