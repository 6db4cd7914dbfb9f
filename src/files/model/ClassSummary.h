// A class's results files at a glance: one row per ".edat" file, with the
// set-up file of the same name beside it when there is one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/model/ReportTable.h"

namespace velox {

struct ResultsFileEntry {
    std::string Label;  // the path as given, or relative to the folder it was found in
    std::string Path;
    std::string Error;  // a folder that could not be searched or held no results file
};

// The results files that the command-line arguments name.  A file is taken
// as given; a folder is searched through all its subfolders (symbolic links
// to folders are not followed) for "*.edat".  A folder that cannot be read,
// or holds no results file, gives an entry with its Error.
std::vector<ResultsFileEntry> CollectResultsFiles(const std::vector<std::string>& arguments);

// What the set-up file beside a results file sets: the cavity count and the
// generator values of its spinner positions.
struct SetupFigures {
    std::int32_t CavityCount = 0;
    double Frequency = 0.0;
    double Amplitude = 0.0;
};

struct SummaryRow {
    std::string Label;
    bool Read = false;  // the results file was read; Figures and RunClock hold
    ResultFigures Figures;
    double RunClock = 0.0;
    std::optional<SetupFigures> Setup;
    std::string Error;  // why a file of the row could not be read, in Hungarian

    bool Failed() const { return !Error.empty(); }
};

// Reads a results file into a fresh start-up state with the results
// reader, so that a value the reader refuses shows its start-up value.  A
// file without its closing records is read as the reader reads it, and the
// row says that it is cut short.
SummaryRow SummariseResultsFile(const ResultsFileEntry& entry);

// Every file the arguments name, sorted by label.
std::vector<SummaryRow> SummariseResultsFiles(const std::vector<std::string>& arguments);

// Label, counters, arrived/launched in % (empty with nothing launched), the
// statistics, the run clock as hh:mm:ss, the set-up's cavity count,
// frequency and voltage, and the error.
TextTable SummaryTable(const std::vector<SummaryRow>& rows);

}  // namespace velox
