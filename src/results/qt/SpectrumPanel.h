// One spectrum's controls in the results panel ("Eredmények"): the strip
// above the plot ("Ymax", "Auto", the marker choice, "Csat.:"), the plot
// with its marker line and statistics box, and the strip below it ("Xmin",
// the "X=" / "Y=" readouts, "Xmax").  SpectrumPanel holds the logic that
// both spectra share; EnergySpectrumPanel and TimeSpectrumPanel name the
// controls it takes from the window's layout.
#pragma once

#include <array>
#include <cstdint>

#include <QLabel>
#include <QObject>
#include <QImage>
#include <QRadioButton>

#include "results/app/SpectrumView.h"
#include "results/qt/SpectrumPlot.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Image.h"
#include "ui/qt/Shape.h"

class QPainter;

namespace velox::app {
class Window;
}

class SpectrumPanel : public QObject {
public:
    using TPanel = velox::ui::TPanel;

    // Takes the spectrum's controls, which the window made from its layout,
    // under `results`: those named in `names` and the plot panel, its frame
    // and its image.
    SpectrumPanel(QWidget* results, velox::app::Window& app, velox::app::SpectrumView& view,
                  const velox::app::SpectrumNames& names, const char* plotPanelName, const char* frameName,
                  const char* imageName);

    // The layout step: the image fills its frame but for 5 pixels each way,
    // the bitmap the image but for 5 more.
    void InitSpectrum();
    // Paints the layer's picture of the plot and shows it.
    void ShowPicture();
    // The plot as the window shows it, drawn afresh from the current results
    // onto `painter` in the bitmap's coordinates: the axes, the count line and
    // the statistics texts when the window shows them, and the marker line
    // over them when it is shown.  The spectrum record is left as it is.
    void PaintPlot(QPainter& painter) const;
    QSize PlotSize() const { return plotSize_; }
    // The layer's bit of this plot among the pictures.
    std::uint32_t PictureBit() const;

    velox::ui::TImage* Image() const { return image; }
    QImage Bitmap;  // the plot drawn off-screen, PlotSize() logical pixels, copied onto Image in one piece

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    QRadioButton* choice;
    TPanel* plotPanel;
    velox::ui::TBevel* frame;
    velox::ui::TImage* image;
    velox::ui::TShape* markerLine;
    TPanel* statisticsBox;
    std::array<QLabel*, 3> statisticsLines;

private:
    velox::app::Window& App;
    velox::app::SpectrumView& View;
    QSize plotSize_;  // the bitmap's size in logical pixels
};

// Both plots side by side, `left` and `right` 10 pixels apart on white,
// drawn afresh at `scale` times their size by a scaled painter, so that
// they print sharply.  The picture's resolution says `scale` × 96 dots per
// inch, so that it prints as large as the window shows it.
QImage SpectraPicture(const SpectrumPanel& left, const SpectrumPanel& right, int scale);

class EnergySpectrumPanel : public SpectrumPanel {
public:
    EnergySpectrumPanel(QWidget* results, velox::app::Window& app);
};

class TimeSpectrumPanel : public SpectrumPanel {
public:
    TimeSpectrumPanel(QWidget* results, velox::app::Window& app);
};
