#include "results/qt/ResultsStrip.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "core/app/Window.h"
#include "ui/qt/Controls.h"

using namespace velox::ui;

ResultsStrip::ResultsStrip(QWidget* results, const velox::app::Window& app) {
    const auto text = [&app](const char* name) { return QString::fromStdString(app.Controls[name].Text); };
    CheckBox4 = NewCheckBox(results, "CheckBox4", text("CheckBox4"), 16, 544, app.CheckBox4.Checked);
    Label7 = NewLabel(results, "Label7", text("Label7"), 134, 546);
    Button5 = NewButton(results, "Button5", text("Button5"), 208, 538, 75);
}
