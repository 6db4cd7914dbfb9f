#include "files/model/ReportTable.h"

#include <algorithm>

#include "editor/model/NumberText.h"

namespace velox {
namespace {

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

void AppendCsvRow(std::string& out, const std::vector<std::string>& row) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out += ',';
        AppendCsvField(out, row[i]);
    }
    out += "\r\n";
}

}  // namespace

std::string FormatCsv(const TextTable& table) {
    std::string out;
    AppendCsvRow(out, table.Header);
    for (const auto& row : table.Rows) AppendCsvRow(out, row);
    return out;
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
    for (std::size_t i = 0; i < rows; ++i)
        t.Rows.push_back({FormatInteger(static_cast<long long>(i) + 1),
                          i < energies.size() ? FormatRoundTrip(energies[i]) : std::string(),
                          i < times.size() ? FormatRoundTrip(times[i]) : std::string()});
    return t;
}

}  // namespace velox
