// The painting of a spectrum plot's geometry with Qt.
#pragma once

#include <functional>

#include <QFont>
#include <QObject>

#include "results/model/PlotGeometry.h"

class QEvent;
class QPainter;
class QSize;

namespace velox::ui {

// The measures of the plot face as the geometry needs them.
TextMetrics PlotTextMetrics(const QFont& font);

// A laid-out plot onto any painter, in the coordinates of a bitmap of
// `size`, in the plots' font: the axes, ticks and labels on black, and with
// `counts` the count line and the statistics texts over them.  A scaled
// painter draws the plot larger, every line and text at its place.
void PaintPlot(QPainter& painter, QSize size, const SpectrumGeometry& plot, bool counts);

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
