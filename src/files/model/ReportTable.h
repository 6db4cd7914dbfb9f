// The tables that velox-batch prints for a class's results files and for a
// parameter sweep, and their CSV form.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "results/model/Spectrum.h"

namespace velox {

// One cell: its text as the terminal shows it and, in a cell of a number,
// the number itself, which the CSV writes in full and --sort compares.
struct TableCell {
    std::string Text;
    std::optional<double> Number;
    // The CSV keeps Text (a run time as hh:mm:ss), the number only sorts.
    bool TextInCsv = false;

    TableCell() = default;
    TableCell(std::string text) : Text(std::move(text)) {}  // NOLINT: a text cell
    TableCell(const char* text) : Text(text) {}             // NOLINT: a text cell
};

// A number cell shown as `shown`; a form longer than 12 characters is shown
// as "d.dddE<exponent>" instead, so that no file can widen a column at will.
TableCell NumberCell(double value, std::string shown);
TableCell IntegerCell(long long value);
// The statistics as the panel writes them: three decimals.
TableCell StatisticCell(double value);

// A header row and rows of the same width.
struct TextTable {
    std::vector<std::string> Header;
    // Columns of numbers, right-aligned on the terminal.
    std::vector<bool> Numeric;
    std::vector<std::vector<TableCell>> Rows;
};

// RFC 4180 after a UTF-8 byte-order mark: comma-separated, every line ending
// in CR LF, a field that holds a comma, a quote, a CR or an LF in quotes with
// its quotes doubled.  Numbers are written in the shortest form that reads
// back as the same double.  In text, each byte that is not part of valid
// UTF-8 becomes U+FFFD, and a text beginning with "=", "+", "-", "@", TAB or
// CR gets a leading apostrophe, so that a spreadsheet never takes it for a
// formula.
std::string FormatCsv(const TextTable& table);

// The length of the well-formed UTF-8 character at `at` (1 to 4), or 0 when
// the byte there does not start one: a stray continuation byte, a sequence
// cut short, an overlong form, a surrogate or a value above U+10FFFF.
std::size_t Utf8CharLength(std::string_view text, std::size_t at);

// The order of texts: texts compare as their keys do (bytewise), ties by
// their bytes.  Without a collation the key is the text itself.
using CollationKey = std::function<std::string(std::string_view)>;
std::string ByteKey(std::string_view text);

// Sorts the rows by `column`: numbers largest first, texts in the order of
// `key`; cells without a number (or empty texts) last; ties by the first
// column in the order of `key`, then by the rows' previous order.
void SortTable(TextTable& table, std::size_t column, const CollationKey& key);

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
