#include "core/qt/RunPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/app/Window.h"
#include "ui/qt/Controls.h"

using namespace velox::ui;

RunPanel::RunPanel(QWidget* client, velox::app::Window& app) {
    const auto text = [&app](const char* name) { return QString::fromStdString(app.Controls[name].Text); };
    Panel3 = NewPanel(client, "Panel3", 320, 384, 133, 193);
    Label2 = NewHeading(Panel3, "Label2", text("Label2"), 8, 8);
    Label4 = NewLabel(Panel3, "Label4", text("Label4"), 17, 34);
    ComboBox1 = Named(new QComboBox(Panel3), "ComboBox1");
    ComboBox1->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    ComboBox1->setCurrentIndex(app.ComboBox1.ItemIndex);
    ComboBox1->setGeometry(78, 31, 45, 21);
    Label29 = NewLabel(Panel3, "Label29", text("Label29"), 17, 59);
    Edit15 = NewEdit(Panel3, "Edit15", text("Edit15"), 42, 56, 81);
    Button2 = NewButton(Panel3, "Button2", text("Button2"), 17, 87, 98);
    Button1 = NewButton(Panel3, "Button1", text("Button1"), 17, 120, 98);
    Button3 = NewButton(Panel3, "Button3", text("Button3"), 17, 153, 98);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [&app](int i) { app.ComboBox1Change(i); });
}
