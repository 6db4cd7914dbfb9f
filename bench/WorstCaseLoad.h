// The worst-case load of the simulation step: 20 cavities, the highest
// voltage, all 21 particles in flight at energies of 300 to 3000, and a
// target so far away that nobody arrives, so the load stays the same.
#pragma once

#include <cmath>
#include <cstddef>

#include "core/model/VeloxData.h"

namespace velox {

inline void BuildWorstCase(VeloxData& d) {
    d.ApplyStartupDefaults();
    d.Cavities.SetCavityCount(0);
    for (int k = 0; k < 20; ++k) d.Cavities.Append({12.0 + k % 3, 30.0 + 12 * k, 12.0 + k % 2, 30.0 + 12 * k});
    d.BuildCavities();
    d.SetVoltagePosition(100);  // Amplitude 75
    d.SetTargetLeft(1000000);
    const double end = d.FieldTable[80].Boundary;
    for (int i = 0; i < ParticleCount; ++i) {
        d.LaunchParticle(i);
        const double energy = 300.0 + 2700.0 * i / (ParticleCount - 1);
        d.Particles[static_cast<std::size_t>(i)].V = std::sqrt(2 * 5.0 * energy);
        d.Particles[static_cast<std::size_t>(i)].X = 20 + (end - 40) * i / (ParticleCount - 1);
    }
    d.MultiParticle = false;  // all slots fly: nothing to launch
}

}  // namespace velox
