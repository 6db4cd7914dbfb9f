// velox-batch summary: a class's results files in one table.
#include <algorithm>
#include <string>
#include <vector>

#include "files/batch/Commands.h"
#include "files/model/ClassSummary.h"

namespace velox::batch {
namespace {

const char* const SummaryHelp =
    "Használat: velox-batch summary [--csv FÁJL.csv] [--sort OSZLOP] FÁJL.edat|MAPPA...\n"
    "\n"
    "Egy osztály eredményfájljai egy táblázatban, fájlonként egy sorban: az\n"
    "indított és a beérkezett részecskék száma, a beérkezettek aránya százalékban\n"
    "(üres, ha egy részecske sem indult), az energia és az érkezési idő átlaga és\n"
    "szórása, ahogy az eredmények panelje mutatja, és a futási idő (óó:pp:mm).\n"
    "Minden fájlt úgy olvas be, ahogy a program \"Eredmények / Betöltés\" parancsa\n"
    "a frissen indított programba. Ha a fájl mellett azonos nevű .gydat is van,\n"
    "a sor az üregek számát, a frekvenciát és a gyorsítófeszültséget is mutatja\n"
    "(a generátor értékeit, ahogy a \"Frekvencia:\" és a \"Gyorsítófesz:\" mező),\n"
    "a beolvasás figyelmeztetését pedig a \"Hiba\" oszlopban.\n"
    "\n"
    "Egy megadott mappában az összes almappában megkeresi a .edat (akár .EDAT)\n"
    "fájlokat; a ponttal kezdődő nevű mappákat kihagyja, a szimbolikus linkeket\n"
    "követi. A címke a megadott mappa és az alatta lévő útvonal (például\n"
    "10a/kiss.anna/VELOX_2013.edat), a közvetlenül megadott fájloké a megadott\n"
    "útvonal. A mappa minden közvetlen almappája (egy-egy diák mappája), amelyben\n"
    "nincs eredményfájl, \"nincs eredményfájl\" sort kap. Ha egy mappa vagy fájl\n"
    "több úton is elérhető, egyszer olvassa be, a többi út sora megmondja, hol\n"
    "szerepel. A sorok címke szerint, magyar ábécérendben jönnek. A sérült vagy\n"
    "olvashatatlan fájl sorában csak a címke és a \"Hiba\" oszlop áll.\n"
    "\n"
    "  --csv FÁJL     ugyanez a táblázat CSV-fájlba is (vesszővel elválasztva,\n"
    "                 tizedesponttal, fejléccel, UTF-8 kódolással, BOM-mal); a\n"
    "                 számok teljes pontossággal\n"
    "  --sort OSZLOP  a sorok az OSZLOP fejlécű oszlop szerint: számoknál a\n"
    "                 legnagyobb elöl, szövegnél ábécérendben; akinek nincs\n"
    "                 értéke, a végére kerül\n"
    "  --help         ez a leírás\n"
    "\n"
    "Kilépési kód: 0 siker, 1 ha valamelyik eredményfájl nem olvasható, 2 hibás\n"
    "paraméter.\n";

}  // namespace

int RunSummary(int argc, char** argv) {
    Arguments args;
    if (const auto error = ParseArguments(argc, argv, {"--csv", "--sort"}, args)) return UsageError("summary", *error);
    if (args.Help) return PrintOut(SummaryHelp) ? ExitOk : ExitFailed;
    if (args.Operands.empty()) return UsageError("summary", "legalább egy eredményfájl vagy mappa kell");
    std::vector<std::string> csv;
    std::size_t sortColumn = 0;
    const TextTable empty = SummaryTable({});
    for (const auto& [name, value] : args.Options) {
        if (name == "--csv") {
            csv.push_back(value);
            continue;
        }
        const auto at = std::find(empty.Header.begin(), empty.Header.end(), value);
        if (at == empty.Header.end()) {
            std::string names;
            for (const std::string& h : empty.Header) names += (names.empty() ? "" : ", ") + h;
            return UsageError("summary", "nincs ilyen oszlop: \"" + value + "\" (lehet: " + names + ")");
        }
        sortColumn = static_cast<std::size_t>(at - empty.Header.begin());
    }

    const CollationKey order = TextOrder();
    const std::vector<ResultsFileEntry> entries = CollectResultsFiles(args.Operands, order);
    std::vector<std::string> inputs;
    for (const ResultsFileEntry& e : entries)
        for (const std::string* path : {&e.Path, &e.SetupPath})
            if (!path->empty()) inputs.push_back(*path);
    for (const std::string& path : csv)
        if (const auto refused = CheckCsvTarget(path, inputs)) return UsageError("summary", *refused);

    std::vector<SummaryRow> rows;
    int code = ExitOk;
    for (const ResultsFileEntry& e : entries) {
        rows.push_back(SummariseResultsFile(e));
        if (rows.back().Failed) code = ExitFailed;
    }
    TextTable table = SummaryTable(rows);
    SortTable(table, sortColumn, order);
    if (!PrintOut(FormatTerminalTable(table))) code = ExitFailed;
    for (const std::string& path : csv) {
        if (const auto error = WriteCsvFile(path, table)) {
            Print(stderr, "velox-batch: " + *error + "\n");
            code = ExitFailed;
        }
    }
    return code;
}

}  // namespace velox::batch
