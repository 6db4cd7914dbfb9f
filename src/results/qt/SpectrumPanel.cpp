#include "results/qt/SpectrumPanel.h"

#include "core/app/Window.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/Fonts.h"

using namespace velox::ui;

SpectrumPanel::SpectrumPanel(QWidget* results, velox::app::Window& app, velox::app::SpectrumView& view,
                             const SpectrumPanelPlace& place)
    : App(app), View(view) {
    const auto text = [](const velox::app::ControlState& c) { return QString::fromStdString(c.Text); };
    upperStrip = NewPanel(results, "", place.UpperStrip.x(), place.UpperStrip.y(), 281, 28);
    yMaxLabel = NewLabel(upperStrip, "", QStringLiteral("Ymax"), 5, 8);
    yMaxField = NewEdit(upperStrip, "", text(view.YMax), 36, 4, 36);
    autoBox = NewCheckBox(upperStrip, "", text(view.Auto), 78, 6, view.Auto.Checked);
    choice = new QRadioButton(text(view.Choice), upperStrip);
    choice->move(130, 6);
    choice->adjustSize();
    choice->setAutoExclusive(false);
    choice->setChecked(view.Choice.Checked);
    widthLabel = NewLabel(upperStrip, "", QStringLiteral("Csat.:"), 204, 8);
    widthField = NewEdit(upperStrip, "", text(view.Width), 238, 4, 38);

    plotPanel = NewPanel(results, "", place.PlotPanel.x(), place.PlotPanel.y(), 279, 197);
    plotPanel->SetColor(Qt::black);
    frame = new TBevel(plotPanel);
    frame->setGeometry(4, 4, 270, 189);
    image = new TImage(plotPanel);
    image->setGeometry(6, 6, 265, 184);
    image->NewBitmap(Qt::black);
    markerLine = NewShape(plotPanel, QString(), TShape::Kind::Rectangle, place.MarkerLineLeft, 4, 1, 189, Qt::yellow,
                          Qt::yellow, 1);
    if (!view.MarkerLine.Visible) markerLine->hide();
    statisticsBox = NewPanel(plotPanel, "", 140, 12, 126, 52);
    statisticsCount = NewLabel(statisticsBox, "", text(*view.StatisticsLines[0]), 6, 4);
    statisticsMean = NewLabel(statisticsBox, "", text(*view.StatisticsLines[1]), 6, 19);
    statisticsDeviation = NewLabel(statisticsBox, "", text(*view.StatisticsLines[2]), 6, 34);
    statisticsBox->hide();

    lowerStrip = NewPanel(results, "", place.LowerStrip.x(), place.LowerStrip.y(), 281, 30);
    xMinLabel = NewLabel(lowerStrip, "", QStringLiteral("Xmin"), 5, 8);
    xMinField = NewEdit(lowerStrip, "", text(view.XMin), 36, 5, 36);
    markerX = NewLabel(lowerStrip, "", text(view.MarkerX), 82, 8);
    markerY = NewLabel(lowerStrip, "", text(view.MarkerY), 140, 8);
    xMaxLabel = NewLabel(lowerStrip, "", QStringLiteral("Xmax"), 200, 8);
    xMaxField = NewEdit(lowerStrip, "", text(view.XMax), 238, 5, 38);

    // Readouts are rewritten often; they keep a fixed size so that a longer
    // text does not make their panel lay itself out again.
    for (QLabel* l : {markerX, markerY}) l->resize(56, l->height());
    for (QLabel* l : {statisticsCount, statisticsMean, statisticsDeviation}) l->resize(116, l->height());

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
    for (QLabel* label : {statisticsCount, statisticsMean, statisticsDeviation}) label->installEventFilter(this);
}

EnergySpectrumPanel::EnergySpectrumPanel(QWidget* results, velox::app::Window& app)
    : SpectrumPanel(results, app, app.EnergySpectrum(), {{10, 6}, {12, 36}, {11, 230}, 82}) {}

TimeSpectrumPanel::TimeSpectrumPanel(QWidget* results, velox::app::Window& app)
    : SpectrumPanel(results, app, app.TimeSpectrum(), {{12, 273}, {12, 307}, {12, 499}, 76}) {}

// ---- drawing ----------------------------------------------------------------
// The plot is drawn off-screen into its bitmap and copied onto the image in
// one piece; the marker line is a control of its own lying over the plot.

void SpectrumPanel::InitSpectrum() {
    image->resize(frame->width() - 5, frame->height() - 5);
    image->NewBitmap(Qt::black);
    plotSize_ = QSize(image->width() - 5, image->height() - 5);
    Plot.Bitmap = image->NewPicture(plotSize_, Qt::black);
    image->OnRescaled = [this] {
        Plot.Bitmap = image->NewPicture(plotSize_, Qt::black);
        ShowPicture();
    };
    Plot.Image = image;
    Plot.MarkerLine = markerLine;
    Plot.MarkerXLabel = markerX;
    Plot.MarkerYLabel = markerY;
}

std::uint32_t SpectrumPanel::PictureBit() const { return View.PictureBit; }

void SpectrumPanel::ShowPicture() {
    const velox::app::SpectrumPicture& picture = View.Picture();
    const QFont font = SmallFont();
    if (picture.Counts)
        PaintSpectrum(Plot.Bitmap, plotSize_, picture.Geometry, font);
    else
        PaintAxes(Plot.Bitmap, plotSize_, picture.Geometry.Axes, font);
    ShowBitmap(*Plot.Image, Plot.Bitmap);
}

void SpectrumPanel::PaintPlot(QPainter& painter) const {
    const QFont font = SmallFont();
    const QSize size = PlotSize();
    const velox::app::SpectrumPicture picture = View.Fresh();
    painter.save();
    if (picture.Counts)
        PaintSpectrum(painter, size, picture.Geometry, font);
    else
        PaintAxes(painter, size, picture.Geometry.Axes, font);
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
    for (QLabel* label : {statisticsCount, statisticsMean, statisticsDeviation}) {
        if (watched == label) {
            App.Click(label->objectName().toStdString());
            return true;
        }
    }
    return false;
}
