// The tables that velox-batch prints for a class's results files and for a
// parameter sweep, and their CSV form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "results/model/Spectrum.h"

namespace velox {

// A table of texts: a header row and rows of the same width.  Numbers are
// already written, with "." as the decimal point.
struct TextTable {
    std::vector<std::string> Header;
    // Columns of numbers, right-aligned on the terminal.
    std::vector<bool> Numeric;
    std::vector<std::vector<std::string>> Rows;
};

// RFC 4180: comma-separated, every line ending in CR LF, a field that holds
// a comma, a quote, a CR or an LF in quotes with its quotes doubled.  The
// texts are UTF-8 and are written as they are.
std::string FormatCsv(const TextTable& table);

// What the results panel tells of a measurement: the counters and the
// statistics of both spectra, taken over ArrivedCount.
struct ResultFigures {
    std::int32_t Launched = 0;
    std::int32_t Arrived = 0;
    Statistics Energy;
    Statistics Time;
};

ResultFigures FiguresOf(const Results& results);

// The statistics as the panel writes them: three decimals.
std::string StatisticText(double value);

// Every recorded arrival, one row each: its number from 1, its energy and
// its arrival time, written so that they read back as the same doubles.
// Where one list is longer (a results file may hold lists of different
// lengths) the other's cell stays empty.
TextTable ArrivalsTable(const Results& results);

}  // namespace velox
