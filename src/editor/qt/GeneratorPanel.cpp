#include "editor/qt/GeneratorPanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/app/Window.h"
#include "ui/qt/Controls.h"
#include "ui/qt/UpDown.h"

using namespace velox::ui;

GeneratorPanel::GeneratorPanel(QWidget* client, const velox::app::Window& app) {
    const auto text = [&app](const char* name) { return QString::fromStdString(app.Controls[name].Text); };
    Panel1 = NewPanel(client, "Panel1", 7, 384, 166, 193);
    Label1 = NewHeading(Panel1, "Label1", text("Label1"), 8, 8);
    Button4 = NewButton(Panel1, "Button4", text("Button4"), 13, 33, 140);
    Label5 = NewLabel(Panel1, "Label5", text("Label5"), 9, 73);
    Edit1 = NewEdit(Panel1, "Edit1", text("Edit1"), 86, 70, 43);
    Edit2 = NewEdit(Panel1, "Edit2", text("Edit2"), 84, 70, 44);
    const auto spinner = [this, &app](const char* name, int x, int y) {
        auto* u = Named(new TUpDown(Panel1, velox::VeloxData::SpinnerMin, velox::VeloxData::SpinnerMax,
                                    app.Controls[name].Value),
                        name);
        u->setGeometry(x, y, 16, 21);
        return u;
    };
    UpDown1 = spinner("UpDown1", 129, 70);
    Label6 = NewLabel(Panel1, "Label6", text("Label6"), 9, 100);
    Edit3 = NewEdit(Panel1, "Edit3", text("Edit3"), 85, 97, 43);
    Edit4 = NewEdit(Panel1, "Edit4", text("Edit4"), 85, 97, 42);
    UpDown2 = spinner("UpDown2", 128, 97);
    UpDown1->SetAssociate(Edit1);
    UpDown2->SetAssociate(Edit3);
    // The position fields lie under the display fields and take no focus.
    for (QLineEdit* e : {Edit1, Edit3}) e->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* e : {Edit2, Edit4}) e->setReadOnly(true);
    Edit2->raise();
    Edit4->raise();
    GroupBox3 = Named(new QGroupBox(text("GroupBox3"), Panel1), "GroupBox3");
    GroupBox3->setGeometry(13, 119, 146, 66);
    Label25 = NewLabel(GroupBox3, "Label25", text("Label25"), 6, 20);
    Label26 = NewLabel(GroupBox3, "Label26", text("Label26"), 6, 39);
    // Readouts are rewritten often; they keep a fixed size so that a longer
    // text does not make their panel lay itself out again.
    for (QLabel* l : {Label25, Label26}) l->resize(136, l->height());
}
