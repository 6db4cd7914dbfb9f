// The "Tájékoztató adatok" panel (Panel10): the last arrival and the
// general readouts.
#pragma once

class QGroupBox;
class QLabel;
class QWidget;

namespace velox {
namespace app {
class Window;
}
namespace ui {
class TPanel;
}
}  // namespace velox

class InfoPanel {
public:
    InfoPanel(QWidget* client, const velox::app::Window& app);

    velox::ui::TPanel* Panel10 = nullptr;
    QLabel* Label24 = nullptr;
    QGroupBox *GroupBox1, *GroupBox2;  // "Beérkező részecske", "Általános adatok"
    QLabel *Label21, *Label22;         // "E =", "t =" of the last arrival
    QLabel *Label18, *Label20;         // "Emax =", the counts
};
