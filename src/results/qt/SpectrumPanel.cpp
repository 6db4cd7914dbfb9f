#include "results/qt/SpectrumPanel.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "results/model/PlotGeometry.h"
#include "ui/qt/Fonts.h"

using namespace velox::ui;

SpectrumPanel::SpectrumPanel(QWidget* results, velox::Results& store, velox::Spectrum& spectrum,
                             const std::vector<double>& values, NumberFields& fields, const SpectrumPanelPlace& place)
    : Store(store), Spectrum(spectrum), Values(values), Fields(fields), markerStart_(place.MarkerStart) {
    upperStrip = NewPanel(results, "", place.UpperStrip.x(), place.UpperStrip.y(), 281, 28);
    yMaxLabel = NewLabel(upperStrip, "", QStringLiteral("Ymax"), 5, 8);
    yMaxField = NewEdit(upperStrip, "", QStringLiteral("20"), 36, 4, 36);
    autoBox = NewCheckBox(upperStrip, "", QStringLiteral("Auto"), 78, 6, true);
    choice = new QRadioButton(QString::fromUtf8(place.Choice), upperStrip);
    choice->move(130, 6);
    choice->adjustSize();
    choice->setAutoExclusive(false);
    choice->setChecked(place.Chosen);
    widthLabel = NewLabel(upperStrip, "", QStringLiteral("Csat.:"), 204, 8);
    widthField = NewEdit(upperStrip, "", QStringLiteral("1"), 238, 4, 38);

    plotPanel = NewPanel(results, "", place.PlotPanel.x(), place.PlotPanel.y(), 279, 197);
    plotPanel->SetColor(Qt::black);
    frame = new TBevel(plotPanel);
    frame->setGeometry(4, 4, 270, 189);
    image = new TImage(plotPanel);
    image->setGeometry(6, 6, 265, 184);
    image->NewBitmap(Qt::black);
    markerLine = NewShape(plotPanel, QString(), TShape::Kind::Rectangle, place.MarkerLineLeft, 4, 1, 189, Qt::yellow,
                          Qt::yellow, 1);
    if (!place.Chosen) markerLine->hide();
    statisticsBox = NewPanel(plotPanel, "", 140, 12, 126, 52);
    statisticsCount = NewLabel(statisticsBox, "", QStringLiteral("Összes : "), 6, 4);
    statisticsMean = NewLabel(statisticsBox, "", QStringLiteral("Átlag  : "), 6, 19);
    statisticsDeviation = NewLabel(statisticsBox, "", QStringLiteral("Szórás : "), 6, 34);
    statisticsBox->hide();

    lowerStrip = NewPanel(results, "", place.LowerStrip.x(), place.LowerStrip.y(), 281, 30);
    xMinLabel = NewLabel(lowerStrip, "", QStringLiteral("Xmin"), 5, 8);
    xMinField = NewEdit(lowerStrip, "", QStringLiteral("0"), 36, 5, 36);
    markerX = NewLabel(lowerStrip, "", QStringLiteral("X="), 82, 8);
    markerY = NewLabel(lowerStrip, "", QStringLiteral("Y="), 140, 8);
    xMaxLabel = NewLabel(lowerStrip, "", QStringLiteral("Xmax"), 200, 8);
    xMaxField = NewEdit(lowerStrip, "", QStringLiteral("100"), 238, 5, 38);

    // Readouts are rewritten often; they keep a fixed size so that a longer
    // text does not make their panel lay itself out again.
    for (QLabel* l : {markerX, markerY}) l->resize(56, l->height());
    for (QLabel* l : {statisticsCount, statisticsMean, statisticsDeviation}) l->resize(116, l->height());

    // A click on the radio button always chooses it: the two buttons lie in
    // different strips, and only the window keeps them opposite.
    connect(choice, &QRadioButton::clicked, this, [this] {
        choice->setChecked(true);
        Chosen();
    });
    plotPanel->OnClick = [this](TPanel&, QMouseEvent&) { Chosen(); };
    connect(autoBox, &QCheckBox::toggled, this, [this] { AutoClick(); });
    Fields.Add(yMaxField, [this](Leave how) { YMaxExit(how); });
    Fields.Add(xMinField, [this](Leave how) { XMinExit(how); });
    Fields.Add(xMaxField, [this](Leave how) { XMaxExit(how); });
    Fields.Add(widthField, [this](Leave how) { ChannelWidthExit(how); });
    image->OnMouseDown = [this](TImage&, QMouseEvent& e) { ImageMouseDown(e.button()); };
    statisticsBox->OnMouseUp = [this](TPanel& p, QMouseEvent&) { Panel12MouseUp(&p); };
    for (QLabel* label : {statisticsCount, statisticsMean, statisticsDeviation}) label->installEventFilter(this);
}

