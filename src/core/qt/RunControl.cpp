// The "Szimuláció" panel: the simulation step, SimTimer, continue/stop,
// restart, the speed box, the mode check box and the enabled state of the
// run controls.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/model/Readouts.h"
#include "core/qt/Main.h"

namespace {

void SetTimerEnabled(QTimer* timer, bool enabled) {
    if (enabled && !timer->isActive())
        timer->start();
    else if (!enabled && timer->isActive())
        timer->stop();
}

void SetEnabled(QWidget* w, bool enabled) {
    if (w->isEnabled() != enabled) w->setEnabled(enabled);
}

}  // namespace

void TForm1::MirrorRunState() {
    const QString caption = QString::fromStdString(velox::RunOfferCaption(Run.Offer));
    if (Button1->text() != caption) Button1->setText(caption);
    SetTimerEnabled(Timer2, Run.Running);
}

void TForm1::ShowStepResults() {
    SetCaption(Label25, velox::VoltageText(Data.Voltage));
    SetCaption(Label26, velox::PhaseText(Data.LastPhase));
    if (Shape52->x() != Data.PhaseCursor) Shape52->move(Data.PhaseCursor, Shape52->y());
    SetCaption(Label18, velox::EnergyMaxText(Data.EnergyMax));
    SetCaption(Label20, velox::CountsText(Data.Store.LaunchedCount, Data.Store.ArrivedCount));
    SetCaption(Label21, velox::ArrivalEnergyText(Data.Store.LastArrival));
    SetCaption(Label22, velox::ArrivalTimeText(Data.Store.LastArrival));
    DrawAcceleratorView();
}

void TForm1::SimulationStep() {
    Data.SimulationStep();
    ShowStepResults();
}

void TForm1::Timer2Timer() {
    const bool ended = Run.Tick();
    ShowStepResults();
    ShowTimeInField(Edit15, Run.RunClock);
    if (ended) {
        MirrorRunState();
        UpdateControlStates();
        TimedRunEnd();
    }
}

void TForm1::Button1Click() {
    Run.ContinueStop();
    MirrorRunState();
    SyncMarkers();
    UpdateControlStates();
}

// The clear of "Törlés" with its question; the restart then idles every
// slot, so no particle flies on into the cleared results and the run starts
// from no launches at all.
void TForm1::Button3Click() {
    Run.Running = false;
    MirrorRunState();
    ClearResults();
    Run.Restart();
    MirrorRunState();
    SyncMarkers();
    UpdateControlStates();
}

void TForm1::ComboBox1Change() {
    Run.SpeedIndex = ComboBox1->currentIndex();
    Timer2->setInterval(Run.Interval());
}

void TForm1::CheckBox4Click() {
    Run.SetFreeMode(CheckBox4->isChecked());
    MirrorRunState();
    UpdateControlStates();
    RefreshNumberFields();
    UpdateControlStates();
}

void TForm1::UpdateControlStates() {
    const velox::RunState run{CheckBox4->isChecked(), Data.Cavities.CavityCount() > 0, Timer2->isActive(),
                              Run.Offer};
    QWidget* locked[] = {Button3, Button4, Button5, Edit13, Edit14, UpDown1, UpDown2};
    velox::ControlStates current;
    current.Button1 = Button1->isEnabled();
    current.Button2 = Button2->isEnabled();
    for (std::size_t i = 0; i < current.Locked.size(); ++i) current.Locked[i] = locked[i]->isEnabled();
    const velox::ControlStates next = velox::UpdateControlStates(run, current);
    SetEnabled(Button1, next.Button1);
    SetEnabled(Button2, next.Button2);
    for (std::size_t i = 0; i < next.Locked.size(); ++i) SetEnabled(locked[i], next.Locked[i]);
    for (QAction* load : {Betlts1, Betlts2})
        if (load->isEnabled() != next.LoadCommands) load->setEnabled(next.LoadCommands);
}
