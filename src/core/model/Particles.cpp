// Particle transport, the ion source and the simulation step.
#include <cmath>

#include "core/model/Numeric.h"
#include "core/model/VeloxData.h"

namespace velox {

void VeloxData::ResetParticles() {
    for (int i = 0; i < ParticleCount; ++i) {
        Particle& p = Particles[static_cast<std::size_t>(i)];
        ShapeState& m = ParticleMarkers[static_cast<std::size_t>(i)];
        p.Marker = i;
        m.Visible = false;
        p.X = SourceX;
        p.V = 0.0;
        m.Top = View.ImageTop + AxisY - 3;
        m.Left = PixelAt(Extended(ViewScale) * p.X, static_cast<std::int64_t>(View.ImageLeft) - 3);
    }
}

std::int32_t VeloxData::FlyingCount() const {
    std::int32_t n = 0;
    for (int i = 0; i < ParticleCount; ++i) n += IsFlying(i) ? 1 : 0;
    return n;
}

void VeloxData::HideAllParticles() {
    for (ShapeState& m : ParticleMarkers) m.Visible = false;
}

void VeloxData::MoveParticle(Particle& p) {
    ShapeState& marker = ParticleMarkers[static_cast<std::size_t>(p.Marker)];
    const double dts = p.V == 0.0 ? TimeStep : static_cast<double>(TwoHundredth / std::fabs(p.V));
    std::int32_t n = TruncToInt(Extended(TimeStep) / dts);
    if (n < 1) n = 1;
    // A realistic particle takes a few thousand sub-steps at most; only an
    // absurd set-up (gaps of 1e-12, say) would ask for billions and freeze
    // the program, so such a particle covers less than a time step.
    if (n > MaxSubSteps) n = MaxSubSteps;
    FieldSample f;
    int slot = 0;
    for (std::int32_t k = 0; k < n; ++k) {
        f = FieldAt(p.X, slot);
        p.X = static_cast<double>(Extended(p.V) * dts + p.X + Extended(2.5) * f.Field * dts * dts);
        p.V = static_cast<double>(Extended(5.0) * f.Field * dts + p.V);
    }
    // Only the colour of the last sub-step is ever seen.
    marker.Fill = f.InElectrode ? DefaultMarkerLooks.InElectrode : DefaultMarkerLooks.Particle.Fill;
    if (p.X >= TargetX || p.X < 5.0) marker.Visible = false;
    if (p.X >= TargetX) Store.RecordArrival(p.V, SimTime);
}

void VeloxData::StepParticles() {
    EnergyMax = 0.0;
    int best = 0;
    for (int i = 0; i < ParticleCount; ++i) {
        if (!IsFlying(i)) continue;
        Particle& p = Particles[static_cast<std::size_t>(i)];
        ShapeState& m = ParticleMarkers[static_cast<std::size_t>(p.Marker)];
        m.Fill = DefaultMarkerLooks.Particle.Fill;
        m.Outline = DefaultMarkerLooks.Particle.Outline;
        MoveParticle(p);
        // A particle flung far past the target by an absurd field stays at
        // the edge of what a control can show.
        m.Left = PixelAt(Extended(ViewScale) * p.X, static_cast<std::int64_t>(View.ImageLeft) - 3);
        const double e = static_cast<double>(Extended(0.5) * p.V * p.V / 5.0);
        if (e > EnergyMax) {
            EnergyMax = e;
            best = i;
        }
    }
    BestParticle = best;
    ShapeState& bm = ParticleMarkers[static_cast<std::size_t>(Particles[static_cast<std::size_t>(best)].Marker)];
    bm.Fill = DefaultMarkerLooks.BestParticle;
    bm.Outline = DefaultMarkerLooks.BestParticle;
}

bool VeloxData::InLaunchWindow(double phase) const {
    const Extended e = StopPhase * Pi / 180;
    if (StartPhase > 0) {
        const Extended s = StartPhase * Pi / 180;
        return s < phase && phase < e;
    }
    return (Extended(StartPhase) + 360.0) * Pi / 180 < phase || phase < e;
}

double VeloxData::Random() {
    Seed = Seed * 134775813u + 1u;
    return static_cast<double>(Seed) / 4294967296.0;
}

void VeloxData::LaunchParticle(int i) {
    Particle& p = Particles[static_cast<std::size_t>(i)];
    ShapeState& m = ParticleMarkers[static_cast<std::size_t>(p.Marker)];
    p.X = SourceX;
    p.V = 0.0;
    m.Visible = true;
    BringToFront(m);
    CountOne(Store.LaunchedCount);
}

void VeloxData::LaunchDecision() {
    if (MultiParticle) {
        for (int i = 0; i < ParticleCount; ++i)
            if (!IsFlying(i) && Random() < LaunchProbability) LaunchParticle(i);
    } else if (!IsFlying(0)) {
        LaunchParticle(0);
    }
}

std::int32_t VeloxData::PhaseCursorLeft(double phase) const {
    return TruncToInt(phase * Extended(View.Image4Width - 6) / TwoPi + View.Image4Left + 2);
}

double VeloxData::SimulationStep() {
    const double phase = AdvanceRf();
    LastPhase = phase;
    PhaseCursor = PhaseCursorLeft(phase);
    if (InLaunchWindow(phase)) LaunchDecision();
    StepParticles();
    return phase;
}

}  // namespace velox
