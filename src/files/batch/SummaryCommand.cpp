// velox-batch summary: a class's results files in one table.
#include <string>
#include <vector>

#include "files/batch/Commands.h"
#include "files/model/ClassSummary.h"

namespace velox::batch {
namespace {

const char* const SummaryHelp =
    "Használat: velox-batch summary [--csv FÁJL.csv] FÁJL.edat|MAPPA...\n"
    "\n"
    "Egy osztály eredményfájljai egy táblázatban, fájlonként egy sorban: az\n"
    "indított és a beérkezett részecskék száma, a beérkezettek aránya százalékban\n"
    "(üres, ha egy részecske sem indult), az energia és az érkezési idő átlaga és\n"
    "szórása, ahogy az eredmények panelje mutatja, és a futási idő (óó:pp:mm).\n"
    "Minden fájlt úgy olvas be, ahogy a program \"Eredmények / Betöltés\" parancsa\n"
    "a frissen indított programba. Ha a fájl mellett azonos nevű .gydat is van,\n"
    "a sor az üregek számát, a frekvenciát és a gyorsítófeszültséget is mutatja\n"
    "(a generátor értékeit, ahogy a \"Frekvencia:\" és a \"Gyorsítófesz:\" mező).\n"
    "\n"
    "Egy megadott mappában az összes almappában megkeresi a *.edat fájlokat; ezek\n"
    "címkéje a mappához viszonyított útvonal (például kiss.anna/VELOX_2013.edat),\n"
    "a közvetlenül megadott fájloké a megadott útvonal. A sorok címke szerint\n"
    "rendezve jönnek. A sérült vagy olvashatatlan fájl sora a \"Hiba\" oszlopban\n"
    "megmondja, mi a baj, a többi sor ettől még megjelenik.\n"
    "\n"
    "  --csv FÁJL   ugyanez a táblázat CSV-fájlba is (vesszővel elválasztva,\n"
    "               tizedesponttal, fejléccel, UTF-8 kódolással)\n"
    "  --help       ez a leírás\n"
    "\n"
    "Kilépési kód: 0 siker, 1 ha valamelyik fájl nem olvasható, 2 hibás paraméter.\n";

}  // namespace

int RunSummary(int argc, char** argv) {
    Arguments args;
    if (const auto error = ParseArguments(argc, argv, {"--csv"}, args)) return UsageError("summary", *error);
    if (args.Help) {
        Print(stdout, SummaryHelp);
        return ExitOk;
    }
    if (args.Operands.empty()) return UsageError("summary", "legalább egy eredményfájl vagy mappa kell");

    const std::vector<SummaryRow> rows = SummariseResultsFiles(args.Operands);
    const TextTable table = SummaryTable(rows);
    Print(stdout, FormatTerminalTable(table));

    int code = ExitOk;
    for (const SummaryRow& r : rows)
        if (r.Failed()) code = ExitFailed;
    for (const auto& [name, value] : args.Options) {
        if (const auto error = WriteCsvFile(value, table)) {
            Print(stderr, "velox-batch: " + *error + "\n");
            code = ExitFailed;
        }
    }
    return code;
}

}  // namespace velox::batch
