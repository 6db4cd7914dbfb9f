#include "core/qt/InfoPanel.h"

#include <QGroupBox>
#include <QLabel>

#include "core/model/Readouts.h"
#include "core/model/VeloxData.h"
#include "ui/qt/Controls.h"

using namespace velox::ui;

InfoPanel::InfoPanel(QWidget* client, const velox::VeloxData& data) : Data(data) {
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    Panel10 = NewPanel(client, "Panel10", 456, 384, 169, 193);
    Label24 = NewHeading(Panel10, "Label24", QStringLiteral("Tájékoztató adatok"), 8, 8);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Beérkező részecske"), Panel10), "GroupBox1");
    GroupBox1->setGeometry(15, 31, 151, 60);
    Label21 = NewLabel(GroupBox1, "Label21", text(velox::ArrivalEnergyText(Data.Store.LastArrival)), 4, 19);
    Label22 = NewLabel(GroupBox1, "Label22", text(velox::ArrivalTimeText(Data.Store.LastArrival)), 4, 37);
    GroupBox2 = Named(new QGroupBox(QStringLiteral("Általános adatok"), Panel10), "GroupBox2");
    GroupBox2->setGeometry(15, 96, 151, 88);
    Label18 = NewLabel(GroupBox2, "Label18", QStringLiteral("Emax ="), 4, 19);
    Label20 = NewLabel(GroupBox2, "Label20", QStringLiteral("Összes indított ="), 4, 39);

    // Readouts are rewritten often; they keep a fixed size so that a longer
    // text does not make their panel lay itself out again.
    for (QLabel* l : {Label18, Label21, Label22}) l->resize(146, l->height());
    Label20->resize(146, 2 * Label20->height() + 2);
    Label20->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void InfoPanel::ShowStepReadouts() {
    SetCaption(Label18, velox::EnergyMaxText(Data.EnergyMax));
    ShowCounts();
    SetCaption(Label21, velox::ArrivalEnergyText(Data.Store.LastArrival));
    SetCaption(Label22, velox::ArrivalTimeText(Data.Store.LastArrival));
}

void InfoPanel::ShowCounts() {
    SetCaption(Label20, velox::CountsText(Data.Store.LaunchedCount, Data.Store.ArrivedCount));
}
