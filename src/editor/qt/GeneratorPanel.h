// The "Gyorsító" panel (Panel1): "Új gyorsítóüreg", the RF generator's two
// spinners with their position and display fields, and the "Aktuális
// állapot" readouts of the last step.
#pragma once

class QGroupBox;
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
class TUpDown;
}  // namespace ui
}  // namespace velox

class GeneratorPanel {
public:
    GeneratorPanel(QWidget* client, const velox::app::Window& app);

    velox::ui::TPanel* Panel1 = nullptr;
    QLabel *Label1, *Label5, *Label6;
    QPushButton* Button4 = nullptr;  // "Új gyorsítóüreg"
    QLineEdit *Edit1, *Edit2;        // frequency position (hidden) and display
    velox::ui::TUpDown* UpDown1 = nullptr;
    QLineEdit *Edit3, *Edit4;  // voltage position (hidden) and display
    velox::ui::TUpDown* UpDown2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;  // "Aktuális állapot"
    QLabel *Label25, *Label26;       // "Feszültség =", "Fázis ="
};
