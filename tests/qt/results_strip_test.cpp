// "Törlés": the clear question, the counts after a clear and what it redraws.
#include <cmath>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using ResultsStripTest = WindowTest;

// Asked only when there is something to clear; after Yes the particles in
// flight count as launched into the cleared results.
TEST_F(ResultsStripTest, ClearAsksThenRedrawsEmptyAxesAndCountsTheParticlesInFlight) {
    TForm1& f = *form;
    const auto pixel = [&f](int x, int y) { return f.EnergySpectrum->Image2->Picture().pixelColor(x, y); };
    f.Results->Button5->click();
    f.Simulation->Button1->click();
    for (int i = 0; i < 20; ++i) f.Timer2Timer();
    f.Simulation->Button1->click();
    const std::int32_t flying = f.Data.FlyingCount();
    ASSERT_GT(flying, 1);
    for (int i = 0; i < 10; ++i) f.Data.Store.RecordArrival(std::sqrt(10.0 * 100.5), 0.3);  // channel 100
    f.EnergySpectrum->CheckBox2->click();                                                   // draws the counts
    f.Data.Store.TimeSpectrum.Marker = 30;
    ASSERT_EQ(pixel(127, 82), QColor(Qt::white));
    prompter.Answers = {ui::Answer::Yes};  // the question and a "Nem": RunPanelTest.RestartAsksToClear…
    f.Results->Button5->click();
    EXPECT_EQ(std::tuple(f.Data.Store.IsEmpty(), f.Data.Store.ArrivedCount, f.Data.Store.LaunchedCount),
              std::tuple(true, 0, flying));
    EXPECT_EQ(std::tuple(f.Data.Store.EnergySpectrum.Auto, f.Data.Store.EnergySpectrum.XMax), std::tuple(false, 220));
    EXPECT_EQ(std::tuple(pixel(127, 82), pixel(25, 80)), std::tuple(QColor(Qt::black), QColor(Qt::white)));
    EXPECT_EQ(std::tuple(f.EnergySpectrum->Label11->text(), f.TimeSpectrum->Label12->text()),
              std::tuple(QString("Y=         "), QString("X=30   ")));
}

}  // namespace
}  // namespace velox::testing
