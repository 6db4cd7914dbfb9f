#include "core/qt/InfoPanel.h"

#include <QGroupBox>
#include <QLabel>

#include "core/app/Window.h"
#include "ui/qt/Controls.h"

using namespace velox::ui;

InfoPanel::InfoPanel(QWidget* client, const velox::app::Window& app) {
    const auto text = [&app](const char* name) { return QString::fromStdString(app.Controls[name].Text); };
    Panel10 = NewPanel(client, "Panel10", 456, 384, 169, 193);
    Label24 = NewHeading(Panel10, "Label24", text("Label24"), 8, 8);
    GroupBox1 = Named(new QGroupBox(text("GroupBox1"), Panel10), "GroupBox1");
    GroupBox1->setGeometry(15, 31, 151, 60);
    Label21 = NewLabel(GroupBox1, "Label21", text("Label21"), 4, 19);
    Label22 = NewLabel(GroupBox1, "Label22", text("Label22"), 4, 37);
    GroupBox2 = Named(new QGroupBox(text("GroupBox2"), Panel10), "GroupBox2");
    GroupBox2->setGeometry(15, 96, 151, 88);
    Label18 = NewLabel(GroupBox2, "Label18", text("Label18"), 4, 19);
    Label20 = NewLabel(GroupBox2, "Label20", text("Label20"), 4, 39);

    // Readouts are rewritten often; they keep a fixed size so that a longer
    // text does not make their panel lay itself out again.
    for (QLabel* l : {Label18, Label21, Label22}) l->resize(146, l->height());
    Label20->resize(146, 2 * Label20->height() + 2);
    Label20->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}
