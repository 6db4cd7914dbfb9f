// Puts the help texts of the control table (ui/model/ControlHints.h) on a
// built window's controls and menu commands as tooltips.
#pragma once

class QWidget;

namespace velox::ui {

void ApplyControlHints(QWidget& window);

}  // namespace velox::ui
