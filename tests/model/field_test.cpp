// Cavity table, field table, FieldAt, the RF generator and the cavity markers.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "core/model/VeloxData.h"

using namespace velox;

namespace {

struct DefaultAccelerator : ::testing::Test {
    VeloxData d;
    void SetUp() override {
        d.ApplyStartupDefaults();
        d.Voltage = 50.0;
    }
};

bool Same(const FieldSample& a, const FieldSample& b) {
    return a.InElectrode == b.InElectrode && (a.Field == b.Field || (std::isnan(a.Field) && std::isnan(b.Field)));
}

}  // namespace

// Gaps 10–26, 76–92, 152–168, 263–283; electrodes 26–76, 92–152, 168–263, 283–363.
TEST_F(DefaultAccelerator, CavityListAndFieldTable) {
    ASSERT_EQ(d.CavityList.size(), 2u);
    EXPECT_EQ(std::tuple(d.CavityList[0].Position, d.CavityList[1].Position), std::tuple(26.0, 168.0));
    const double boundaries[] = {0, 26, 76, 92, 152, 168, 263, 283, 363};
    const double factors[] = {1.0 / 16, 0, -1.0 / 16, 0, 1.0 / 16, 0, -1.0 / 20, 0, 0};
    for (std::size_t m = 0; m < FieldSlots; ++m)
        EXPECT_EQ(std::pair(d.FieldTable[m].Boundary, d.FieldTable[m].Factor),
                  m < 9 ? std::pair(boundaries[m], factors[m]) : std::pair(0.0, 0.0)) << m;
}

// A boundary belongs to the interval that ends there; the first gap's
// interval starts at 0, before the source.
TEST_F(DefaultAccelerator, FieldAtGapsElectrodesAndBeyond) {
    const struct { double x, field; bool inElectrode; } rows[] = {
        {20, 3.125, false}, {50, 0, true},   {80, -3.125, false}, {26, 3.125, false}, {26.000001, 0, true},
        {5, 3.125, false},  {160, 3.125, false}, {270, -2.5, false}, {363, 0, true},   {364, 0, false},
        {0, 0, false},      {-3, 0, false},  {NAN, 0, false}};
    for (const auto& r : rows) EXPECT_TRUE(Same(d.FieldAt(r.x), {r.field, r.inElectrode})) << r.x;
    VeloxData empty;
    empty.Voltage = 50;
    for (double x : {1.0, 10.0, 200.0, 1e9}) EXPECT_TRUE(Same(empty.FieldAt(x), {0, false})) << x;
}

TEST(FieldTable, EveryCavityUpToTheLastContributes) {
    VeloxData d;
    for (int k = 0; k < 12; ++k) ASSERT_TRUE(d.Cavities.Append({8.0 + k, 10, 6, 10}));
    d.BuildCavities();
    d.Voltage = 40;
    EXPECT_TRUE(Same(d.FieldAt(d.CavityList[11].Position - 1), {40.0 / 19, false}));
    EXPECT_TRUE(d.FieldAt(d.CavityList[11].Position + 1).InElectrode);
}

// A grounded electrode without a gap adds nothing to the field: cavity 1's
// gap begins at 10 + 16 + 50 = 76 instead of 136, while the cavity list
// still places it after the dropped electrode.
TEST(FieldTable, ZeroGapElectrodeIsDroppedFromTheField) {
    VeloxData d;
    d.Cavities.Append({16, 50, 0, 60});
    d.Cavities.Append({16, 95, 20, 80});
    d.BuildCavities();
    d.Voltage = 50;
    EXPECT_EQ(d.FieldAt(80).Field, 50.0 / 16);
    EXPECT_TRUE(d.FieldAt(100).InElectrode);
    EXPECT_EQ(d.CavityList[1].Position, 10 + 16 + 50 + 0 + 60 + 16.0);
}

TEST(CavityTable, HoldsAtMost21) {
    VeloxData d;
    for (int k = 0; k < 30; ++k) d.Cavities.Append({4, 4, 4, 4});
    EXPECT_EQ(d.Cavities.CavityCount(), MaxCavities);
    d.Cavities.SetCavityCount(-5);
    EXPECT_EQ(d.Cavities.CavityCount(), 0);
    d.Cavities.SetCavityCount(1000);
    d.Cavities.Remove(21);
    d.Cavities.Remove(-1);
    d.BuildCavities();
    EXPECT_EQ(d.CavityList.size(), 21u);
    EXPECT_EQ(d.FieldTable[84].Boundary, 10 + 21 * 16.0);
}

