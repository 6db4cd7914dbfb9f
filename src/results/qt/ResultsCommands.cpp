// Commands on the results store.
#include "core/qt/Main.h"

// "Törlés": asks before the results go; restart clicks it too.
void TForm1::Button5Click() {
    if (Data.Store.IsEmpty()) return;
    const auto answer = velox::ui::Prompts().Ask(QStringLiteral("Valóban törölni akarja az eredményeket? "),
                                                 QStringLiteral("*** MEGEROSÍTÉS ***"));
    if (answer != velox::ui::Answer::Yes) return;
    Data.Store.Clear();
    DrawAxes(Data.Store.EnergySpectrum);
    DrawAxes(Data.Store.TimeSpectrum);
}
