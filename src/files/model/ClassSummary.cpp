#include "files/model/ClassSummary.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <queue>
#include <system_error>

#include "core/model/Extended.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox {

const char* const NoResultsFile = "nincs eredményfájl";

namespace {

namespace fs = std::filesystem;
constexpr std::size_t None = static_cast<std::size_t>(-1);

bool EndsWithNoCase(std::string_view name, std::string_view lowerSuffix) {
    if (name.size() < lowerSuffix.size()) return false;
    return std::equal(lowerSuffix.begin(), lowerSuffix.end(), name.end() - static_cast<long>(lowerSuffix.size()),
                      [](char s, char c) { return s == (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
}

// The set-up file beside `fileName` among the names of its folder: the same
// name with ".gydat" for its last suffix, in any case, ".gydat" itself first.
std::string SetupBeside(const std::vector<std::string>& names, const std::string& fileName) {
    const std::string stem = fs::path(fileName).stem().string();
    std::string best;
    for (const std::string& n : names)
        if (n.size() == stem.size() + 6 && n.starts_with(stem) && EndsWithNoCase(n, ".gydat") &&
            (best.empty() || n == stem + ".gydat" || (best != stem + ".gydat" && n < best)))
            best = n;
    return best;
}

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

using Identity = std::pair<dev_t, ino_t>;

std::optional<Identity> IdentityOf(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return Identity(st.st_dev, st.st_ino);
}

// A path waiting to be looked at.  Paths are taken in the order of their
// labels, and a path's label never comes before that of the folder it was
// found in, so the first path taken to a folder or file is the one whose
// label comes first.
struct Pending {
    std::string Key, Label;
    fs::path Path;
    bool Folder = false;
    bool Argument = false;  // a folder given on the command line
    std::size_t Group = None;
    std::string SetupPath;

    bool operator>(const Pending& o) const { return std::tie(Key, Label) > std::tie(o.Key, o.Label); }
};

// A folder argument or a student's folder right below one: it gets a row
// of its own when nothing below it has one.
struct Group {
    std::string Label;
    std::size_t Parent = None;
    bool HasRows = false;
};

class Collector {
public:
    explicit Collector(const CollationKey& key) : key_(key) {}

    void AddArgument(const std::string& arg) {
        if (arg.empty()) {  // nothing to read, and no row without one
            ResultsFileEntry e{arg, "", "", "Nincs megadva fájlnév."};
            e.Failed = true;
            Add(std::move(e), None);
            return;
        }
        std::error_code ec;
        if (!fs::is_directory(arg, ec)) {
            const fs::path path(arg);
            const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
            Push(arg, path, false, false, None, Beside(folder, NamesIn(folder), path.filename().string()));
            return;
        }
        std::string label = arg;
        while (label.size() > 1 && label.ends_with('/')) label.pop_back();
        Push(label, arg, true, true, NewGroup(label, None));
    }

    std::vector<ResultsFileEntry> Run() {
        while (!queue_.empty()) {
            Pending p = queue_.top();
            queue_.pop();
            if (const auto id = IdentityOf(p.Path)) {
                const auto [it, fresh] = seen_.emplace(*id, p.Label);
                if (!fresh) {
                    const char* what = p.Folder ? "ugyanaz a mappa, mint ez: " : "ugyanaz a fájl, mint ez: ";
                    if (it->second != p.Label) Add({p.Label, "", "", what + it->second}, p.Group);
                    else Mark(p.Group);
                    continue;
                }
            }
            if (p.Folder)
                Search(p);
            else
                Add({p.Label, p.Path.string(), p.SetupPath, ""}, p.Group);
        }
        // Children were made after their parents: a student's row counts
        // for the folder argument above it.
        for (std::size_t g = groups_.size(); g-- > 0;)
            if (!groups_[g].HasRows) Add({groups_[g].Label, "", "", NoResultsFile}, g);
        return std::move(out_);
    }

private:
    void Push(const std::string& label, const fs::path& path, bool folder, bool argument, std::size_t group,
              const std::string& setupPath = "") {
        queue_.push({key_(label), label, path, folder, argument, group, setupPath});
    }

    std::size_t NewGroup(const std::string& label, std::size_t parent) {
        groups_.push_back({label, parent});
        return groups_.size() - 1;
    }

    void Mark(std::size_t group) {
        for (; group != None && !groups_[group].HasRows; group = groups_[group].Parent) groups_[group].HasRows = true;
    }

    void Add(ResultsFileEntry e, std::size_t group) {
        Mark(group);
        out_.push_back(std::move(e));
    }

    static std::string Beside(const fs::path& folder, const std::vector<std::string>& names, const std::string& name) {
        const std::string setup = SetupBeside(names, name);
        return setup.empty() ? setup : (folder / setup).string();
    }

    void Search(const Pending& folder) {
        std::error_code ec;
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(folder.Path, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
            entries.push_back(it->path());
        if (ec) {
            ResultsFileEntry e{folder.Label, "", "",
                               "A mappa nem olvasható: " + folder.Path.string() + ": " + ec.message()};
            e.Failed = true;
            Add(std::move(e), folder.Group);
        }
        std::vector<std::string> names;
        for (const fs::path& e : entries) names.push_back(e.filename().string());
        const std::string prefix = folder.Label.ends_with('/') ? folder.Label : folder.Label + "/";
        for (const fs::path& e : entries) {
            const std::string name = e.filename().string();
            std::error_code se;
            if (fs::is_directory(e, se)) {
                if (name.starts_with('.')) continue;
                const std::size_t group = folder.Argument ? NewGroup(prefix + name, folder.Group) : folder.Group;
                Push(prefix + name, e, true, false, group);
            } else if (EndsWithNoCase(name, ".edat")) {
                Push(prefix + name, e, false, false, folder.Group, Beside(folder.Path, names, name));
            }
        }
    }

    const CollationKey& key_;
    std::priority_queue<Pending, std::vector<Pending>, std::greater<>> queue_;
    std::map<Identity, std::string> seen_;
    std::vector<Group> groups_;
    std::vector<ResultsFileEntry> out_;
};

bool WholeCount(double v) { return v >= 0 && v <= std::numeric_limits<std::int32_t>::max() && v == std::trunc(v); }

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Why the read file shows no figures, or nothing.
std::string Damage(const ResultsData& d) {
    if (!d.Closing) return "Az eredményfájl csonka: hiányoznak a záró rekordok (számlálók, futási idő).";
    if (!WholeCount(d.Closing->ArrivedCount) || !WholeCount(d.Closing->LaunchedCount))
        return "Az eredményfájl sérült: a részecskék száma nem 0 vagy nagyobb egész szám.";
    if (!AllFinite(d.EnergyValues) || !AllFinite(d.TimeValues) || !std::isfinite(d.Closing->RunClock))
        return "Az eredményfájl sérült: nem véges energia, érkezési idő vagy futási idő van benne.";
    return "";
}

void AddReason(std::string& reason, const std::string& more) { reason += (reason.empty() ? "" : "; ") + more; }

}  // namespace

std::vector<ResultsFileEntry> CollectResultsFiles(const std::vector<std::string>& arguments, const CollationKey& key) {
    Collector c(key);
    for (const std::string& arg : arguments) c.AddArgument(arg);
    return c.Run();
}

SummaryRow SummariseResultsFile(const ResultsFileEntry& entry) {
    SummaryRow row;
    row.Label = entry.Label;
    if (entry.Path.empty()) {
        row.Reason = entry.Note;
        row.Failed = entry.Failed;
        return row;
    }

    const ResultsReadResult read = ReadResultsFile(entry.Path);
    row.Reason = read.Status == FileStatus::Ok ? Damage(read.Data) : read.Error;
    if (row.Reason.empty()) {
        VeloxData data;
        data.ApplyStartupDefaults();
        double clock = 0.0;  // the run clock of a freshly started window
        ApplyResults(data.Store, clock, read.Data);
        row.Figures = FiguresOf(data.Store);
        row.RunClock = clock;
        const ResultFigures& f = row.Figures;
        row.Read = std::isfinite(f.Energy.Mean) && std::isfinite(f.Energy.Deviation) && std::isfinite(f.Time.Mean) &&
                   std::isfinite(f.Time.Deviation);
        if (!row.Read)
            row.Reason = "Az eredményfájl értékei túl nagyok, az átlaguk és a szórásuk nem számítható ki.";
    }
    row.Failed = !row.Read;

    if (entry.SetupPath.empty()) return row;
    const SetupReadResult setup = ReadSetupFile(entry.SetupPath);
    if (setup.Status == FileStatus::Ok) {
        VeloxData s;
        s.ApplyStartupDefaults();
        ApplySetup(s, setup.Data);
        if (row.Read) row.Setup = SetupFigures{s.Cavities.CavityCount(), s.Frequency, s.Amplitude};
        if (setup.Data.ShowCountWarning()) AddReason(row.Reason, CountWarningText);
    } else if (setup.Status == FileStatus::Failed) {
        AddReason(row.Reason, setup.Error);
    }
    return row;
}

TextTable SummaryTable(const std::vector<SummaryRow>& rows) {
    TextTable t;
    t.Header = {"Fájl",    "Indított",   "Beérkezett", "Arány (%)",  "E átlag",      "E szórás", "t átlag",
                "t szórás", "Futási idő", "Üregek",     "Frekvencia", "Gyorsítófesz", "Hiba"};
    t.Numeric = {false, true, true, true, true, true, true, true, true, true, true, true, false};
    for (const SummaryRow& r : rows) {
        std::vector<TableCell> cells(t.Header.size());
        cells[0] = r.Label;
        if (r.Read) {
            const ResultFigures& f = r.Figures;
            cells[1] = IntegerCell(f.Launched);
            cells[2] = IntegerCell(f.Arrived);
            if (f.Launched != 0) {
                const auto percent = static_cast<double>(Extended(100.0) * f.Arrived / f.Launched);
                cells[3] = NumberCell(percent, FormatFixed(percent, 0, 1));
            }
            cells[4] = StatisticCell(f.Energy.Mean);
            cells[5] = StatisticCell(f.Energy.Deviation);
            cells[6] = StatisticCell(f.Time.Mean);
            cells[7] = StatisticCell(f.Time.Deviation);
            cells[8] = FormatTimeOfDay(r.RunClock);
            cells[8].Number = r.RunClock;
            cells[8].TextInCsv = true;
        }
        if (r.Setup) {
            cells[9] = IntegerCell(r.Setup->CavityCount);
            cells[10] = NumberCell(r.Setup->Frequency, FormatGeneral(r.Setup->Frequency));
            cells[11] = NumberCell(r.Setup->Amplitude, FormatGeneral(r.Setup->Amplitude));
        }
        cells[12] = r.Reason;
        t.Rows.push_back(std::move(cells));
    }
    return t;
}

}  // namespace velox