EnergySpectrumPanel::EnergySpectrumPanel(QWidget* results, velox::Results& store, NumberFields& fields)
    : SpectrumPanel(results, store, store.EnergySpectrum, store.EnergyValues, fields,
                    {{10, 6}, {12, 36}, {11, 230}, 82, "Energia", true, velox::EnergyMarkerStart}) {}

TimeSpectrumPanel::TimeSpectrumPanel(QWidget* results, velox::Results& store, NumberFields& fields)
    : SpectrumPanel(results, store, store.TimeSpectrum, store.TimeValues, fields,
                    {{12, 273}, {12, 307}, {12, 499}, 76, "Ido", false, velox::TimeMarkerStart}) {}

// ---- drawing ----------------------------------------------------------------
// The plot is drawn off-screen into its bitmap and copied onto the image in
// one piece; the marker line is a control of its own lying over the plot.
// Arrivals never draw; Timer3 redraws the spectra that hold counts once a
// second.

void SpectrumPanel::InitSpectrum() {
    image->resize(frame->width() - 5, frame->height() - 5);
    image->NewBitmap(Qt::black);
    plotSize_ = QSize(image->width() - 5, image->height() - 5);
    Plot.Bitmap = image->NewPicture(plotSize_, Qt::black);
    image->OnRescaled = [this] {
        Plot.Bitmap = image->NewPicture(plotSize_, Qt::black);
        const QFont font = SmallFont();
        if (countsShown_)
            PaintSpectrum(Plot.Bitmap, plotSize_, shownSpectrum_, font);
        else
            PaintAxes(Plot.Bitmap, plotSize_, shownAxes_, font);
        ShowBitmap(*Plot.Image, Plot.Bitmap);
    };
    Plot.Image = image;
    Plot.MarkerLine = markerLine;
    Plot.MarkerXLabel = markerX;
    Plot.MarkerYLabel = markerY;
    velox::InitSpectrum(Spectrum, plotSize_.width(), plotSize_.height(), markerStart_, autoBox->isChecked());
}

void SpectrumPanel::DrawAxes() {
    const QFont font = SmallFont();
    const velox::AxesGeometry axes = velox::DrawAxesGeometry(Spectrum, PlotTextMetrics(font));
    PaintAxes(Plot.Bitmap, plotSize_, axes, font);
    countsShown_ = false;
    shownAxes_ = axes;
    ShowBitmap(*Plot.Image, Plot.Bitmap);
    // A count-axis top below 20 (only a results file brings one) has just
    // been raised; the "Ymax" field shows the value drawn.
    if (axes.YMaxRaised) RefreshNumberFields();
    ShowMarker(Plot, axes.Marker);
}

void SpectrumPanel::DrawSpectrum() {
    const QFont font = SmallFont();
    const velox::SpectrumGeometry geometry = velox::DrawSpectrumGeometry(
        Spectrum, Store.SumsOf(Spectrum), Store.ArrivedCount, PlotTextMetrics(font), plotSize_.width());
    if (geometry.AutoScaled || geometry.Axes.YMaxRaised) RefreshNumberFields();
    PaintSpectrum(Plot.Bitmap, plotSize_, geometry, font);
    countsShown_ = true;
    shownSpectrum_ = geometry;
    ShowBitmap(*Plot.Image, Plot.Bitmap);
    ShowMarker(Plot, geometry.Axes.Marker);
}

