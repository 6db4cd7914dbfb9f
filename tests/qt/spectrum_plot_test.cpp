#include <cmath>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

const QColor Black(0, 0, 0), White(255, 255, 255), Red(255, 0, 0);

class SpectrumPlots : public WindowTest {
protected:
    Spectrum& Energy() { return form->Data.Store.EnergySpectrum; }
    QColor EnergyPixel(int x, int y) const { return form->EnergySpectrum->Image2->Picture().pixelColor(x, y); }
    QColor TimePixel(int x, int y) const { return form->TimeSpectrum->Image3->Picture().pixelColor(x, y); }
    void Arrive(int times, double energy) {
        for (int i = 0; i < times; ++i) form->Data.Store.RecordArrival(std::sqrt(10.0 * energy), 0.3);
    }
};

TEST_F(SpectrumPlots, StartUpShowsEmptyAxesAndBlankReadouts) {
    TForm1& f = *form;
    for (ui::TImage* image : {f.EnergySpectrum->Image2, f.TimeSpectrum->Image3}) {
        const QImage& p = image->Picture();
        for (QPoint white : {QPoint(25, 0), QPoint(25, 80), QPoint(25, 159), QPoint(140, 159), QPoint(250, 159),
                             QPoint(22, 159), QPoint(25, 165)})  // axes, and the ticks of count and channel 0
            EXPECT_EQ(p.pixelColor(white), White) << white.x() << "," << white.y();
        for (QPoint black : {QPoint(251, 159), QPoint(100, 100), QPoint(262, 100)})
            EXPECT_EQ(p.pixelColor(black), Black) << black.x() << "," << black.y();
    }
    EXPECT_EQ(EnergyPixel(127, 165), White);  // energy tick of 100
    EXPECT_EQ(TimePixel(115, 165), White);    // time tick of 40
    EXPECT_EQ(TimePixel(127, 165), Black);
    EXPECT_EQ(f.EnergySpectrum->Label11->text(), "Y=         ");
    EXPECT_EQ(f.TimeSpectrum->Label12->text(), "X=20   ");
    EXPECT_EQ(f.EnergySpectrum->Shape43->x(), 6 + 25 + 51);  // channel 50 of 0 … 220
}

TEST_F(SpectrumPlots, ACountIsDrawnAtItsHeight) {
    TForm1& f = *form;
    f.EnergySpectrum->CheckBox2->setChecked(false);
    Arrive(10, 100.5);  // channel 100, ten counts
    f.EnergySpectrum->DrawSpectrum();
    // Channel 100 lies at 25 + Trunc(100 · 225 / 220) = 127; 10 counts at
    // 154 / 20 pixels each reach 159 - 77 = 82.
    EXPECT_EQ(EnergyPixel(127, 82), White);
    EXPECT_EQ(EnergyPixel(127, 81), Black);
    EXPECT_EQ(EnergyPixel(129, 120), Black);
    EXPECT_EQ(f.EnergySpectrum->Label11->text(), "Y=0   ");  // channel 50 is counted and empty
    Energy().Marker = 100;
    f.EnergySpectrum->UpdateMarker();
    EXPECT_EQ(f.EnergySpectrum->Label11->text(), "Y=10   ");
    // With Auto off and a count above the box, the line runs along the top.
    Arrive(20, 100.5);
    Arrive(30, 101.5);
    f.EnergySpectrum->DrawSpectrum();
    EXPECT_EQ(EnergyPixel(128, 5), White);
    EXPECT_EQ(EnergyPixel(127, 4), Black);
}

TEST_F(SpectrumPlots, Timer3RedrawsOnlySpectraWithCounts) {
    TForm1& f = *form;
    Energy().Bins.assign(101, 0);
    Energy().Bins[100] = 10;
    f.EnergySpectrum->Image2->Canvas().setPixelColor(200, 100, Red);
    f.TimeSpectrum->Image3->Canvas().setPixelColor(200, 100, Red);
    EXPECT_TRUE(WaitFor([&] { return EnergyPixel(200, 100) == Black; }, 2500));
    EXPECT_EQ(EnergyPixel(127, 159 - 77), White);
    EXPECT_EQ(TimePixel(200, 100), Red);
}

TEST_F(SpectrumPlots, AnArrivalWritesItsReadoutsButNoPlot) {
    TForm1& f = *form;
    f.Timer3->stop();
    const QImage before = f.EnergySpectrum->Image2->Picture();
    f.Data.Store.RecordArrival(10.0, 0.25);
    f.Simulation->Button2->click();
    EXPECT_EQ(f.Info->Label21->text(), "E =    10.0000");
    EXPECT_EQ(f.Info->Label22->text(), "t =     0.2500");
    EXPECT_EQ(f.EnergySpectrum->Image2->Picture(), before);
}

TEST_F(SpectrumPlots, ClearRedrawsEmptyAxesAndTheReadouts) {
    TForm1& f = *form;
    Arrive(10, 100.5);
    f.EnergySpectrum->CheckBox2->setChecked(false);  // draws the counts
    f.Data.Store.TimeSpectrum.Marker = 30;
    prompter.Answers = {ui::Answer::No};
    f.Results->Button5->click();
    EXPECT_EQ(EnergyPixel(127, 82), White);
    prompter.Answers = {ui::Answer::Yes};
    f.Results->Button5->click();
    EXPECT_FALSE(Energy().Auto);
    EXPECT_EQ(f.Info->Label21->text().trimmed(), "E = 0.000");  // no step ran
    EXPECT_EQ(EnergyPixel(127, 82), Black);
    EXPECT_EQ(EnergyPixel(25, 80), White);
    EXPECT_EQ(f.EnergySpectrum->Label11->text(), "Y=         ");
    EXPECT_EQ(f.TimeSpectrum->Label12->text(), "X=30   ");
}

}  // namespace
}  // namespace velox::testing
