#include "files/model/Sweep.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/model/TimedExercise.h"

namespace velox {
namespace {

const SweepItemRule* RuleOf(std::string_view name) {
    for (const SweepItemRule& r : SweepItemRules())
        if (name == r.Name) return &r;
    return nullptr;
}

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    std::int64_t v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return v;
}

std::string Quoted(std::string_view text) {
    std::string out(1, '"');
    out += text;
    out += '"';
    return out;
}

}  // namespace

const std::vector<SweepItemRule>& SweepItemRules() {
    static const std::vector<SweepItemRule> rules{
        {SweepItem::Freq, "Freq", VeloxData::SpinnerMin, VeloxData::SpinnerMax},
        {SweepItem::Ampli, "Ampli", VeloxData::SpinnerMin, VeloxData::SpinnerMax},
        {SweepItem::Startfazis, "Startfazis", -360, 359},
        {SweepItem::Stopfazis, "Stopfazis", 0, 360},
        {SweepItem::Target, "Target", 0, std::numeric_limits<std::int32_t>::max()},
    };
    return rules;
}

const char* SweepItemName(SweepItem item) {
    for (const SweepItemRule& r : SweepItemRules())
        if (r.Item == item) return r.Name;
    return "";
}

SweepAxisParse ParseSweepAxis(std::string_view text) {
    SweepAxisParse out;
    const auto eq = text.find('=');
    const auto c1 = text.find(':', eq == std::string_view::npos ? 0 : eq);
    const auto c2 = c1 == std::string_view::npos ? c1 : text.find(':', c1 + 1);
    if (eq == std::string_view::npos || c2 == std::string_view::npos) {
        out.Error = "a --vary értéke NÉV=TÓL:IG:LÉPÉS alakú, nem ez: " + Quoted(text);
        return out;
    }
    const std::string_view name = text.substr(0, eq);
    const SweepItemRule* rule = RuleOf(name);
    if (rule == nullptr) {
        out.Error = "ismeretlen beállítás a --vary után: " + Quoted(name) +
                    " (lehet: Freq, Ampli, Startfazis, Stopfazis, Target)";
        return out;
    }
    const auto from = WholeNumber(text.substr(eq + 1, c1 - eq - 1));
    const auto to = WholeNumber(text.substr(c1 + 1, c2 - c1 - 1));
    const auto step = WholeNumber(text.substr(c2 + 1));
    if (!from || !to || !step) {
        out.Error = "a --vary " + std::string(name) + " határai és lépése egész számok, nem ez: " + Quoted(text);
        return out;
    }
    if (*step < 1) {
        out.Error = "a --vary " + std::string(name) + " lépése legalább 1: " + Quoted(text);
        return out;
    }
    if (*from > *to) {
        out.Error = "a --vary " + std::string(name) + " kezdőértéke nem lehet nagyobb a végértékénél: " + Quoted(text);
        return out;
    }
    if (*from < rule->Min || *to > rule->Max) {
        out.Error = "a " + std::string(name) + " értéke " + FormatInteger(rule->Min) + " és " + FormatInteger(rule->Max) +
                    " között lehet: " + Quoted(text);
        return out;
    }
    out.Axis = SweepAxis{rule->Item, *from, *to, *step};
    return out;
}

std::optional<std::string> CheckSweepGrid(const std::vector<SweepAxis>& axes) {
    if (axes.empty()) return "legalább egy --vary kell";
    std::int64_t points = 1;
    for (std::size_t i = 0; i < axes.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j)
            if (axes[j].Item == axes[i].Item)
                return std::string("a ") + SweepItemName(axes[i].Item) + " kétszer szerepel a --vary után";
        // Held just above the limit, so that the product cannot overflow.
        points = std::min(points * std::min(axes[i].Count(), MaxSweepPoints + 1), MaxSweepPoints + 1);
    }
    if (points > MaxSweepPoints)
        return "a rács több mint " + FormatInteger(MaxSweepPoints) + " pontból állna; kisebb tartomány vagy nagyobb lépés kell";
    return std::nullopt;
}

std::size_t SweepPointCount(const std::vector<SweepAxis>& axes) {
    std::size_t n = 1;
    for (const SweepAxis& a : axes) n *= static_cast<std::size_t>(a.Count());
    return n;
}

std::vector<std::int64_t> SweepPointValues(const std::vector<SweepAxis>& axes, std::size_t index) {
    std::vector<std::int64_t> values(axes.size());
    for (std::size_t k = axes.size(); k-- > 0;) {
        const auto count = static_cast<std::size_t>(axes[k].Count());
        values[k] = axes[k].From + static_cast<std::int64_t>(index % count) * axes[k].Step;
        index /= count;
    }
    return values;
}

