// The "Szimuláció" panel (Panel3): the speed box, the run clock, "Egy
// lépés", continue/stop and "Újraindít".  The run itself is the layer's;
// the panel forwards the clicks.
#pragma once

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace velox {
namespace app {
class Window;
}
namespace ui {
class TPanel;
}
}  // namespace velox

class RunPanel : public QObject {
public:
    RunPanel(QWidget* client, velox::app::Window& app);

    velox::ui::TPanel* Panel3 = nullptr;
    QLabel *Label2, *Label4, *Label29;
    QComboBox* ComboBox1 = nullptr;            // speed
    QLineEdit* Edit15 = nullptr;               // run time
    QPushButton *Button2, *Button1, *Button3;  // "Egy lépés", continue/stop, "Újraindít"
};