// The remembered-slot and binary-search lookups answer exactly as the
// literal scan over all 85 slots, for any table a file can bring in.
TEST(FieldTable, FastLookupEqualsTheLiteralScan) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> size(-3.0, 60.0);
    std::uniform_int_distribution<int> count(0, MaxCavities), special(0, 20);
    VeloxData d;
    d.Voltage = 37.5;
    for (int round = 0; round < 300; ++round) {
        d.Cavities.SetCavityCount(count(rng));
        for (int k = 0; k < d.Cavities.CavityCount(); ++k) {
            double v[4];
            for (double& x : v) {
                const int s = special(rng);
                x = s == 0 ? 0.0 : s == 1 ? -5.0 : s == 2 ? NAN : std::round(size(rng) * (s == 3 ? 1 : 4)) / 4;
            }
            d.Cavities[static_cast<std::size_t>(k)] = {v[0], v[1], v[2], v[3]};
        }
        d.BuildCavities();
        std::uniform_real_distribution<double> pos(-10.0, 10 + 240.0 * d.Cavities.CavityCount() + 20);
        int slot = round % 90 - 2;  // also stale and out-of-range starting slots
        for (int i = 0; i < 405; ++i) {
            double x = i >= 400 ? std::array<double, 5>{INFINITY, 1e300, 0.0, -0.0, NAN}[i - 400] : pos(rng);
            if (i % 4 == 0 && i < 400) x = d.FieldTable[static_cast<std::size_t>(i / 4 % FieldSlots)].Boundary;
            if (i % 4 == 1 && i < 400) x = std::nextafter(x, 1e300);
            const FieldSample scan = d.FieldAtByScan(x);
            ASSERT_TRUE(Same(d.FieldAt(x), scan) && Same(d.FieldAt(x, slot), scan)) << x;
        }
    }
}

TEST(RfGenerator, WrapsOncePerPeriod) {
    VeloxData d;
    d.Amplitude = 50;
    double phase = 0;
    for (int i = 0; i < 126; ++i) phase = d.AdvanceRf();
    EXPECT_NEAR(d.SimTime, 126 * 0.05 - 2 * M_PI, 1e-12);  // ≈ 0.0168
    EXPECT_EQ(phase, d.SimTime);
    EXPECT_NEAR(d.Voltage, 50 * std::sin(d.SimTime), 1e-12);
}

// Raising the frequency from 0.5 to 1.5 at the end of a period leaves the
// phase near 6π; one period comes off per step.
TEST(RfGenerator, RaisedFrequencyComesBackWithinThreeSteps) {
    VeloxData d;
    d.Amplitude = 50;
    d.Frequency = 0.5;
    while (d.SimTime < 12.5) d.AdvanceRf();
    d.Frequency = 1.5;
    EXPECT_GT(d.AdvanceRf(), 2 * M_PI);
    d.AdvanceRf();
    const double phase = d.AdvanceRf();
    EXPECT_TRUE(phase > 0 && phase <= 2 * M_PI) << phase;
    EXPECT_NEAR(d.Voltage, 50 * std::sin(phase), 1e-9);
}

TEST(RfGenerator, SpinnerPositions) {
    const struct { int p; double f, a; } rows[] = {{0, 0.5, 25.0}, {50, 1.0, 50.0}, {51, 1.01, 50.5}, {100, 1.5, 75.0}};
    for (const auto& r : rows)
        EXPECT_EQ(std::pair(VeloxData::FrequencyOf(r.p), VeloxData::AmplitudeOf(r.p)), std::pair(r.f, r.a)) << r.p;
    VeloxData d;
    d.SetFrequencyPosition(140);
    d.SetVoltagePosition(-3);
    EXPECT_EQ(std::tuple(d.FrequencyPosition, d.VoltagePosition, d.Frequency, d.Amplitude),
              std::tuple(100, 0, 1.5, 25.0));
}

// Middle of electrode 0: 26 + 25 = 51, so left 51 + 13 − 10; top 11 + 41 + 50.
TEST_F(DefaultAccelerator, CavityMarkersSitUnderTheAcceleratingElectrodes) {
    d.PlaceCavityMarkers();
    const ShapeState& m = d.CavityMarkers[0];
    EXPECT_EQ(std::tuple(m.Left, m.Top, m.Width, m.Circle, m.Outline, m.OutlineWidth, m.Visible),
              std::tuple(54, 102, 20, true, colours::Red, 3, true));
    EXPECT_EQ(std::tuple(d.CavityMarkers[1].Left, d.CavityMarkers[1].Tag, d.CavityMarkers[2].Visible),
              std::tuple(215 + 13 - 10, 1, false));
    EXPECT_TRUE(d.CavityMarkers[8].Fill == colours::Silver && d.CavityMarkers[7].Fill == colours::Yellow);
    // Removing cavity 0 moves cavity 1 down and hides the former last marker.
    d.Cavities.Remove(0);
    d.BuildCavities();
    d.PlaceCavityMarkers();
    EXPECT_FALSE(d.CavityMarkers[1].Visible);
    EXPECT_EQ(std::tuple(d.CavityList[0].Position, d.CavityList[0].AccWidth), std::tuple(26.0, 95.0));
}
