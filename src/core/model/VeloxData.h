// The simulation model: cavity table, field table, RF generator, particles,
// ion source and results store.  It knows nothing of windows; the marker
// shapes that the window shows are kept here as plain state (ShapeState),
// and the window copies them onto its controls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Shapes.h"
#include "results/model/Spectrum.h"

namespace velox {

inline constexpr int MaxCavities = 21;
inline constexpr int FieldSlots = 4 * MaxCavities + 1;  // 85
inline constexpr int ParticleCount = 21;
inline constexpr double ChargeToMass = 5.0;
inline constexpr double LaunchProbability = 0.05;
inline constexpr std::int32_t MaxSubSteps = 100000;  // per particle and step

struct CavitySizes {
    double AccGap = 0.0;
    double AccWidth = 0.0;
    double GroundGap = 0.0;
    double GroundWidth = 0.0;
};

// The state of the first activation, defined once for the window, the
// timed exercise of velox-batch and the tests: the default two-cavity
// accelerator, the target at 400, phases 0 … 60, both spinners at 50, the
// energy spectrum up to channel 220 and time channels of 0.05.
struct StartupDefaults {
    std::array<CavitySizes, 2> Cavities{{{16, 50, 16, 60}, {16, 95, 20, 80}}};
    std::int32_t TargetLeft = 400;  // also the target's place in the window's definition
    double StartPhase = 0.0;
    double StopPhase = 60.0;
    std::int32_t FrequencyPosition = 50;
    std::int32_t VoltagePosition = 50;
    bool MultiParticle = true;
    std::int32_t EnergyXMax = 220;
    double TimeChannelWidth = 0.05;
    // The layout step's voltage, before the first activation applies the
    // voltage spinner.
    double LayoutAmplitude = 50.0;
};

class CavityTable {
public:
    std::int32_t CavityCount() const { return count_; }
    // Sets the count, held within 0 … MaxCavities.
    void SetCavityCount(std::int32_t n);
    // Appends a cavity; false (and nothing changes) when all slots are used.
    bool Append(const CavitySizes& sizes);
    // Removes cavity i, moving the later ones down.
    void Remove(std::int32_t i);
    CavitySizes& operator[](std::size_t k) { return slots_[k]; }
    const CavitySizes& operator[](std::size_t k) const { return slots_[k]; }

private:
    std::int32_t count_ = 0;
    std::array<CavitySizes, MaxCavities> slots_{};
};

struct Cavity {
    std::int32_t Index = 0;
    double Position = 0.0;  // where the accelerating electrode begins
    double AccWidth = 0.0;
    double GroundWidth = 0.0;
    double AccGap = 0.0;
    double GroundGap = 0.0;
    std::int32_t Marker = 0;  // index into VeloxData::CavityMarkers
};

struct FieldSlot {
    double Boundary = 0.0;
    double Factor = 0.0;
};

struct FieldSample {
    double Field = 0.0;
    bool InElectrode = false;
};

struct Particle {
    double X = 0.0;
    double V = 0.0;
    std::int32_t Marker = 0;  // index into VeloxData::ParticleMarkers
};

// Where the accelerator view and the ion source image lie in the main
// window's client area.  The values are those of the standard layout; the
// window's layout step sets them from its real controls.
struct ViewGeometry {
    std::int32_t ImageLeft = 13;   // Image1.Left
    std::int32_t ImageTop = 11;    // Image1.Top
    std::int32_t Image4Left = 15;  // Image4.Left inside its panel
    std::int32_t Image4Width = 107;
};

class VeloxData {
public:
    VeloxData();
    VeloxData(const VeloxData&) = delete;
    VeloxData& operator=(const VeloxData&) = delete;

