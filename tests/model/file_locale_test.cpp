// The files are written and read with "." whatever the locale of the
// process says.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>

#include "../common/TestFiles.h"
#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

// Switches the C and C++ locales to one with a decimal comma, building one
// with localedef when the system has none.
class CommaLocale {
public:
    CommaLocale() {
        for (const char* name : {"hu_HU.UTF-8", "hu_HU.utf8", "de_DE.UTF-8", "de_DE.utf8"})
            if (TryName(name)) return;
        // Build one into a private folder.
        const std::string cmd = "localedef -i hu_HU -f UTF-8 '" + (dir_ / "hu_HU.UTF-8") + "' >/dev/null 2>&1";
        if (std::system(cmd.c_str()) == 0) {
            ::setenv("LOCPATH", dir_.Path().c_str(), 1);
            if (TryName("hu_HU.UTF-8")) return;
            ::unsetenv("LOCPATH");
        }
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
        ::unsetenv("LOCPATH");
    }
    bool Active() const { return active_; }

private:
    bool TryName(const char* name) {
        if (std::setlocale(LC_ALL, name) == nullptr) return false;
        if (std::string(std::localeconv()->decimal_point) != ",") {
            std::setlocale(LC_ALL, "C");
            return false;
        }
        try {
            std::locale::global(std::locale(name));
        } catch (const std::exception&) {
        }
        active_ = true;
        return true;
    }
    testing::TempDir dir_;
    bool active_ = false;
};

TEST(FileLocale, CommaLocaleStillWritesAndReadsPoints) {
    VeloxData data;
    data.ApplyStartupDefaults();
    data.Cavities[0] = {12.5, 0.25, 16, 0.000001};
    Results results;
    results.RecordArrival(10, 0.25);
    results.TimeSpectrum.ChannelWidth = 0.05;
    const std::string setupInC = FormatSetup(data);
    const std::string resultsInC = FormatResults(results, 36526.5);

    CommaLocale comma;
    if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma could be set up";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");

    const std::string setup = FormatSetup(data);
    EXPECT_EQ(setup, setupInC);
    EXPECT_NE(setup.find("Cavity =\t12.5\t0.25\t16\t0.000001\r\n"), std::string::npos) << setup;
    EXPECT_EQ(setup.find(','), std::string::npos);
    EXPECT_EQ(FormatResults(results, 36526.5), resultsInC);

    const SetupData read = ParseSetup("Cavity num =1\r\nCavity =\t12.5\t0.25\t16.75\t3\r\nStartfazis =-7.5\r\n");
    ASSERT_EQ(read.Cavities.size(), 1u);
    EXPECT_EQ(read.Cavities[0].AccGap, 12.5);
    EXPECT_EQ(read.Cavities[0].GroundGap, 16.75);
    EXPECT_EQ(read.StartPhase, -7.5);
    EXPECT_EQ(FormatFixed(175.8286, 0, 3), "175.829");
}

}  // namespace
}  // namespace velox
