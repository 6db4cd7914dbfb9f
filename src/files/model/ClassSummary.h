// A class's results files at a glance: one row per ".edat" file, with the
// set-up file of the same name beside it when there is one, and a row for
// every student's folder without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/model/ReportTable.h"

namespace velox {

// "nincs eredményfájl": a student's folder that holds no results file.
extern const char* const NoResultsFile;

struct ResultsFileEntry {
    std::string Label;      // the path as given, or the folder as given joined with the path below it
    std::string Path;       // the results file; empty for a row without one
    std::string SetupPath;  // the set-up file beside it, if there is one
    std::string Note;       // a row without a file: why
    bool Failed = false;    // the note tells of a folder that could not be read
};

// The results files that the command-line arguments name.  A file is taken
// as given.  A folder is searched through its subfolders, following
// symbolic links and leaving out folders whose names begin with a dot, for
// files ending in ".edat" in any case.  A folder or file reached by several
// paths is taken once, under the path whose label comes first in the order
// of `key`; each other path gets an entry that names it.  Each immediate
// subfolder of a folder argument with nothing below it gets an entry with
// the note NoResultsFile, and so does a folder argument with nothing in it.
// A folder that cannot be read gives a failed entry.
std::vector<ResultsFileEntry> CollectResultsFiles(const std::vector<std::string>& arguments, const CollationKey& key);

// What the set-up file beside a results file sets: the cavity count and the
// generator values of its spinner positions.
struct SetupFigures {
    std::int32_t CavityCount = 0;
    double Frequency = 0.0;
    double Amplitude = 0.0;
};

struct SummaryRow {
    std::string Label;
    // The results file was read without any complaint, its counters are
    // whole numbers of 0 or more and every energy and time in it is finite:
    // only then does the row show its figures.
    bool Read = false;
    ResultFigures Figures;
    double RunClock = 0.0;
    std::optional<SetupFigures> Setup;
    std::string Reason;   // what is wrong with the files of the row, or a note, in Hungarian
    bool Failed = false;  // a results file (or a folder) could not be read
};

// Reads a results file into a fresh start-up state with the results
// reader, and the set-up file beside it; the set-up reader's warnings go
// into the reason.
SummaryRow SummariseResultsFile(const ResultsFileEntry& entry);

// Label, counters, arrived/launched in % (empty with nothing launched), the
// statistics, the run clock as hh:mm:ss, the set-up's cavity count,
// frequency and voltage, and the reason.  Rows in the order given.
TextTable SummaryTable(const std::vector<SummaryRow>& rows);

}  // namespace velox
