// The results file (".edat"): 8-byte little-endian doubles only.  The
// energies, the separator -9999.0, the arrival times, the separator again,
// then 13 closing records: the two counters, the run clock and the settings
// of both spectra.
//
// As with the set-up file, the reader returns what it read and applying it
// is a separate step, so that a damaged file changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/model/FileAccess.h"
#include "results/model/Spectrum.h"

namespace velox {

inline constexpr double ResultsSeparator = -9999.0;
inline constexpr std::size_t ResultsRecordSize = 8;
inline constexpr std::size_t ClosingRecordCount = 13;

// The five closing records of one spectrum, as they stand in the file.
struct SpectrumRecords {
    double ChannelWidth = 0.0;
    double XMin = 0.0;
    double XMax = 0.0;
    double YMax = 0.0;
    double Auto = 0.0;
};

// The closing section, as it stands in the file.
struct ClosingRecords {
    double ArrivedCount = 0.0;
    double LaunchedCount = 0.0;
    double RunClock = 0.0;
    SpectrumRecords Energy;
    SpectrumRecords Time;
};

struct ResultsData {
    std::vector<double> EnergyValues;
    std::vector<double> TimeValues;
    // Added up in file order, exactly as arrivals add them.
    ResultSums EnergySums;
    ResultSums TimeSums;
    // Absent when the file ends with (or before) the second separator.
    std::optional<ClosingRecords> Closing;
};

struct ResultsReadResult {
    FileStatus Status = FileStatus::Failed;
    ResultsData Data;   // when Status is Ok
    std::string Error;  // when Status is Failed
};

// Reads the bytes of a results file.  A trailing part shorter than a record
// counts as the end of the file.  A file that ends inside the closing
// records fails.
ResultsReadResult ParseResults(std::string_view bytes);

ResultsReadResult ReadResultsFile(const std::string& path, std::uint64_t maxBytes = ResultsFileLimit);

// Replaces the results with what was read, in one step: the lists, the sums
// and the arrived count always; the launched count, the run clock and the
// settings when the file has a closing section.  A counter or setting the window could never hold keeps
// its current value, and the rest of the file loads: a channel width below
// the 0.01 that the "Csat." field accepts or not finite, a shown range that
// is not at least 20 channels wide from a first channel of 0 or more (both
// ends are taken or neither), a YMax below 1, a value outside 32 bits, a
// negative or non-finite counter, a run clock that is negative, not finite
// or more than ten years after the restart value (above 40179.0 days).  The
// arrived count, the divisor of the statistics, is the number of energies
// read, whatever the file's record says.  Both spectra are rebinned; the
// window redraws them.  `flying` particles still in flight fly on into the
// loaded results and count as launched there: they are added to the file's
// launch count, which stops at the largest 32-bit value; a file without
// counters leaves the present launch count, which counts them already.
void ApplyResults(Results& results, double& runClock, const ResultsData& data, std::int32_t flying = 0);

struct ResultsLoadResult {
    FileStatus Status = FileStatus::Failed;
    std::string Error;
};

// Reading and applying together, as the results "Betöltés" command does: a
// file that is missing, cannot be read or ends inside the closing records
// changes nothing.
ResultsLoadResult LoadResultsFile(Results& results, double& runClock, const std::string& path);

// The exact bytes of the results file.
std::string FormatResults(const Results& results, double runClock);

WriteOutcome WriteResultsFile(const std::string& path, const Results& results, double runClock);

// One record in little-endian byte order, and back.
std::array<unsigned char, 8> EncodeRecord(double value);
double DecodeRecord(const unsigned char* bytes);

}  // namespace velox
