#include "ui/qt/DialogLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "ui/qt/Controls.h"

namespace velox::ui {

namespace {

void SetRole(QWidget& w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w.palette();
    p.setColor(role, colour);
    w.setPalette(p);
}

}  // namespace

void ApplyDialogLook(QWidget& window) {
    window.setWindowIcon(QApplication::windowIcon());
    SetRole(window, QPalette::Window, WindowColour);
    window.setAutoFillBackground(true);
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (auto* panel = dynamic_cast<TPanel*>(w)) {
            panel->SetColor(PanelColour);
        } else if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            SetRole(*w, QPalette::WindowText, CaptionColour);
        }
    }
}

}  // namespace velox::ui
