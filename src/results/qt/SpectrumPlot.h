// The window's side of a spectrum plot: its off-screen bitmap, the controls
// that show it, and the painting of the plot geometry onto the bitmap.
#pragma once

#include <functional>

#include <QFont>
#include <QImage>
#include <QObject>

#include "results/model/PlotGeometry.h"

class QEvent;
class QLabel;
class QPainter;
class QSize;

namespace velox::ui {

class TImage;
class TShape;

struct SpectrumPlot {
    QImage Bitmap;  // PlotBitmapWidth × PlotBitmapHeight logical pixels, drawn off-screen
    TImage* Image = nullptr;
    TShape* MarkerLine = nullptr;
    QLabel* MarkerXLabel = nullptr;
    QLabel* MarkerYLabel = nullptr;
};

// The measures of the plot face as the geometry needs them.
TextMetrics PlotTextMetrics(const QFont& font);

// Fills the bitmap (of `size` logical pixels) black and draws the axes,
// ticks and labels.
void PaintAxes(QImage& bitmap, QSize size, const AxesGeometry& axes, const QFont& font);

// The whole plot: axes, then the count line, then the statistics texts.
void PaintSpectrum(QImage& bitmap, QSize size, const SpectrumGeometry& plot, const QFont& font);

// The same onto any painter, in the coordinates of a bitmap of `size`: a
// scaled painter draws the plot larger, every line and text at its place.
void PaintAxes(QPainter& painter, QSize size, const AxesGeometry& axes, const QFont& font);
void PaintSpectrum(QPainter& painter, QSize size, const SpectrumGeometry& plot, const QFont& font);

// Copies the bitmap onto the image control's picture at (0, 0), in one piece.
void ShowBitmap(TImage& image, const QImage& bitmap);

// The marker line over the plot and the "X=" / "Y=" readouts.
void ShowMarker(SpectrumPlot& plot, const MarkerGeometry& marker);

// An event filter that hands the events it sees to a function; the function
// returns true for an event it has consumed.
class EventHook : public QObject {
public:
    explicit EventHook(std::function<bool(QObject*, QEvent*)> handler) : handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> handler_;
};

}  // namespace velox::ui
