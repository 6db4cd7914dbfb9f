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
    Spectrum& Time() { return form->Data.Store.TimeSpectrum; }
    QColor EnergyPixel(int x, int y) const { return form->Image2->Picture().pixelColor(x, y); }
    QColor TimePixel(int x, int y) const { return form->Image3->Picture().pixelColor(x, y); }
    // Energy values at exactly `channel` with a channel width of 1.
    void Arrive(int times, double energy) {
        for (int i = 0; i < times; ++i) form->Data.Store.RecordArrival(std::sqrt(10.0 * energy), 0.3);
    }
};

TEST_F(SpectrumPlots, StartUpShowsEmptyAxesAndBlankReadouts) {
    TForm1& f = *form;
    EXPECT_EQ(f.EnergyPlot.Bitmap.size(), QSize(260, 179));
    EXPECT_EQ(f.Image2->Picture().size(), QSize(265, 184));
    for (ui::TImage* image : {f.Image2, f.Image3}) {
        const QImage& p = image->Picture();
        for (int y : {0, 80, 159}) EXPECT_EQ(p.pixelColor(25, y), White) << y;
        for (int x : {25, 140, 250}) EXPECT_EQ(p.pixelColor(x, 159), White) << x;
        EXPECT_EQ(p.pixelColor(251, 159), Black);
        EXPECT_EQ(p.pixelColor(100, 100), Black);
        EXPECT_EQ(p.pixelColor(262, 100), Black);  // the image's own margin
        EXPECT_EQ(p.pixelColor(22, 159), White);   // tick of the count 0
        EXPECT_EQ(p.pixelColor(25, 165), White);   // tick of the channel 0
    }
    EXPECT_EQ(EnergyPixel(127, 165), White);  // energy tick of 100
    EXPECT_EQ(TimePixel(115, 165), White);    // time tick of 40
    EXPECT_EQ(TimePixel(127, 165), Black);
    EXPECT_EQ(f.Label10->text(), "X=50   ");
    EXPECT_EQ(f.Label11->text(), "Y=         ");
    EXPECT_EQ(f.Label12->text(), "X=20   ");
    EXPECT_EQ(f.Label13->text(), "Y=         ");
    EXPECT_EQ(f.Shape43->x(), 6 + 25 + 51);  // channel 50 of 0 … 220
    EXPECT_EQ(f.Shape44->x(), 6 + 25 + 45);  // channel 20 of 0 … 100
}

TEST_F(SpectrumPlots, ACountIsDrawnAtItsHeight) {
    TForm1& f = *form;
    f.CheckBox2->setChecked(false);
    Arrive(10, 100.5);  // channel 100, ten counts
    Arrive(1, 12.5);
    f.DrawSpectrum(Energy());
    // Channel 100 lies at 25 + Trunc(100 · 225 / 220) = 127; 10 counts at
    // 154 / 20 pixels each reach 159 - 77 = 82.
    EXPECT_EQ(EnergyPixel(127, 82), White);
    EXPECT_EQ(EnergyPixel(127, 81), Black);
    EXPECT_EQ(EnergyPixel(126, 159), White);
    EXPECT_EQ(EnergyPixel(129, 120), Black);
    EXPECT_EQ(f.Label11->text(), "Y=0   ");  // channel 50 is counted and empty
    f.Data.Store.EnergySpectrum.Marker = 100;
    f.UpdateMarker(Energy());
    EXPECT_EQ(f.Label11->text(), "Y=10   ");
    EXPECT_EQ(f.Shape43->x(), 6 + 127);

    // With Auto the axis is rounded up from the highest count: 10 gives 20.
    // With Auto off and a count above the box, the line runs along the top.
    f.CheckBox2->setChecked(true);
    EXPECT_EQ(Energy().YMax, 20);
    f.CheckBox2->setChecked(false);
    Arrive(20, 100.5);
    Arrive(30, 101.5);
    f.DrawSpectrum(Energy());
    EXPECT_EQ(EnergyPixel(127, 5), White);
    EXPECT_EQ(EnergyPixel(128, 5), White);
    EXPECT_EQ(EnergyPixel(127, 4), Black);
}

