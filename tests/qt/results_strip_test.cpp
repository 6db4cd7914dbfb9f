// "Törlés": the clear question and what a clear redraws.
#include <cmath>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using ResultsClear = WindowTest;

const QColor Black(0, 0, 0), White(255, 255, 255);

class ClearedPlots : public WindowTest {
protected:
    Spectrum& Energy() { return form->Data.Store.EnergySpectrum; }
    QColor EnergyPixel(int x, int y) const { return form->EnergySpectrum->Image2->Picture().pixelColor(x, y); }
    void Arrive(int times, double energy) {
        for (int i = 0; i < times; ++i) form->Data.Store.RecordArrival(std::sqrt(10.0 * energy), 0.3);
    }
};

TEST_F(ResultsClear, AsksOnlyWhenThereIsSomethingToClear) {
    TForm1& f = *form;
    f.Results->Button5->click();
    EXPECT_TRUE(prompter.Asked.isEmpty());

    f.Data.Store.RecordArrival(10.0, 0.25);
    f.Data.Store.LaunchedCount = 3;
    prompter.Answers = {ui::Answer::No};
    f.Results->Button5->click();
    EXPECT_EQ(prompter.Asked, QStringList{"*** MEGEROSÍTÉS ***|Valóban törölni akarja az eredményeket? "});
    EXPECT_EQ(f.Data.Store.ArrivedCount, 1);
    EXPECT_EQ(f.Data.Store.EnergyValues.size(), 1u);

    prompter.Answers = {ui::Answer::Yes};
    f.Results->Button5->click();
    EXPECT_EQ(f.Data.Store.ArrivedCount, 0);
    EXPECT_EQ(f.Data.Store.LaunchedCount, 0);
    EXPECT_TRUE(f.Data.Store.IsEmpty());
    EXPECT_EQ(f.Data.Store.EnergySpectrum.XMax, 220);  // settings survive
}

TEST_F(ClearedPlots, ClearRedrawsEmptyAxesAndTheReadouts) {
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
