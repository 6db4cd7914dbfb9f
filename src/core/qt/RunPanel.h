// The "Szimuláció" panel (Panel3): the speed box, the run clock, "Egy
// lépés", continue/stop and "Újraindít".  The run itself is the model's
// RunController; the panel mirrors its state into SimTimer (the window's
// Timer2) and into Button1's caption.
#pragma once

#include <functional>

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;
class NumberFields;

namespace velox {
enum class ClearOutcome;
struct RunController;
namespace ui {
class TPanel;
}
}  // namespace velox

class RunPanel : public QObject {
public:
    RunPanel(QWidget* client, velox::RunController& run, QTimer& simTimer, NumberFields& fields);

    velox::ui::TPanel* Panel3 = nullptr;
    QLabel *Label2, *Label4, *Label29;
    QComboBox* ComboBox1 = nullptr;            // speed
    QLineEdit* Edit15 = nullptr;               // run time
    QPushButton *Button2, *Button1, *Button3;  // "Egy lépés", continue/stop, "Újraindít"

    void SimulationStep();
    void Button1Click();
    void Button2Click() { SimulationStep(); }
    void Button3Click();
    void ComboBox1Change();
    // The mode check box's part: the run stops.
    void SetFreeMode(bool free);
    // Running into SimTimer, the run offer into Button1's caption.
    void MirrorRunState();
    void ShowRunClock();

    // Shows what a simulation step changed.
    std::function<void()> StepDone;
    // After continue/stop and restart: the markers and the control states.
    std::function<void()> RunChanged;
    // The results clear of "Törlés", with its question.
    std::function<velox::ClearOutcome()> ClearResults;

private:
    velox::RunController& Run;
    QTimer& SimTimer;
    NumberFields& Fields;
};