TEST_F(SpectrumPlots, Timer3RedrawsOnlySpectraWithCounts) {
    TForm1& f = *form;
    EXPECT_EQ(f.Timer3->interval(), 1000);
    EXPECT_TRUE(f.Timer3->isActive());
    // Counts in the energy spectrum only; a mark on each image shows which
    // one gets drawn.
    Energy().Bins.assign(101, 0);
    Energy().Bins[100] = 10;
    f.Image2->Canvas().setPixelColor(200, 100, Red);
    f.Image3->Canvas().setPixelColor(200, 100, Red);
    f.Timer3Timer();
    EXPECT_EQ(EnergyPixel(200, 100), Black);
    EXPECT_EQ(EnergyPixel(127, 159 - 77), White);
    EXPECT_EQ(TimePixel(200, 100), Red);

    // The timer itself does it within a second.
    Energy().Bins[100] = 20;
    f.Image2->Canvas().setPixelColor(200, 100, Red);
    EXPECT_TRUE(WaitFor([&] { return EnergyPixel(200, 100) == Black; }, 2500));
    EXPECT_EQ(TimePixel(200, 100), Red);
}

TEST_F(SpectrumPlots, AnArrivalWritesItsReadoutsButNoPlot) {
    TForm1& f = *form;
    f.Timer3->stop();
    const QImage before = f.Image2->Picture();
    f.Data.Store.RecordArrival(10.0, 0.25);
    f.Button2->click();  // one step shows the step's results
    EXPECT_EQ(f.Label21->text(), "E =    10.0000");
    EXPECT_EQ(f.Label22->text(), "t =     0.2500");
    EXPECT_EQ(f.Image2->Picture(), before);
}

TEST_F(SpectrumPlots, ClearRedrawsEmptyAxesAndKeepsTheSettings) {
    TForm1& f = *form;
    Arrive(10, 100.5);
    f.Data.Store.LaunchedCount = 12;
    f.CheckBox2->setChecked(false);  // draws the counts
    ASSERT_EQ(EnergyPixel(127, 82), White);
    f.Data.Store.TimeSpectrum.ChannelWidth = 0.1;
    Time().XMin = 2;
    Time().Marker = 30;

    prompter.Answers = {ui::Answer::No};
    f.Button5->click();
    EXPECT_EQ(f.Data.Store.ArrivedCount, 10);
    EXPECT_EQ(Energy().Bins[100], 10);
    EXPECT_EQ(EnergyPixel(127, 82), White);

    prompter.Answers = {ui::Answer::Yes};
    f.Button5->click();
    const Results& r = f.Data.Store;
    EXPECT_EQ(r.ArrivedCount, 0);
    EXPECT_EQ(r.LaunchedCount, 0);
    EXPECT_TRUE(r.EnergyValues.empty() && r.TimeValues.empty());
    EXPECT_EQ(r.EnergySums.Sum, 0.0);
    EXPECT_EQ(r.TimeSums.SumSq, 0.0);
    EXPECT_TRUE(r.EnergySpectrum.Bins.empty() && r.TimeSpectrum.Bins.empty());
    EXPECT_EQ(r.EnergySpectrum.XMax, 220);
    EXPECT_FALSE(r.EnergySpectrum.Auto);
    EXPECT_EQ(r.TimeSpectrum.ChannelWidth, 0.1);
    EXPECT_EQ(r.TimeSpectrum.XMin, 2);
    EXPECT_EQ(r.TimeSpectrum.Marker, 30);
    EXPECT_EQ(f.Label21->text().trimmed(), "E = 0.000");  // no step ran
    // Empty axes, and the readouts refreshed.
    EXPECT_EQ(EnergyPixel(127, 82), Black);
    EXPECT_EQ(EnergyPixel(25, 80), White);
    EXPECT_EQ(EnergyPixel(140, 159), White);
    EXPECT_EQ(f.Label11->text(), "Y=         ");
    EXPECT_EQ(f.Label12->text(), "X=30   ");
}

}  // namespace
}  // namespace velox::testing
