// velox-batch sweep: the timed exercise over a grid of set-up items, in
// parallel, with a progress line and a clean stop on Ctrl+C.
#include <sched.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/batch/Commands.h"
#include "files/model/Sweep.h"
#include "files/model/TimedExercise.h"

namespace velox::batch {
namespace {

const char* const SweepHelp =
    "Használat: velox-batch sweep [--setup FÁJL.gydat] [--speed 1..5]\n"
    "                             --vary NÉV=TÓL:IG:LÉPÉS [--vary ...] [--csv FÁJL.csv]\n"
    "\n"
    "A rács minden pontjára lefuttatja az időre szóló mérést, mindegyiket pontosan\n"
    "úgy, ahogy a velox-batch --setup futtatná azt a gyorsítót, amelyben a NÉV\n"
    "nevű beállítás a pont értékét kapja (ugyanaz az indulás, ugyanaz a\n"
    "véletlensorozat). Soronként: a változtatott beállítások, az eredő frekvencia\n"
    "és gyorsítófeszültség (ahogy a \"Frekvencia:\" és a \"Gyorsítófesz:\" mező\n"
    "mutatja), az indított és a beérkezett részecskék száma, az energia és az\n"
    "érkezési idő átlaga és szórása.\n"
    "\n"
    "A NÉV a gyorsító adatfájljának kulcsszava:\n"
    "  Freq, Ampli    a frekvencia és a feszültség léptetőjének állása, 0-100\n"
    "  Startfazis     a kezdőfázis, -360-tól 359-ig\n"
    "  Stopfazis      a végső fázis, 0-tól 360-ig\n"
    "  Target         a céltárgy helye, 0 vagy nagyobb\n"
    "TÓL, IG és LÉPÉS egész számok, LÉPÉS legalább 1, TÓL legfeljebb IG. Több\n"
    "--vary rácsot ad (az első változik a leglassabban), legfeljebb 100000 ponttal.\n"
    "Az a pont, ahol a kezdőfázis nincs a végső alatt, nem fut le: a sora\n"
    "\"kihagyva\".\n"
    "\n"
    "  --setup FÁJL   a változtatott gyorsító ebből a fájlból, az induló\n"
    "                 beállításra töltve; nélküle az induló beállítás\n"
    "  --speed N      sebesség 1-től 5-ig; alapérték: 5\n"
    "  --vary ...     a változtatott beállítás és értékei (lásd fent)\n"
    "  --csv FÁJL     ugyanez a táblázat CSV-fájlba is (vesszővel elválasztva,\n"
    "                 tizedesponttal, fejléccel, UTF-8 kódolással)\n"
    "  --help         ez a leírás\n"
    "\n"
    "A pontok párhuzamosan futnak, processzormagonként egy szálon; a sorok mégis a\n"
    "rács sorrendjében jönnek. Ha a hibakimenet terminál, egy sor mutatja a\n"
    "haladást. Ctrl+C (vagy SIGTERM) után a futó pontok még befejeződnek, a kész\n"
    "sorok kiíródnak a terminálra, a CSV-fájl viszont nem készül el (a régi\n"
    "megmarad), és a program 130-as (SIGTERM után 143-as) kóddal kilép.\n"
    "\n"
    "Kilépési kód: 0 siker, 1 fájlhiba, 2 hibás paraméter vagy rács, 130 és 143\n"
    "megszakítva.\n";

std::atomic<bool> Interrupted{false};
std::atomic<int> InterruptSignal{0};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int signal) {
    int none = 0;
    InterruptSignal.compare_exchange_strong(none, signal);
    Interrupted.store(true);
}

// Ctrl+C or SIGTERM stops the sweep after the running points; a second one
// ends the program at once.
void CatchInterrupt() {
    struct sigaction sa {};
    sa.sa_handler = OnInterrupt;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM}) sigaction(signal, &sa, nullptr);
}

std::string Duration(std::chrono::seconds s) {
    const long long t = s.count();
    const auto two = [](long long v) { return std::string(v < 10 ? "0" : "") + FormatInteger(v); };
    return (t >= 3600 ? FormatInteger(t / 3600) + ":" + two(t / 60 % 60) : FormatInteger(t / 60)) + ":" + two(t % 60);
}

// The cores this process may run on, as taskset or a cpuset allows them;
// the sweep runs one thread on each.
// Without Linux's affinity call (WebAssembly) it is what the runtime tells.
unsigned CoreCount() {
#ifdef __linux__
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return static_cast<unsigned>(CPU_COUNT(&set));
#endif
    return std::max(1u, std::thread::hardware_concurrency());
}

struct SweepOptions {
    std::optional<std::string> Setup;
    int SpeedIndex = 4;
    std::vector<SweepAxis> Axes;
    std::vector<std::string> Csv;
};

