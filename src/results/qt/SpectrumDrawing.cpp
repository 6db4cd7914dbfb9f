// The spectrum plots: each is drawn off-screen into its bitmap and copied
// onto its image control in one piece; the marker line is a control of its
// own lying over the plot.  Arrivals never draw; Timer3 redraws the spectra
// that hold counts once a second.
#include <QCheckBox>
#include <QLabel>

#include "core/qt/Main.h"
#include "ui/qt/Fonts.h"

velox::ui::SpectrumPlot& TForm1::PlotOf(const velox::Spectrum& spectrum) {
    return &spectrum == &Data.Store.EnergySpectrum ? EnergyPlot : TimePlot;
}

// The layout step's set-up of one spectrum: the image fills its frame but
// for 5 pixels each way, the bitmap the image but for 5 more.
void TForm1::InitSpectrum(velox::Spectrum& spectrum, TImage* image, TBevel* frame, TShape* markerLine,
                          QLabel* markerXLabel, QLabel* markerYLabel, std::int32_t markerDefault,
                          QCheckBox* autoBox) {
    image->resize(frame->width() - 5, frame->height() - 5);
    image->NewBitmap(Qt::black);
    velox::ui::SpectrumPlot& plot = PlotOf(spectrum);
    plot.Bitmap = QImage(image->width() - 5, image->height() - 5, QImage::Format_RGB32);
    plot.Bitmap.fill(Qt::black);
    plot.Image = image;
    plot.MarkerLine = markerLine;
    plot.MarkerXLabel = markerXLabel;
    plot.MarkerYLabel = markerYLabel;
    velox::InitSpectrum(spectrum, plot.Bitmap.width(), plot.Bitmap.height(), markerDefault, autoBox->isChecked());
}

void TForm1::DrawAxes(velox::Spectrum& spectrum) {
    velox::ui::SpectrumPlot& plot = PlotOf(spectrum);
    const QFont font = velox::ui::SmallFont();
    const velox::AxesGeometry axes = velox::DrawAxesGeometry(spectrum, velox::ui::PlotTextMetrics(font));
    velox::ui::PaintAxes(plot.Bitmap, axes, font);
    velox::ui::ShowBitmap(*plot.Image, plot.Bitmap);
    // A count-axis top below 20 (only a results file brings one) has just
    // been raised; the "Ymax" field shows the value drawn.
    if (axes.YMaxRaised) RefreshNumberFields();
    velox::ui::ShowMarker(plot, axes.Marker);
}

void TForm1::DrawSpectrum(velox::Spectrum& spectrum) {
    velox::ui::SpectrumPlot& plot = PlotOf(spectrum);
    const QFont font = velox::ui::SmallFont();
    const velox::SpectrumGeometry geometry = velox::DrawSpectrumGeometry(
        spectrum, Data.Store.SumsOf(spectrum), Data.Store.ArrivedCount, velox::ui::PlotTextMetrics(font), plot.Bitmap.width());
    if (geometry.AutoScaled || geometry.Axes.YMaxRaised) RefreshNumberFields();
    velox::ui::PaintSpectrum(plot.Bitmap, geometry, font);
    velox::ui::ShowBitmap(*plot.Image, plot.Bitmap);
    velox::ui::ShowMarker(plot, geometry.Axes.Marker);
}

void TForm1::UpdateMarker(velox::Spectrum& spectrum) {
    velox::ui::ShowMarker(PlotOf(spectrum), velox::UpdateMarkerGeometry(spectrum));
}

void TForm1::Timer3Timer() {
    if (!Data.Store.EnergySpectrum.Bins.empty()) DrawSpectrum(Data.Store.EnergySpectrum);
    if (!Data.Store.TimeSpectrum.Bins.empty()) DrawSpectrum(Data.Store.TimeSpectrum);
}

void TForm1::RedrawSpectra() {
    DrawSpectrum(Data.Store.EnergySpectrum);
    DrawSpectrum(Data.Store.TimeSpectrum);
}
