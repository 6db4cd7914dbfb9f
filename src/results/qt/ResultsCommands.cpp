// Commands on the results store.
#include "core/qt/Main.h"

// "Törlés".  Particles still in flight go on flying and will arrive into
// the cleared results, so they count as launched there: arrivals never
// outnumber launches.
void TForm1::Button5Click() {
    if (ClearResults()) Data.Store.LaunchedCount = Data.FlyingCount();
}

bool TForm1::ClearResults() {
    if (Data.Store.IsEmpty()) return false;
    const auto answer = velox::ui::Prompts().Ask(QStringLiteral("Valóban törölni akarja az eredményeket? "),
                                                 QStringLiteral("*** MEGEROSÍTÉS ***"));
    if (answer != velox::ui::Answer::Yes) return false;
    Data.Store.Clear();
    DrawAxes(Data.Store.EnergySpectrum);
    DrawAxes(Data.Store.TimeSpectrum);
    return true;
}
