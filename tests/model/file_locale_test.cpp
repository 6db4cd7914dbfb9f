// The files are written and read with "." whatever the locale says.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "CommaLocale.h"
#include "core/model/VeloxData.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

TEST(FileLocale, CommaLocaleStillWritesAndReadsPoints) {
    VeloxData data;
    data.ApplyStartupDefaults();
    data.Cavities[0] = {12.5, 0.25, 16, 0.000001};
    Results results;
    results.RecordArrival(10, 0.25);
    results.TimeSpectrum.ChannelWidth = 0.05;
    const std::string setupInC = FormatSetup(data);
    const std::string resultsInC = FormatResults(results, 36526.5);

    testing::CommaLocale comma;
    if (!comma.active) GTEST_SKIP() << "no locale with a decimal comma could be set up";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const std::locale cpp = std::locale::global(std::locale(std::setlocale(LC_ALL, nullptr)));

    EXPECT_EQ(FormatSetup(data), setupInC);
    EXPECT_NE(setupInC.find("Cavity =\t12.5\t0.25\t16\t0.000001\r\n"), std::string::npos) << setupInC;
    EXPECT_EQ(FormatResults(results, 36526.5), resultsInC);
    const SetupData read = ParseSetup("Cavity num =1\r\nCavity =\t12.5\t0.25\t16.75\t3\r\nStartfazis =-7.5\r\n");
    ASSERT_EQ(read.Cavities.size(), 1u);
    EXPECT_EQ(read.Cavities[0].AccGap, 12.5);
    EXPECT_EQ(read.Cavities[0].GroundGap, 16.75);
    EXPECT_EQ(read.StartPhase, -7.5);
    std::locale::global(cpp);
}

}  // namespace
}  // namespace velox
