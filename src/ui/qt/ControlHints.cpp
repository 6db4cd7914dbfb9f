#include "ui/qt/ControlHints.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "ui/model/ControlHints.h"

namespace velox::ui {
namespace {

template <typename Object>
void ApplyTo(const std::string& window, Object* object) {
    const std::string name = object->objectName().toStdString();
    if (name.empty()) return;
    const std::string_view text = velox::ControlHintOf(window, name);
    if (!text.empty()) object->setToolTip(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace

void ApplyControlHints(QWidget& window) {
    const std::string name = window.objectName().toStdString();
    for (QWidget* w : window.findChildren<QWidget*>()) ApplyTo(name, w);
    for (QAction* a : window.findChildren<QAction*>()) ApplyTo(name, a);
    for (QMenu* m : window.findChildren<QMenu*>()) m->setToolTipsVisible(true);
}

}  // namespace velox::ui
