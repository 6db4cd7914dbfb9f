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

std::vector<std::filesystem::path> CorpusFiles(const char* kind) {
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(VELOX_SOURCE_DIR) / "tests/corpus" / kind))
        if (e.is_regular_file()) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(FileCorpus, SetupFiles) {
    const auto files = CorpusFiles("setup");
    ASSERT_GE(files.size(), 10u);
    for (const auto& f : files) EXPECT_EQ(fuzzing::SetupInputProblem(testing::ReadBytes(f.string())), "") << f;
}

TEST(FileCorpus, ResultsFiles) {
    const auto files = CorpusFiles("results");
    ASSERT_GE(files.size(), 10u);
    int failing = 0;
    for (const auto& f : files) {
        const std::string bytes = testing::ReadBytes(f.string());
        EXPECT_EQ(fuzzing::ResultsInputProblem(bytes), "") << f;
        failing += ParseResults(bytes).Status != FileStatus::Ok;
    }
    // The damaged seeds include one that ends inside the closing records.
    EXPECT_GE(failing, 1);
}

}  // namespace
}  // namespace velox
