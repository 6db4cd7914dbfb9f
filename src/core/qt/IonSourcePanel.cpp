#include "core/qt/IonSourcePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "core/app/Window.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Image.h"
#include "ui/qt/Shape.h"

using namespace velox::ui;

IonSourcePanel::IonSourcePanel(QWidget* client, const velox::app::Window& app) {
    const auto text = [&app](const char* name) { return QString::fromStdString(app.Controls[name].Text); };
    Panel11 = NewPanel(client, "Panel11", 178, 384, 136, 193);
    Label27 = NewHeading(Panel11, "Label27", text("Label27"), 8, 8);
    Image4 = Named(new TImage(Panel11), "Image4");
    Image4->setGeometry(15, 33, 107, 61);
    Image4->NewBitmap();
    Shape50 = NewShape(Panel11, "Shape50", TShape::Kind::Rectangle, 119, 94, 2, 5, Qt::black, Qt::black, 1);
    Shape51 = NewShape(Panel11, "Shape51", TShape::Kind::Rectangle, 34, 94, 2, 5, Qt::black, Qt::black, 1);
    Shape52 = NewShape(Panel11, "Shape52", TShape::Kind::Rectangle, 17, 33, 1, 61, Qt::red, Qt::red, 1);
    Label28 = NewLabel(Panel11, "Label28", text("Label28"), 8, 98);
    Label28->setWordWrap(true);
    Label28->setGeometry(8, 98, 122, 26);
    Label30 = NewLabel(Panel11, "Label30", text("Label30"), 18, 123);
    Label3 = NewLabel(Panel11, "Label3", text("Label3"), 77, 123);
    Edit13 = NewEdit(Panel11, "Edit13", QStringLiteral("0"), 18, 137, 36);
    Edit14 = NewEdit(Panel11, "Edit14", QStringLiteral("360"), 77, 137, 36);
    CheckBox1 = NewCheckBox(Panel11, "CheckBox1", text("CheckBox1"), 19, 163, app.CheckBox1.Checked);
}
