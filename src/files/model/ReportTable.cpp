#include "files/model/ReportTable.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

#include "editor/model/NumberText.h"

namespace velox {
namespace {

constexpr std::size_t WidestNumber = 12;
constexpr const char* ByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* ReplacementChar = "\xEF\xBF\xBD";

std::string CsvText(const std::string& text) {
    std::string out;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos) out += '\'';
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8CharLength(text, i);
        out += n == 0 ? std::string(ReplacementChar) : text.substr(i, n);
        i += std::max<std::size_t>(n, 1);
    }
    return out;
}

void AppendCsvField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvRow(std::string& out, const std::vector<TableCell>& row) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out += ',';
        const TableCell& c = row[i];
        AppendCsvField(out, c.Number && !c.TextInCsv ? FormatRoundTrip(*c.Number) : CsvText(c.Text));
    }
    out += "\r\n";
}

}  // namespace

TableCell NumberCell(double value, std::string shown) {
    TableCell c(shown.size() > WidestNumber && std::isfinite(value) ? FormatExponent(value, 3) : std::move(shown));
    c.Number = value;
    return c;
}

TableCell IntegerCell(long long value) { return NumberCell(static_cast<double>(value), FormatInteger(value)); }

TableCell StatisticCell(double value) { return NumberCell(value, StatisticText(value)); }

std::size_t Utf8CharLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (n == 0 || lead > 0xF4 || at + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(k) & 0xC0) != 0x80) return 0;
    // The second byte's range rules out overlong forms, surrogates and
    // values above U+10FFFF.
    const unsigned char second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return n;
}

std::string FormatCsv(const TextTable& table) {
    std::string out = ByteOrderMark;
    AppendCsvRow(out, std::vector<TableCell>(table.Header.begin(), table.Header.end()));
    for (const auto& row : table.Rows) AppendCsvRow(out, row);
    return out;
}

std::string ByteKey(std::string_view text) { return std::string(text); }

void SortTable(TextTable& table, std::size_t column, const CollationKey& key) {
    using Key = std::pair<std::string, std::string>;
    const auto keyOf = [&](const std::string& text) { return Key(key(text), text); };
    struct Order {
        int Missing;            // 1 when the cell has no number (or no text)
        double Negated;         // a number, largest first
        Key Text, Label;
        std::size_t Index;
    };
    const bool numeric = table.Numeric[column];
    std::vector<Order> order;
    order.reserve(table.Rows.size());
    for (std::size_t i = 0; i < table.Rows.size(); ++i) {
        const TableCell& c = table.Rows[i][column];
        const bool missing = numeric ? !c.Number || std::isnan(*c.Number) : c.Text.empty();
        order.push_back({missing ? 1 : 0, numeric && !missing ? -*c.Number : 0.0,
                         numeric || missing ? Key() : keyOf(c.Text), keyOf(table.Rows[i][0].Text), i});
    }
    std::sort(order.begin(), order.end(), [](const Order& a, const Order& b) {
        return std::tie(a.Missing, a.Negated, a.Text, a.Label, a.Index) <
               std::tie(b.Missing, b.Negated, b.Text, b.Label, b.Index);
    });
    std::vector<std::vector<TableCell>> rows;
    rows.reserve(order.size());
    for (const Order& o : order) rows.push_back(std::move(table.Rows[o.Index]));
    table.Rows = std::move(rows);
}

ResultFigures FiguresOf(const Results& results) {
    return {results.LaunchedCount, results.ArrivedCount, ComputeStatistics(results.EnergySums, results.ArrivedCount),
            ComputeStatistics(results.TimeSums, results.ArrivedCount)};
}

std::string StatisticText(double value) { return FormatFixed(value, 0, 3); }

TextTable ArrivalsTable(const Results& results) {
    TextTable t;
    t.Header = {"Sorszám", "Energia", "Érkezési idő"};
    t.Numeric = {true, true, true};
    const std::vector<double>& energies = results.EnergyValues;
    const std::vector<double>& times = results.TimeValues;
    const std::size_t rows = std::max(energies.size(), times.size());
    t.Rows.reserve(rows);
    const auto value = [](const std::vector<double>& list, std::size_t i) {
        return i < list.size() ? NumberCell(list[i], FormatRoundTrip(list[i])) : TableCell();
    };
    for (std::size_t i = 0; i < rows; ++i)
        t.Rows.push_back({IntegerCell(static_cast<long long>(i) + 1), value(energies, i), value(times, i)});
    return t;
}

}  // namespace velox
