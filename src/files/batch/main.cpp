// velox-batch: the timed exercise of the window without a window.
//
// It starts from the state the window has after its start-up, applies an
// optional set-up file on top as the start-up file would be, leaves free
// mode, restarts with empty results and steps the simulation until the run
// clock reaches the end of the timed run.  Then it writes VELOX_2013.gydat
// and VELOX_2013.edat, as the window does at that moment, and prints a
// summary.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"
#include "editor/model/NumberText.h"
#include "files/batch/Commands.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "files/model/TimedExercise.h"

namespace {

using namespace velox::batch;

const char* const HelpText =
    "Használat: velox-batch [--setup FÁJL.gydat] [--speed 1..5] [--out MAPPA]\n"
    "           velox-batch summary [--csv FÁJL.csv] [--sort OSZLOP] FÁJL.edat|MAPPA...\n"
    "           velox-batch sweep [--setup FÁJL.gydat] [--speed 1..5]\n"
    "                             --vary NÉV=TÓL:IG:LÉPÉS [--vary ...] [--csv FÁJL.csv]\n"
    "\n"
    "Ablak nélkül lefuttatja a gyorsító időre szóló mérését, pontosan úgy, ahogy\n"
    "a program teszi, ha a \"Teszt üzemmód\" nincs bejelölve: újraindítás üres\n"
    "eredményekkel, majd szimulációs lépések, amíg a futási idő el nem éri az egy\n"
    "percet (lépésenként a választott sebesség időközével számolva). A végén\n"
    "kiírja a VELOX_2013.gydat (gyorsító adatai) és a VELOX_2013.edat\n"
    "(eredmények) fájlt, és rövid összefoglalót ír ki.\n"
    "\n"
    "  --setup FÁJL   a gyorsító adatai ebből a fájlból, az induló beállításra\n"
    "                 töltve, ahogy induláskor a teszt02.gydat; nélküle az induló\n"
    "                 beállítás fut (két üreg, céltárgy 400-nál, fázis 0-60)\n"
    "  --speed N      sebesség 1-től 5-ig (90, 70, 50, 30 vagy 10 ms lépésenként);\n"
    "                 alapérték: 5\n"
    "  --out MAPPA    ebbe a mappába kerül a két fájl (ha nincs, létrejön);\n"
    "                 alapérték: az aktuális mappa\n"
    "  --help         ez a leírás\n"
    "\n"
    "Az \"Auto\" skálázású spektrumok Ymax értéke az, amit a végső hisztogram\n"
    "automatikus újrarajzolása adna.\n"
    "\n"
    "Kilépési kód: 0 siker, 1 fájlhiba, 2 hibás paraméter.\n"
    "\n"
    "A summary egy osztály eredményfájljait (.edat) mutatja egy táblázatban, a\n"
    "sweep a mérést egy beállítás (Freq, Ampli, Startfazis, Stopfazis, Target)\n"
    "sok értékére futtatja le. Leírásuk: velox-batch summary --help és\n"
    "velox-batch sweep --help.\n";

struct Options {
    std::optional<std::string> Setup;
    int SpeedIndex = 4;
    std::string Out = ".";
    bool Help = false;
};

// Returns an error message, or nothing when the arguments are good.
std::optional<std::string> ParseOptions(int argc, char** argv, Options& o) {
    Arguments args;
    if (auto error = ParseArguments(argc, argv, {"--setup", "--speed", "--out"}, args)) return error;
    if (!args.Operands.empty()) return "ismeretlen paraméter: " + args.Operands.front();
    o.Help = args.Help;
    for (const auto& [name, value] : args.Options) {
        if (name == "--setup") {
            o.Setup = value;
        } else if (name == "--speed") {
            if (auto error = ReadSpeed(value, o.SpeedIndex)) return error;
        } else {
            o.Out = value;
        }
    }
    return std::nullopt;
}

std::string Fixed(double v) { return velox::FormatFixed(v, 0, 3); }

}  // namespace

int main(int argc, char** argv) {
    // A write beyond the file size limit fails with a message and exit code 1.
    velox::IgnoreFileSizeSignal();
    HoldClosedOutputs();
    if (argc > 1 && std::string_view(argv[1]) == "summary") return velox::batch::RunSummary(argc - 1, argv + 1);
    if (argc > 1 && std::string_view(argv[1]) == "sweep") return velox::batch::RunSweep(argc - 1, argv + 1);

    Options options;
    if (const auto error = ParseOptions(argc, argv, options)) return UsageError("", *error);
    if (options.Help) return PrintOut(HelpText) ? ExitOk : ExitFailed;

    // The window after its start-up, with the set-up file loaded on top.
    std::optional<velox::SetupData> setup;
    if (options.Setup) {
        velox::SetupReadResult read = velox::ReadSetupFile(*options.Setup);
        if (read.Status == velox::FileStatus::Missing) {
            Print(stderr, "velox-batch: a gyorsító adatfájlja nem található: " + *options.Setup + "\n");
            return ExitFailed;
        }
        if (read.Status == velox::FileStatus::Failed) {
            Print(stderr, "velox-batch: " + read.Error + "\n");
            return ExitFailed;
        }
        setup = std::move(read.Data);
    }
    velox::VeloxData data;
    velox::PrepareTimedRun(data, setup ? &*setup : nullptr);
    if (setup && setup->ShowCountWarning())
        Print(stderr, std::string("velox-batch: ") + velox::CountWarningTitle + " " + velox::CountWarningText + "\n");
    if (data.Cavities.CavityCount() == 0) {
        // The window disables the restart without cavities: no timed run.
        Print(stderr, "velox-batch: a gyorsítóban nincs egy üreg sem, így a mérés nem indítható\n");
        return ExitFailed;
    }

    const velox::TimedRunOutcome run = velox::RunTimedExercise(data, options.SpeedIndex);

    std::error_code ec;
    const std::filesystem::path out(options.Out);
    std::filesystem::create_directories(out, ec);
    if (ec) {
        Print(stderr, "velox-batch: a mappa nem hozható létre: " + options.Out + ": " + ec.message() + "\n");
        return ExitFailed;
    }
    const std::string base = velox::BaseName;
    const std::string setupPath = (out / (base + ".gydat")).string();
    const std::string resultsPath = (out / (base + ".edat")).string();
    if (const auto w = velox::WriteSetupFile(setupPath, data); !w.Ok) {
        Print(stderr, "velox-batch: " + w.Error + "\n");
        return ExitFailed;
    }
    if (const auto w = velox::WriteResultsFile(resultsPath, data.Store, run.RunClock); !w.Ok) {
        Print(stderr, "velox-batch: " + w.Error + "\n");
        return ExitFailed;
    }

    const velox::Results& r = data.Store;
    const auto e = velox::ComputeStatistics(r.EnergySums, r.ArrivedCount);
    const auto t = velox::ComputeStatistics(r.TimeSums, r.ArrivedCount);
    const bool shown = PrintOut("Lépések: " + velox::FormatInteger(run.Steps) + "\n" +
                      "Indított részecskék: " + velox::FormatInteger(r.LaunchedCount) + "\n" +
                      "Beérkezett részecskék: " + velox::FormatInteger(r.ArrivedCount) + "\n" +
                      "Energia: átlag " + Fixed(e.Mean) + ", szórás " + Fixed(e.Deviation) + "\n" +
                      "Idő: átlag " + Fixed(t.Mean) + ", szórás " + Fixed(t.Deviation) + "\n" +
                      "Kiírva: " + setupPath + ", " + resultsPath + "\n");
    return shown ? ExitOk : ExitFailed;
}
