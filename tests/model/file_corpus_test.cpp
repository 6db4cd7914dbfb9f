// The seed files of the fuzz targets, checked as the fuzz targets check
// every input, so that each file kept there (crash finds included) stays a
// regression test of the ordinary build.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../../fuzz/FileChecks.h"
#include "../common/TestFiles.h"

namespace velox {
namespace {

TEST(FileCorpus, SeedFilesPassTheFuzzChecks) {
    for (auto [kind, problem] : {std::pair{"setup", &fuzzing::SetupInputProblem}, {"results", &fuzzing::ResultsInputProblem}}) {
        int files = 0;
        for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(VELOX_SOURCE_DIR) / "tests/corpus" / kind)) {
            const std::string bytes = testing::ReadBytes(e.path().string());
            EXPECT_EQ(problem(bytes), "") << e.path();
            ++files;
        }
        EXPECT_GE(files, 10) << kind;
    }
    // The damaged seeds include one that ends inside the closing records.
    const auto cut = std::filesystem::path(VELOX_SOURCE_DIR) / "tests/corpus/results/cut_in_closing.edat";
    EXPECT_EQ(ParseResults(testing::ReadBytes(cut.string())).Status, FileStatus::Failed);
}

}  // namespace
}  // namespace velox
