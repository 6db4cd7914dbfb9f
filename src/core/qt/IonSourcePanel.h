// The "Ionforrás" panel (Panel11): the phase window with its start and stop
// markers and the phase cursor, the two phase fields and "Több részecske".
#pragma once

#include <functional>

#include <QObject>

#include "editor/qt/NumberFields.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace velox {
class VeloxData;
namespace ui {
class TImage;
class TPanel;
class TShape;
}  // namespace ui
}  // namespace velox

class IonSourcePanel : public QObject {
public:
    IonSourcePanel(QWidget* client, velox::VeloxData& data, NumberFields& fields);

    velox::ui::TPanel* Panel11 = nullptr;
    QLabel *Label27, *Label28, *Label30, *Label3;
    velox::ui::TImage* Image4 = nullptr;             // the phase window
    velox::ui::TShape *Shape50, *Shape51, *Shape52;  // start and stop markers, phase cursor
    QLineEdit *Edit13, *Edit14;                      // start and stop phase
    QCheckBox* CheckBox1 = nullptr;                  // "Több részecske"

    // The layout step: the phase window's bitmap and its place for the model.
    void Layout();
    void DrawPhaseWindow();
    // The phase picture alone, without the markers and fields.
    void PaintPhaseWindow();
    void Edit13Exit(Leave how);
    void Edit14Exit(Leave how);
    // The phase cursor at the last step's phase.
    void ShowPhaseCursor();

    // A phase field accepted a new launch window.
    std::function<void()> PhasesChanged;

private:
    velox::VeloxData& Data;
    NumberFields& Fields;
};
