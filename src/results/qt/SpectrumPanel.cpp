#include "results/qt/SpectrumPanel.h"

#include "core/app/Window.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>


using namespace velox::ui;

SpectrumPanel::SpectrumPanel(QWidget* results, velox::app::Window& app, velox::app::SpectrumView& view,
                             const velox::app::SpectrumNames& names, const char* plotPanelName, const char* frameName,
                             const char* imageName)
    : App(app), View(view) {
    choice = Child<QRadioButton>(*results, names.Choice);
    plotPanel = Child<TPanel>(*results, plotPanelName);
    frame = Child<TBevel>(*results, frameName);
    image = Child<TImage>(*results, imageName);
    image->NewBitmap(Qt::black);
    markerLine = Child<TShape>(*results, names.MarkerLine);
    statisticsBox = Child<TPanel>(*results, names.Statistics);
    for (std::size_t k = 0; k < statisticsLines.size(); ++k)
        statisticsLines[k] = Child<QLabel>(*results, names.StatisticsLines[k]);

    // A click on the radio button always chooses it: the two buttons lie in
    // different strips, and only the layer keeps them opposite.
    connect(choice, &QRadioButton::clicked, this, [this] {
        choice->setChecked(true);
        App.Click(choice->objectName().toStdString());
    });
    plotPanel->OnClick = [this](TPanel& p, QMouseEvent&) { App.Click(p.objectName().toStdString()); };
    image->OnMouseDown = [this](TImage& i, QMouseEvent& e) {
        App.ImageMouseDown(i.objectName().toStdString(), e.button() == Qt::RightButton);
    };
    statisticsBox->OnMouseUp = [this](TPanel& p, QMouseEvent&) { App.Click(p.objectName().toStdString()); };
    for (QLabel* label : statisticsLines) label->installEventFilter(this);
}

EnergySpectrumPanel::EnergySpectrumPanel(QWidget* results, velox::app::Window& app)
    : SpectrumPanel(results, app, app.EnergySpectrum(), velox::app::EnergyNames, "Panel4", "Bevel2", "Image2") {}

TimeSpectrumPanel::TimeSpectrumPanel(QWidget* results, velox::app::Window& app)
    : SpectrumPanel(results, app, app.TimeSpectrum(), velox::app::TimeNames, "Panel5", "Bevel3", "Image3") {}

// ---- drawing ----------------------------------------------------------------
// The plot is drawn off-screen into its bitmap and copied onto the image in
// one piece; the marker line is a control of its own lying over the plot.

void SpectrumPanel::InitSpectrum() {
    image->resize(frame->width() - 5, frame->height() - 5);
    image->NewBitmap(Qt::black);
    plotSize_ = QSize(image->width() - 5, image->height() - 5);
    Bitmap = image->NewPicture(plotSize_, Qt::black);
    image->OnRescaled = [this] {
        Bitmap = image->NewPicture(plotSize_, Qt::black);
        ShowPicture();
    };
}

std::uint32_t SpectrumPanel::PictureBit() const { return View.PictureBit; }

void SpectrumPanel::ShowPicture() {
    const velox::app::SpectrumPicture& picture = View.Picture();
    {
        QPainter painter(&Bitmap);
        velox::ui::PaintPlot(painter, plotSize_, picture.Geometry, picture.Counts);
    }
    {
        QPainter painter(&image->Canvas());
        painter.drawImage(0, 0, Bitmap);
    }
    image->Changed();
}

void SpectrumPanel::PaintPlot(QPainter& painter) const {
    const QSize size = PlotSize();
    const velox::app::SpectrumPicture picture = View.Fresh();
    painter.save();
    velox::ui::PaintPlot(painter, size, picture.Geometry, picture.Counts);
    painter.restore();
    // The marker line is a control lying over the image, whose top left
    // corner is the bitmap's; the line reaches past the bitmap's top and
    // bottom.
    if (!markerLine->isHidden())
        painter.fillRect(markerLine->geometry().translated(-image->pos()).intersected(QRect(QPoint(), size)),
                         markerLine->BrushColor());
}

QImage SpectraPicture(const SpectrumPanel& left, const SpectrumPanel& right, int scale) {
    constexpr int gap = 10;
    const QSize a = left.PlotSize(), b = right.PlotSize();
    QImage picture(scale * (a.width() + gap + b.width()), scale * std::max(a.height(), b.height()),
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    // Drawn as the window draws on a screen of `scale` device pixels per
    // pixel: the same device pixels, the same glyphs.
    picture.setDevicePixelRatio(scale);
    {
        QPainter painter(&picture);
        left.PaintPlot(painter);
        painter.translate(a.width() + gap, 0);
        right.PaintPlot(painter);
    }
    picture.setDevicePixelRatio(1);
    // The file says how large to print it: `scale` × 96 dots per inch.
    const int dotsPerMetre = static_cast<int>(scale * 96 / 0.0254 + 0.5);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    return picture;
}

// A release on a line of the statistics box closes it too.
bool SpectrumPanel::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::MouseButtonRelease) return false;
    for (QLabel* label : statisticsLines) {
        if (watched == label) {
            App.Click(label->objectName().toStdString());
            return true;
        }
    }
    return false;
}