// Counts that arrived since the empty axes of a clear are drawn too, as the
// next Timer3 tick would.
void SpectrumPanel::PaintPlot(QPainter& painter) const {
    const QFont font = SmallFont();
    const QSize size = PlotSize();
    velox::Spectrum spectrum = Spectrum;  // the drawing writes back scales, steps and the axis top
    painter.save();
    if (countsShown_ || !spectrum.Bins.empty())
        PaintSpectrum(painter, size,
                      velox::DrawSpectrumGeometry(spectrum, Store.SumsOf(Spectrum), Store.ArrivedCount,
                                                  PlotTextMetrics(font), size.width()),
                      font);
    else
        PaintAxes(painter, size, velox::DrawAxesGeometry(spectrum, PlotTextMetrics(font)), font);
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

void SpectrumPanel::UpdateMarker() { ShowMarker(Plot, velox::UpdateMarkerGeometry(Spectrum)); }

void SpectrumPanel::RedrawIfCounted() {
    if (!Spectrum.Bins.empty()) DrawSpectrum();
}

// Every automatic repeat moves it too.  The plot is not redrawn, only the
// line and its readouts.
void SpectrumPanel::MoveMarker(velox::MarkerKey key) {
    velox::MoveMarker(Spectrum, key);
    UpdateMarker();
}

// ---- the settings -------------------------------------------------------------

void SpectrumPanel::ShowNumberFields() {
    Fields.ShowIntegerInField(yMaxField, Spectrum.YMax);
    Fields.ShowIntegerInField(xMaxField, Spectrum.XMax);
    Fields.ShowIntegerInField(xMinField, Spectrum.XMin);
    Fields.ShowFloatInField(widthField, Spectrum.ChannelWidth);
}

void SpectrumPanel::ShowAuto() {
    if (autoBox->isChecked() == Spectrum.Auto) return;
    if (autoBox->isEnabled())
        autoBox->click();
    else
        autoBox->setChecked(Spectrum.Auto);
}

void SpectrumPanel::AutoClick() {
    Spectrum.Auto = autoBox->isChecked();
    RefreshNumberFields();
    DrawSpectrum();
}

template <class Value, class StoreValue>
void SpectrumPanel::LeaveSetting(QLineEdit* field, Leave how, const std::optional<Value>& value, StoreValue store,
                                 bool placeMarker) {
    Fields.LeaveField(field, how, value, store, [&] {
        RefreshNumberFields();
        if (placeMarker) UpdateMarker();
        DrawSpectrum();
    });
}

void SpectrumPanel::YMaxExit(Leave how) {
    LeaveSetting(
        yMaxField, how, velox::AcceptYMax(yMaxField->text().toStdString()),
        [this](std::int32_t v) { velox::StoreYMax(Spectrum, v); }, false);
}

void SpectrumPanel::XMinExit(Leave how) {
    LeaveSetting(
        xMinField, how, velox::AcceptXMin(Spectrum, xMinField->text().toStdString()),
        [this](std::int32_t v) { velox::StoreXMin(Spectrum, v); }, true);
}

void SpectrumPanel::XMaxExit(Leave how) {
    LeaveSetting(
        xMaxField, how, velox::AcceptXMax(Spectrum, xMaxField->text().toStdString()),
        [this](std::int32_t v) { velox::StoreXMax(Spectrum, v); }, true);
}

void SpectrumPanel::ChannelWidthExit(Leave how) {
    LeaveSetting(
        widthField, how, velox::AcceptChannelWidth(widthField->text().toStdString()),
        [this](double v) { velox::StoreChannelWidth(Spectrum, v, Values); }, false);
}

// ---- the statistics box ---------------------------------------------------------
// It shows the values of the moment it was opened.

void SpectrumPanel::ImageMouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    const velox::StatisticsBoxTexts texts = velox::StatisticsBox(Store.SumsOf(Spectrum), Store.ArrivedCount);
    SetCaption(statisticsCount, texts.Count);
    SetCaption(statisticsMean, texts.Mean);
    SetCaption(statisticsDeviation, texts.Deviation);
    statisticsBox->show();
    statisticsBox->raise();
}

void SpectrumPanel::Panel12MouseUp(TPanel* sender) { sender->hide(); }

void SpectrumPanel::Label31MouseUp(QLabel* sender) {
    if (QWidget* box = sender->parentWidget()) box->hide();
}

bool SpectrumPanel::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::MouseButtonRelease) return false;
    for (QLabel* label : {statisticsCount, statisticsMean, statisticsDeviation}) {
        if (watched == label) {
            Label31MouseUp(label);
            return true;
        }
    }
    return false;
}
