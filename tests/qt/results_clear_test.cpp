#include <QPushButton>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

using ResultsClear = WindowTest;

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

}  // namespace
}  // namespace velox::testing