SetupData StartupSetup() {
    VeloxData data;
    data.ApplyStartupDefaults();
    return ParseSetup(FormatSetup(data));
}

SetupData SweepPointSetup(const SetupData& base, const std::vector<SweepAxis>& axes,
                          const std::vector<std::int64_t>& values) {
    SetupData s = base;
    for (std::size_t k = 0; k < axes.size(); ++k) {
        const auto v = static_cast<std::int32_t>(values[k]);
        switch (axes[k].Item) {
            case SweepItem::Freq:
                s.FrequencyLine = true;
                s.FrequencyPosition = v;
                break;
            case SweepItem::Ampli:
                s.VoltageLine = true;
                s.VoltagePosition = v;
                break;
            case SweepItem::Startfazis: s.StartPhase = v; break;
            case SweepItem::Stopfazis: s.StopPhase = v; break;
            case SweepItem::Target: s.TargetLeft = v; break;
        }
    }
    return s;
}

SweepRow RunSweepPoint(const SweepPlan& plan, std::size_t index) {
    SweepRow row;
    row.Values = SweepPointValues(plan.Axes, index);
    const SetupData setup = SweepPointSetup(plan.Base, plan.Axes, row.Values);
    VeloxData data;
    PrepareTimedRun(data, &setup);
    row.Frequency = data.Frequency;
    row.Amplitude = data.Amplitude;
    if (!(data.StartPhase < data.StopPhase)) {
        row.Skipped = true;
        return row;
    }
    RunTimedExercise(data, plan.SpeedIndex);
    row.Figures = FiguresOf(data.Store);
    return row;
}

SweepOutcome RunSweep(const SweepPlan& plan, unsigned threads, const std::atomic<bool>& stop,
                      const SweepProgress& progress) {
    const std::size_t total = SweepPointCount(plan.Axes);
    std::vector<std::optional<SweepRow>> rows(total);
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t done = 0;
    const std::size_t workers = std::max<std::size_t>(1, std::min<std::size_t>(threads, total));
    std::size_t working = workers;

    const auto work = [&] {
        // A point is started only before a stop; every point taken is run.
        while (!stop.load()) {
            const std::size_t i = next.fetch_add(1);
            if (i >= total) break;
            SweepRow row = RunSweepPoint(plan, i);
            const std::lock_guard lock(mutex);
            rows[i] = std::move(row);
            ++done;
            changed.notify_one();
        }
        const std::lock_guard lock(mutex);
        --working;
        changed.notify_one();
    };
    std::vector<std::thread> pool;
    for (std::size_t t = 0; t < workers; ++t) pool.emplace_back(work);

    {
        std::unique_lock lock(mutex);
        while (working > 0) {
            changed.wait_for(lock, std::chrono::milliseconds(250));
            if (progress) {
                const std::size_t d = done;
                lock.unlock();
                progress(d, total);
                lock.lock();
            }
        }
    }
    for (std::thread& t : pool) t.join();

    SweepOutcome out;
    for (std::optional<SweepRow>& r : rows) {
        if (r)
            out.Rows.push_back(std::move(*r));
        else
            ++out.NotRun;
    }
    return out;
}

TextTable SweepTable(const std::vector<SweepAxis>& axes, const std::vector<SweepRow>& rows, const std::string& note) {
    TextTable t;
    for (const SweepAxis& a : axes) t.Header.push_back(SweepItemName(a.Item));
    for (const char* h : {"Frekvencia", "Gyorsítófesz", "Indított", "Beérkezett", "E átlag", "E szórás", "t átlag",
                          "t szórás", "Megjegyzés"})
        t.Header.push_back(h);
    t.Numeric.assign(t.Header.size(), true);
    t.Numeric.back() = false;
    for (const SweepRow& r : rows) {
        std::vector<TableCell> cells;
        for (std::int64_t v : r.Values) cells.push_back(IntegerCell(v));
        cells.push_back(NumberCell(r.Frequency, FormatGeneral(r.Frequency)));
        cells.push_back(NumberCell(r.Amplitude, FormatGeneral(r.Amplitude)));
        std::string remark = note;
        if (r.Skipped) {
            cells.resize(t.Header.size() - 1);
            remark = "kihagyva: a kezdőfázis nincs a végső alatt" + (note.empty() ? "" : "; " + note);
        } else {
            const ResultFigures& f = r.Figures;
            for (const TableCell& c : {IntegerCell(f.Launched), IntegerCell(f.Arrived), StatisticCell(f.Energy.Mean),
                                 StatisticCell(f.Energy.Deviation), StatisticCell(f.Time.Mean),
                                 StatisticCell(f.Time.Deviation)})
                cells.push_back(c);
        }
        cells.emplace_back(std::move(remark));
        t.Rows.push_back(std::move(cells));
    }
    return t;
}

}  // namespace velox
