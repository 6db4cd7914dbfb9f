// The "Ionforrás" panel (Panel11): the phase window with its start and stop
// markers and the phase cursor, the two phase fields and "Több részecske".
#pragma once

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace velox {
namespace app {
class Window;
}
namespace ui {
class TImage;
class TPanel;
class TShape;
}  // namespace ui
}  // namespace velox

class IonSourcePanel {
public:
    IonSourcePanel(QWidget* client, const velox::app::Window& app);

    velox::ui::TPanel* Panel11 = nullptr;
    QLabel *Label27, *Label28, *Label30, *Label3;
    velox::ui::TImage* Image4 = nullptr;             // the phase window
    velox::ui::TShape *Shape50, *Shape51, *Shape52;  // start and stop markers, phase cursor
    QLineEdit *Edit13, *Edit14;                      // start and stop phase
    QCheckBox* CheckBox1 = nullptr;                  // "Több részecske"
};
