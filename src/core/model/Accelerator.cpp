// Cavity table, cavity list, field table and the RF generator.
#include <algorithm>
#include <cmath>

#include "core/model/Numeric.h"
#include "core/model/VeloxData.h"

namespace velox {

void CavityTable::SetCavityCount(std::int32_t n) { count_ = std::clamp<std::int32_t>(n, 0, MaxCavities); }

bool CavityTable::Append(const CavitySizes& sizes) {
    if (count_ >= MaxCavities) return false;
    slots_[static_cast<std::size_t>(count_)] = sizes;
    ++count_;
    return true;
}

void CavityTable::Remove(std::int32_t i) {
    if (i < 0 || i >= count_) return;
    for (std::int32_t k = i; k < count_ - 1; ++k)
        slots_[static_cast<std::size_t>(k)] = slots_[static_cast<std::size_t>(k) + 1];
    --count_;
}

VeloxData::VeloxData() {
    const MarkerLooks& looks = DefaultMarkerLooks;
    for (int k = 0; k < MaxCavities; ++k) {
        ShapeState& m = CavityMarkers[static_cast<std::size_t>(k)];
        ApplyLook(m, looks.Cavity);
        if (k == looks.SilverCavity) m.Fill = looks.SilverFill;
        m.Visible = false;
    }
    for (ShapeState& m : ParticleMarkers) {
        ApplyLook(m, looks.Particle);
        m.Visible = false;
    }
    ApplyLook(TargetMarker, looks.Target);
    TargetMarker.Tag = looks.TargetTag;
    TargetMarker.Visible = true;
    TargetMarker.Top = View.ImageTop + AxisY - TargetMarker.Height / 2;
    SetTargetLeft(StartupDefaults{}.TargetLeft);
    BuildCavities();
    ResetParticles();
}

void VeloxData::SetTargetLeft(std::int32_t left) {
    TargetLeft = left;
    TargetMarker.Left = ClampPixel(left);
    TargetX = static_cast<double>((Extended(left) - View.ImageLeft) / ViewScale);
}

void VeloxData::ClearCavities() {
    for (auto it = CavityList.rbegin(); it != CavityList.rend(); ++it)
        CavityMarkers[static_cast<std::size_t>(it->Marker)].Visible = false;
    CavityList.clear();
}

void VeloxData::BuildCavities() {
    ClearCavities();
    double cursor = SourceX;
    for (std::int32_t k = 0; k < Cavities.CavityCount(); ++k) {
        const CavitySizes& s = Cavities[static_cast<std::size_t>(k)];
        Cavity c;
        c.Index = k;
        c.AccGap = s.AccGap;
        c.AccWidth = s.AccWidth;
        c.GroundGap = s.GroundGap;
        c.GroundWidth = s.GroundWidth;
        c.Position = static_cast<double>(Extended(cursor) + s.AccGap);
        c.Marker = k;
        ShapeState& m = CavityMarkers[static_cast<std::size_t>(k)];
        m.Height = DefaultMarkerLooks.Cavity.Height;
        m.Width = DefaultMarkerLooks.Cavity.Width;
        m.Circle = DefaultMarkerLooks.Cavity.Circle;
        m.Tag = k;
        CavityList.push_back(c);
        cursor = static_cast<double>(Extended(c.Position) + c.AccWidth + c.GroundGap + c.GroundWidth);
    }
    BuildFieldTable();
}

void VeloxData::BuildFieldTable() {
    FieldTable.fill(FieldSlot{});
    double x = SourceX;
    FieldTable[0].Boundary = 0.0;
    const std::int32_t electrodes = 2 * Cavities.CavityCount();
    for (std::int32_t j = 0; j < electrodes; ++j) {
        const CavitySizes& s = Cavities[static_cast<std::size_t>(j / 2)];
        const bool even = j % 2 == 0;
        const double gap = even ? s.AccGap : s.GroundGap;
        const double width = even ? s.AccWidth : s.GroundWidth;
        const Extended sign = even ? 1.0 : -1.0;
        if (gap > 0) {
            const auto m = static_cast<std::size_t>(2 * j);
            x = static_cast<double>(Extended(x) + gap);
            FieldTable[m].Factor = static_cast<double>(sign / gap);
            FieldTable[m + 1].Boundary = x;
            FieldTable[m + 1].Factor = 0.0;
            x = static_cast<double>(Extended(x) + width);
            FieldTable[m + 2].Boundary = x;
        }
    }
    RebuildFieldIndex();
}

// The literal scan stops at the first slot n for which x > Boundary[n]
// fails.  That is the first n at which the running maximum of the
// boundaries (a NaN boundary counting as +infinity, since the comparison
// with it fails too) reaches x; the running maximum never decreases, so a
// binary search finds that slot.
void VeloxData::RebuildFieldIndex() {
    double reach = -INFINITY;
    for (int n = 0; n < FieldSlots; ++n) {
        const double b = FieldTable[static_cast<std::size_t>(n)].Boundary;
        reach = std::isnan(b) ? INFINITY : std::max(reach, b);
        boundaryReach_[static_cast<std::size_t>(n)] = reach;
    }
}

FieldSample VeloxData::FieldAt(double x) const {
    if (!(x > 0.0)) return {};
    const auto it = std::lower_bound(boundaryReach_.begin(), boundaryReach_.end(), x);
    const auto m = static_cast<std::size_t>(it - boundaryReach_.begin()) - 1;
    return {static_cast<double>(Extended(FieldTable[m].Factor) * Voltage), m % 2 == 1};
}

FieldSample VeloxData::FieldAt(double x, int& slot) const {
    if (!(x > 0.0)) return {};
    // slot is the first n with boundaryReach_[n] >= x (FieldSlots when none);
    // the reach never decreases, so checking both neighbours proves it.
    const bool valid = slot >= 1 && slot <= FieldSlots && boundaryReach_[static_cast<std::size_t>(slot) - 1] < x &&
                       (slot == FieldSlots || boundaryReach_[static_cast<std::size_t>(slot)] >= x);
    if (!valid) slot = static_cast<int>(std::lower_bound(boundaryReach_.begin(), boundaryReach_.end(), x) - boundaryReach_.begin());
    const auto m = static_cast<std::size_t>(slot) - 1;
    return {static_cast<double>(Extended(FieldTable[m].Factor) * Voltage), m % 2 == 1};
}

FieldSample VeloxData::FieldAtByScan(double x) const {
    if (!(x > 0.0)) return {};
    int n = 0;
    while (n < FieldSlots && x > FieldTable[static_cast<std::size_t>(n)].Boundary) ++n;
    const auto m = static_cast<std::size_t>(n - 1);
    return {static_cast<double>(Extended(FieldTable[m].Factor) * Voltage), m % 2 == 1};
}

double VeloxData::AdvanceRf() {
    SimTime = static_cast<double>(Extended(SimTime) + TimeStep);
    if (Extended(Frequency) * SimTime > TwoPi)
        SimTime = static_cast<double>(SimTime - TwoPi / Frequency);
    const Extended phase = Extended(Frequency) * SimTime;
    Voltage = static_cast<double>(Amplitude * Sin(phase));
    return static_cast<double>(phase);
}

void VeloxData::PlaceCavityMarkers() {
    for (const Cavity& c : CavityList) {
        ShapeState& m = CavityMarkers[static_cast<std::size_t>(c.Marker)];
        m.OutlineWidth = DefaultMarkerLooks.Cavity.OutlineWidth;
        m.Outline = DefaultMarkerLooks.Cavity.Outline;
        m.Top = View.ImageTop + AxisY + 50;
        m.Left = PixelAt((c.Position + Extended(c.AccWidth) / 2) * ViewScale,
                         static_cast<std::int64_t>(View.ImageLeft) - 10);
        m.Visible = true;
        BringToFront(m);
    }
}

double VeloxData::FrequencyOf(std::int32_t position) {
    return static_cast<double>((position - 50) * Hundredth + 1.0);
}

double VeloxData::AmplitudeOf(std::int32_t position) {
    return static_cast<double>((position - 50) * Extended(0.5) + 50.0);
}

void VeloxData::SetFrequencyPosition(std::int32_t position) {
    FrequencyPosition = std::clamp(position, SpinnerMin, SpinnerMax);
    Frequency = FrequencyOf(FrequencyPosition);
}

void VeloxData::SetVoltagePosition(std::int32_t position) {
    VoltagePosition = std::clamp(position, SpinnerMin, SpinnerMax);
    Amplitude = AmplitudeOf(VoltagePosition);
}

std::int32_t SpeedInterval(int itemIndex) { return (9 - 2 * itemIndex) * 10; }

void VeloxData::InstallDefaultAccelerator(const StartupDefaults& d) {
    Cavities.SetCavityCount(static_cast<std::int32_t>(d.Cavities.size()));
    for (std::size_t k = 0; k < d.Cavities.size(); ++k) Cavities[k] = d.Cavities[k];
    TargetMarker.Left = d.TargetLeft;
    TargetLeft = d.TargetLeft;
}

void VeloxData::ApplyStartupDefaults(const StartupDefaults& d) {
    InstallDefaultAccelerator(d);
    BuildCavities();
    PlaceCavityMarkers();
    StartPhase = d.StartPhase;
    StopPhase = d.StopPhase;
    SetFrequencyPosition(d.FrequencyPosition);
    SetVoltagePosition(d.VoltagePosition);
    MultiParticle = d.MultiParticle;
    Store.EnergySpectrum.XMax = d.EnergyXMax;
    Store.TimeSpectrum.ChannelWidth = d.TimeChannelWidth;
}

}  // namespace velox
