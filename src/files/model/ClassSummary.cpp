#include "files/model/ClassSummary.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/model/Extended.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

namespace fs = std::filesystem;

// Adds the results files below `folder`, labelled `prefix` + their path
// below it; a folder that cannot be read through adds an entry that says so.
void SearchFolder(const fs::path& folder, const std::string& prefix, std::vector<ResultsFileEntry>& out) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    std::vector<fs::directory_entry> entries;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) entries.push_back(*it);
    if (ec) {
        const std::string label = prefix.empty() ? folder.string() : prefix;
        out.push_back({label, folder.string(), "A mappa nem olvasható: " + folder.string() + ": " + ec.message()});
    }
    for (const fs::directory_entry& e : entries) {
        const std::string name = e.path().filename().string();
        std::error_code se;
        if (e.symlink_status(se).type() == fs::file_type::directory) {
            SearchFolder(e.path(), prefix + name + "/", out);
        } else if (e.path().extension() == ".edat" && !e.is_directory(se)) {
            out.push_back({prefix + name, e.path().string(), ""});
        }
    }
}

}  // namespace

std::vector<ResultsFileEntry> CollectResultsFiles(const std::vector<std::string>& arguments) {
    std::vector<ResultsFileEntry> out;
    for (const std::string& arg : arguments) {
        std::error_code ec;
        if (!fs::is_directory(arg, ec)) {
            out.push_back({arg, arg, ""});
            continue;
        }
        const std::size_t before = out.size();
        SearchFolder(arg, "", out);
        if (out.size() == before) out.push_back({arg, arg, "A mappában nincs eredményfájl (*.edat): " + arg});
    }
    return out;
}

SummaryRow SummariseResultsFile(const ResultsFileEntry& entry) {
    SummaryRow row;
    row.Label = entry.Label;
    if (!entry.Error.empty()) {
        row.Error = entry.Error;
        return row;
    }

    VeloxData data;
    data.ApplyStartupDefaults();
    double clock = 0.0;  // the run clock of a freshly started window
    const ResultsReadResult read = ReadResultsFile(entry.Path);
    if (read.Status == FileStatus::Ok) {
        ApplyResults(data.Store, clock, read.Data);
        row.Read = true;
        row.Figures = FiguresOf(data.Store);
        row.RunClock = clock;
        // The reader takes a file that ends before its closing records,
        // keeping the counters, but every file this system writes has them.
        if (!read.Data.Closing) row.Error = "Az eredményfájl csonka: hiányoznak a záró rekordok (számlálók, futási idő).";
    } else {
        row.Error = read.Error;
    }

    const std::string setupPath = fs::path(entry.Path).replace_extension(".gydat").string();
    const SetupReadResult setup = ReadSetupFile(setupPath);
    if (setup.Status == FileStatus::Ok) {
        VeloxData s;
        s.ApplyStartupDefaults();
        ApplySetup(s, setup.Data);
        row.Setup = SetupFigures{s.Cavities.CavityCount(), s.Frequency, s.Amplitude};
    } else if (setup.Status == FileStatus::Failed) {
        row.Error += (row.Error.empty() ? "" : "; ") + setup.Error;
    }
    return row;
}

std::vector<SummaryRow> SummariseResultsFiles(const std::vector<std::string>& arguments) {
    std::vector<SummaryRow> rows;
    for (const ResultsFileEntry& e : CollectResultsFiles(arguments)) rows.push_back(SummariseResultsFile(e));
    std::stable_sort(rows.begin(), rows.end(), [](const SummaryRow& a, const SummaryRow& b) { return a.Label < b.Label; });
    return rows;
}

TextTable SummaryTable(const std::vector<SummaryRow>& rows) {
    TextTable t;
    t.Header = {"Fájl",    "Indított",   "Beérkezett", "Arány (%)",  "E átlag",      "E szórás", "t átlag",
                "t szórás", "Futási idő", "Üregek",     "Frekvencia", "Gyorsítófesz", "Hiba"};
    t.Numeric = {false, true, true, true, true, true, true, true, true, true, true, true, false};
    for (const SummaryRow& r : rows) {
        std::vector<std::string> cells(t.Header.size());
        cells[0] = r.Label;
        if (r.Read) {
            const ResultFigures& f = r.Figures;
            cells[1] = FormatInteger(f.Launched);
            cells[2] = FormatInteger(f.Arrived);
            if (f.Launched != 0)
                cells[3] = FormatFixed(static_cast<double>(Extended(100.0) * f.Arrived / f.Launched), 0, 1);
            cells[4] = StatisticText(f.Energy.Mean);
            cells[5] = StatisticText(f.Energy.Deviation);
            cells[6] = StatisticText(f.Time.Mean);
            cells[7] = StatisticText(f.Time.Deviation);
            cells[8] = FormatTimeOfDay(r.RunClock);
        }
        if (r.Setup) {
            cells[9] = FormatInteger(r.Setup->CavityCount);
            cells[10] = FormatGeneral(r.Setup->Frequency);
            cells[11] = FormatGeneral(r.Setup->Amplitude);
        }
        cells[12] = r.Error;
        t.Rows.push_back(std::move(cells));
    }
    return t;
}

}  // namespace velox
