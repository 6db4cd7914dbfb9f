// The "Gyorsító" panel (Panel1): "Új gyorsítóüreg", the RF generator's two
// spinners with their position and display fields, and the "Aktuális
// állapot" readouts of the last step.
#pragma once

#include <functional>

#include <QObject>

#include "editor/qt/NumberFields.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TUregAdatDlg;

namespace velox {
class VeloxData;
namespace ui {
class TPanel;
class TUpDown;
}  // namespace ui
}  // namespace velox

class GeneratorPanel : public QObject {
public:
    GeneratorPanel(QWidget* client, velox::VeloxData& data, NumberFields& fields);

    velox::ui::TPanel* Panel1 = nullptr;
    QLabel *Label1, *Label5, *Label6;
    QPushButton* Button4 = nullptr;  // "Új gyorsítóüreg"
    QLineEdit *Edit1, *Edit2;        // frequency position (hidden) and display
    velox::ui::TUpDown* UpDown1 = nullptr;
    QLineEdit *Edit3, *Edit4;  // voltage position (hidden) and display
    velox::ui::TUpDown* UpDown2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;  // "Aktuális állapot"
    QLabel *Label25, *Label26;       // "Feszültség =", "Fázis ="

    void Button4Click();
    void UpDown1Changing();
    void UpDown2Changing();
    void Edit1Change();
    void Edit3Change();
    void Edit2Exit(Leave how);
    void Edit4Exit(Leave how);
    // Sets both spinners to the model's positions and applies them.
    void ShowSpinnerPositions();
    // RefreshNumberFields' part: Frequency and Amplitude from the spinners.
    void ApplySpinnerPositions();
    // The voltage and phase of the last step.
    void ShowStepReadouts();

    // The program's cavity dialog.
    std::function<TUregAdatDlg&()> CavityDialog;
    // A cavity was added: the view, the control states, the number fields.
    std::function<void()> CavityAdded;
    std::function<void()> RefreshNumberFields;

private:
    bool TakePosition(QLineEdit* field, velox::ui::TUpDown* spinner);

    velox::VeloxData& Data;
    NumberFields& Fields;
};
