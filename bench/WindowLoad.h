// The main window under load, shared by the window benchmarks: a started
// window, and the heaviest set-up the window can be given.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>

#include "ui/qt/AppSetup.h"
#include "core/qt/Main.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/UpDown.h"

namespace velox::bench {

inline void PrepareApplication() {
    velox::ui::SetProgramStyle();
    QApplication::setFont(ui::MainFont());
}

// Shows the window and waits for its start-up to finish.
inline bool StartWindow(TForm1& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    QElapsedTimer clock;
    clock.start();
    while (!form.ActivationDone && clock.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return form.ActivationDone;
}

// The heaviest load: 20 cavities (as many as the editor allows) filling the
// view, the highest voltage, the launch window open all period long in
// multi-particle mode, and the target at the right end of the view.
inline void ApplyWorstCase(TForm1& form) {
    VeloxData& d = form.Data;
    d.Cavities.SetCavityCount(20);
    for (int k = 0; k < 20; ++k) d.Cavities[static_cast<std::size_t>(k)] = {6, 8, 6, 8};
    d.BuildCavities();
    d.SetTargetLeft(form.View->Image1->x() + 590);
    for (int i = 0; i < 50; ++i) form.Control<velox::ui::TUpDown>("UpDown2")->ClickUp();
    d.StartPhase = 0;
    d.StopPhase = 360;
    form.Control<QCheckBox>("CheckBox1")->setChecked(true);
    form.View->DrawAcceleratorView();
}

// Puts all 21 particles in flight, spread along the accelerator, at the
// speed a particle reaches after gaining 2250 energy units (about the most
// the 20 cavities give): 1500 sub-steps per particle and step.
inline void ArmParticles(TForm1& form) {
    VeloxData& d = form.Data;
    for (int i = 0; i < ParticleCount; ++i) {
        Particle& p = d.Particles[static_cast<std::size_t>(i)];
        p.X = 12.0 + 26.0 * i;
        p.V = 150.0;
        d.ParticleMarkers[static_cast<std::size_t>(i)].Visible = true;
    }
}

}  // namespace velox::bench
