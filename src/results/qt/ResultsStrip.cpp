#include "results/qt/ResultsStrip.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "core/model/VeloxData.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Prompts.h"

using namespace velox::ui;

ResultsStrip::ResultsStrip(QWidget* results, velox::VeloxData& data) : Data(data) {
    CheckBox4 = NewCheckBox(results, "CheckBox4", QStringLiteral("Teszt üzemmód"), 16, 544, true);
    Label7 = NewLabel(results, "Label7", QStringLiteral("Eredmények"), 134, 546);
    Button5 = NewButton(results, "Button5", QStringLiteral("Törlés"), 208, 538, 75);

    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(CheckBox4, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
}

// "Törlés".  Particles still in flight go on flying and will arrive into
// the cleared results, so they count as launched there: arrivals never
// outnumber launches.
void ResultsStrip::Button5Click() {
    if (ClearResults() == velox::ClearOutcome::Cleared) Data.Store.LaunchedCount = Data.FlyingCount();
}

velox::ClearOutcome ResultsStrip::ClearResults() {
    if (Data.Store.IsEmpty()) return velox::ClearOutcome::NothingToClear;
    const auto answer = Prompts().Ask(QStringLiteral("Valóban törölni akarja az eredményeket? "),
                                      QStringLiteral("*** MEGEROSÍTÉS ***"));
    if (answer != Answer::Yes) return velox::ClearOutcome::Kept;
    Data.Store.Clear();
    ResultsCleared();
    return velox::ClearOutcome::Cleared;
}

void ResultsStrip::CheckBox4Click() { FreeModeChanged(CheckBox4->isChecked()); }