    // --- accelerator and gap field -------------------------------------
    CavityTable Cavities;
    std::vector<Cavity> CavityList;
    std::array<FieldSlot, FieldSlots> FieldTable{};
    std::int32_t SourceX = 10;
    double TargetX = 387.0;
    std::int32_t TargetLeft = 400;  // Target.Left in window coordinates
    std::int32_t AxisY = 41;
    double ViewScale = 1.0;
    ViewGeometry View;

    double Frequency = 1.0;
    double Amplitude = 25.0;
    // Positions of the frequency and voltage spinners (UpDown1, UpDown2),
    // 0 … 100; Frequency and Amplitude follow from them.
    std::int32_t FrequencyPosition = 50;
    std::int32_t VoltagePosition = 50;
    static constexpr std::int32_t SpinnerMin = 0;
    static constexpr std::int32_t SpinnerMax = 100;
    static double FrequencyOf(std::int32_t position);
    static double AmplitudeOf(std::int32_t position);
    // Set a spinner position (held within 0 … 100) and apply it.
    void SetFrequencyPosition(std::int32_t position);
    void SetVoltagePosition(std::int32_t position);
    double Voltage = 0.0;
    double SimTime = 0.0;
    double TimeStep = 0.05;

    std::array<ShapeState, MaxCavities> CavityMarkers{};
    ShapeState TargetMarker;

    void BuildCavities();
    void ClearCavities();
    void BuildFieldTable();
    FieldSample FieldAt(double x) const;
    // FieldAt for a particle that moves in small sub-steps: `slot` remembers
    // where the last lookup ended, so that most lookups cost one check.
    FieldSample FieldAt(double x, int& slot) const;
    // The literal scan over all 85 slots; FieldAt returns exactly the same.
    FieldSample FieldAtByScan(double x) const;
    double AdvanceRf();
    void PlaceCavityMarkers();
    // Puts the target marker's left at `left` and derives TargetX from it.
    void SetTargetLeft(std::int32_t left);

    // --- particles --------------------------------------------------------
    std::array<Particle, ParticleCount> Particles{};
    std::array<ShapeState, ParticleCount> ParticleMarkers{};
    double EnergyMax = 0.0;
    std::int32_t BestParticle = 0;

    bool IsFlying(int i) const { return ParticleMarkers[static_cast<std::size_t>(i)].Visible; }
    // The particles in flight.  When the results are replaced under them
    // they fly on into the new results, so they count as launched there.
    std::int32_t FlyingCount() const;
    void ResetParticles();
    void MoveParticle(Particle& p);
    void StepParticles();
    void HideAllParticles();

    // --- ion source -------------------------------------------------------
    double StartPhase = 90.0;
    double StopPhase = 180.0;
    bool MultiParticle = true;  // "Több részecske"
    std::uint32_t Seed = 0;

    bool InLaunchWindow(double phase) const;
    double Random();
    void LaunchParticle(int i);
    void LaunchDecision();
    // Left of the phase cursor (Shape52) inside the ion source panel.
    std::int32_t PhaseCursorLeft(double phase) const;

    // --- results ----------------------------------------------------------
    Results Store;

    // --- one simulation step ---------------------------------------------
    double LastPhase = 0.0;  // the RF phase of the last step, radians
    std::int32_t PhaseCursor = 17;
    // AdvanceRf, readouts, launch decision, StepParticles; returns the phase.
    double SimulationStep();

    // The default accelerator of the first activation: its cavities and the
    // target marker's left (TargetX keeps its value).
    void InstallDefaultAccelerator(const StartupDefaults& defaults = {});
    // The state after the program's first activation.
    void ApplyStartupDefaults(const StartupDefaults& defaults = {});

private:
    void RebuildFieldIndex();
    std::array<double, FieldSlots> boundaryReach_{};  // running maximum of the boundaries
    unsigned frontCounter_ = 0;
    void BringToFront(ShapeState& s) { s.FrontStamp = ++frontCounter_; }
};

// Speed box item index (0 … 4) to SimTimer interval in milliseconds.
std::int32_t SpeedInterval(int itemIndex);

}  // namespace velox