std::optional<std::string> ReadOptions(const Arguments& args, SweepOptions& o) {
    if (!args.Operands.empty()) return "ismeretlen paraméter: " + args.Operands.front();
    for (const auto& [name, value] : args.Options) {
        if (name == "--setup") {
            o.Setup = value;
        } else if (name == "--speed") {
            if (auto error = ReadSpeed(value, o.SpeedIndex)) return error;
        } else if (name == "--vary") {
            SweepAxisParse axis = ParseSweepAxis(value);
            if (!axis.Axis) return axis.Error;
            o.Axes.push_back(*axis.Axis);
        } else {
            o.Csv.push_back(value);
        }
    }
    return CheckSweepGrid(o.Axes);
}

}  // namespace

int RunSweep(int argc, char** argv) {
    Arguments args;
    if (const auto error = ParseArguments(argc, argv, {"--setup", "--speed", "--vary", "--csv"}, args))
        return UsageError("sweep", *error);
    if (args.Help) return PrintOut(SweepHelp) ? ExitOk : ExitFailed;
    SweepOptions options;
    if (const auto error = ReadOptions(args, options)) return UsageError("sweep", *error);
    // The target is checked before the set-up is read or a point runs.
    std::vector<std::string> inputs;
    if (options.Setup) inputs.push_back(*options.Setup);
    for (const std::string& path : options.Csv)
        if (const auto refused = CheckCsvTarget(path, inputs)) return UsageError("sweep", *refused);

    SweepPlan plan;
    std::string note;
    plan.Axes = options.Axes;
    plan.SpeedIndex = options.SpeedIndex;
    if (options.Setup) {
        SetupReadResult read = ReadSetupFile(*options.Setup);
        if (read.Status == FileStatus::Missing) {
            Print(stderr, "velox-batch: a gyorsító adatfájlja nem található: " + *options.Setup + "\n");
            return ExitFailed;
        }
        if (read.Status == FileStatus::Failed) {
            Print(stderr, "velox-batch: " + read.Error + "\n");
            return ExitFailed;
        }
        if (read.Data.ShowCountWarning()) {
            Print(stderr, std::string("velox-batch: ") + CountWarningTitle + " " + CountWarningText + "\n");
            note = CountWarningText;
        }
        plan.Base = std::move(read.Data);
    } else {
        plan.Base = StartupSetup();
    }
    {
        VeloxData base;
        PrepareTimedRun(base, &plan.Base);
        if (base.Cavities.CavityCount() == 0) {
            Print(stderr, "velox-batch: a gyorsítóban nincs egy üreg sem, így a mérés nem indítható\n");
            return ExitFailed;
        }
    }

    CatchInterrupt();
    const bool showProgress = ::isatty(STDERR_FILENO) == 1;
    const auto start = std::chrono::steady_clock::now();
    const auto progress = [&](std::size_t done, std::size_t total) {
        using std::chrono::duration_cast;
        const auto elapsed = duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::string line = "\rFutás: " + FormatInteger(static_cast<long long>(done)) + "/" +
                           FormatInteger(static_cast<long long>(total)) + " pont, eltelt " +
                           Duration(duration_cast<std::chrono::seconds>(elapsed));
        if (done > 0 && done < total) {
            const auto left = std::chrono::milliseconds(elapsed.count() * static_cast<long long>(total - done) /
                                                        static_cast<long long>(done));
            line += ", hátravan kb. " + Duration(duration_cast<std::chrono::seconds>(left));
        }
        if (Interrupted.load()) line += " (leállítás: a futó pontok befejeződnek)";
        Print(stderr, line + "\x1b[K");
        std::fflush(stderr);
    };
    const unsigned threads = CoreCount();
    const SweepOutcome outcome =
        RunSweep(plan, threads, Interrupted, showProgress ? SweepProgress(progress) : SweepProgress());
    if (showProgress) Print(stderr, "\r\x1b[K");

    // Taken once: a CSV is written only by a sweep that ran to its end.
    const int signal = InterruptSignal.load();
    const TextTable table = SweepTable(plan.Axes, outcome.Rows, note);
    int code = PrintOut(FormatTerminalTable(table)) ? ExitOk : ExitFailed;
    if (signal != 0) {
        Print(stderr, "velox-batch: megszakítva; " + FormatInteger(static_cast<long long>(outcome.Rows.size())) +
                          " pont sora kiírva, " + FormatInteger(static_cast<long long>(outcome.NotRun)) +
                          " pont nem futott le" + (options.Csv.empty() ? "" : "; a CSV-fájl nem íródott ki") + "\n");
        return ExitSignalBase + signal;
    }
    for (const std::string& path : options.Csv) {
        if (const auto error = WriteCsvFile(path, table)) {
            Print(stderr, "velox-batch: " + *error + "\n");
            code = ExitFailed;
        }
    }
    return code;
}

}  // namespace velox::batch
