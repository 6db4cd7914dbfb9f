// Cavity table, field table, FieldAt and the RF generator.
#include <gtest/gtest.h>

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

}  // namespace

TEST_F(DefaultAccelerator, CavityListAndBoundaries) {
    ASSERT_EQ(d.CavityList.size(), 2u);
    EXPECT_EQ(d.CavityList[0].Position, 26.0);
    EXPECT_EQ(d.CavityList[1].Position, 168.0);
    // Gaps 10–26, 76–92, 152–168, 263–283; electrodes end at 76, 152, 263, 363.
    const double expected[] = {0, 26, 76, 92, 152, 168, 263, 283, 363};
    for (int m = 0; m < 9; ++m) EXPECT_EQ(d.FieldTable[static_cast<std::size_t>(m)].Boundary, expected[m]) << m;
    EXPECT_EQ(d.FieldTable[0].Factor, 1.0 / 16);
    EXPECT_EQ(d.FieldTable[2].Factor, -1.0 / 16);
    EXPECT_EQ(d.FieldTable[6].Factor, -1.0 / 20);
    for (int m = 9; m < FieldSlots; ++m) {
        EXPECT_EQ(d.FieldTable[static_cast<std::size_t>(m)].Boundary, 0.0);
        EXPECT_EQ(d.FieldTable[static_cast<std::size_t>(m)].Factor, 0.0);
    }
}

TEST_F(DefaultAccelerator, FieldInsideGapsAndElectrodes) {
    auto f = d.FieldAt(20);
    EXPECT_EQ(f.Field, 3.125);
    EXPECT_FALSE(f.InElectrode);
    f = d.FieldAt(50);
    EXPECT_EQ(f.Field, 0.0);
    EXPECT_TRUE(f.InElectrode);
    f = d.FieldAt(80);
    EXPECT_EQ(f.Field, -3.125);
    EXPECT_FALSE(f.InElectrode);
    // A boundary belongs to the interval that ends there.
    EXPECT_EQ(d.FieldAt(26).Field, 3.125);
    EXPECT_TRUE(d.FieldAt(26.000000001).InElectrode);
    // The first gap's interval starts at 0, before the source.
    EXPECT_EQ(d.FieldAt(5).Field, 3.125);
    // Past the last electrode, at 0 and below: nothing.
    f = d.FieldAt(400);
    EXPECT_EQ(f.Field, 0.0);
    EXPECT_FALSE(f.InElectrode);
    EXPECT_FALSE(d.FieldAt(0).InElectrode);
    EXPECT_EQ(d.FieldAt(-3).Field, 0.0);
    EXPECT_EQ(d.FieldAt(NAN).Field, 0.0);
}

TEST(FieldTable, NoCavities) {
    VeloxData d;
    d.Voltage = 50;
    EXPECT_TRUE(d.CavityList.empty());
    for (double x : {1.0, 10.0, 200.0, 1e9}) {
        EXPECT_EQ(d.FieldAt(x).Field, 0.0);
        EXPECT_FALSE(d.FieldAt(x).InElectrode);
    }
}

TEST(FieldTable, EveryCavityUpToTheLastContributes) {
    VeloxData d;
    for (int k = 0; k < 12; ++k) ASSERT_TRUE(d.Cavities.Append({8.0 + k, 10, 6, 10}));
    d.BuildCavities();
    d.Voltage = 40;
    const Cavity& c = d.CavityList[11];
    const auto f = d.FieldAt(c.Position - 1);
    EXPECT_DOUBLE_EQ(f.Field, 40.0 / 19);
    EXPECT_FALSE(f.InElectrode);
    EXPECT_TRUE(d.FieldAt(c.Position + 1).InElectrode);
}

TEST(FieldTable, ZeroGapElectrodeIsDroppedFromTheField) {
    VeloxData d;
    d.Cavities.Append({16, 50, 0, 60});  // grounded electrode with no gap
    d.Cavities.Append({16, 95, 20, 80});
    d.BuildCavities();
    d.Voltage = 50;
    // The accelerating electrode of cavity 1 now begins right after cavity 0's
    // accelerating electrode plus its gap: 10 + 16 + 50 + 16 = 92 …
    EXPECT_EQ(d.FieldAt(80).Field, 50.0 / 16);
    EXPECT_TRUE(d.FieldAt(100).InElectrode);
    // … while the cavity list still places cavity 1 after the grounded electrode.
    EXPECT_EQ(d.CavityList[1].Position, 10 + 16 + 50 + 0 + 60 + 16.0);
}

TEST(FieldTable, CountNeverExceedsTheTable) {
    VeloxData d;
    for (int k = 0; k < 30; ++k) d.Cavities.Append({4, 4, 4, 4});
    EXPECT_EQ(d.Cavities.CavityCount(), MaxCavities);
    d.Cavities.SetCavityCount(1000);
    EXPECT_EQ(d.Cavities.CavityCount(), MaxCavities);
    d.Cavities.SetCavityCount(-5);
    EXPECT_EQ(d.Cavities.CavityCount(), 0);
    d.Cavities.SetCavityCount(21);
    d.BuildCavities();
    EXPECT_EQ(d.CavityList.size(), 21u);
    EXPECT_EQ(d.FieldTable[84].Boundary, 10 + 21 * 16.0);
}

TEST(FieldTable, FastLookupEqualsTheLiteralScan) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> size(-3.0, 60.0);
    std::uniform_int_distribution<int> count(0, MaxCavities);
    std::uniform_int_distribution<int> special(0, 20);
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
        for (int i = 0; i < 400; ++i) {
            double x = pos(rng);
            if (i % 4 == 0) x = d.FieldTable[static_cast<std::size_t>(i / 4 % FieldSlots)].Boundary;  // on a boundary
            if (i % 4 == 1) x = std::nextafter(x, 1e300);
            const FieldSample a = d.FieldAt(x), b = d.FieldAtByScan(x);
            ASSERT_EQ(a.InElectrode, b.InElectrode) << x;
            ASSERT_TRUE(a.Field == b.Field || (std::isnan(a.Field) && std::isnan(b.Field))) << x;
            // The remembered slot of a moving particle, from any earlier position.
            const FieldSample c = d.FieldAt(x, slot);
            ASSERT_EQ(c.InElectrode, b.InElectrode) << x;
            ASSERT_TRUE(c.Field == b.Field || (std::isnan(c.Field) && std::isnan(b.Field))) << x;
        }
        for (double x : {double(INFINITY), 1e300, 0.0, -0.0, double(NAN)}) {
            ASSERT_EQ(d.FieldAt(x).InElectrode, d.FieldAtByScan(x).InElectrode);
        }
    }
}

TEST(RfGenerator, WrapsOncePerPeriod) {
    VeloxData d;
    d.Amplitude = 50;
    double phase = 0;
    for (int i = 0; i < 126; ++i) phase = d.AdvanceRf();
    EXPECT_NEAR(d.SimTime, 126 * 0.05 - 2 * M_PI, 1e-12);
    EXPECT_NEAR(d.SimTime, 0.0168, 1e-4);
    EXPECT_NEAR(phase, d.SimTime, 1e-15);
    EXPECT_NEAR(d.Voltage, 50 * std::sin(d.SimTime), 1e-12);
    // One more period of steps wraps exactly once more.
    for (int i = 0; i < 126; ++i) d.AdvanceRf();
    EXPECT_NEAR(d.SimTime, 252 * 0.05 - 4 * M_PI, 1e-9);
}

TEST(RfGenerator, RaisedFrequencyComesBackWithinThreeSteps) {
    VeloxData d;
    d.Amplitude = 50;
    d.Frequency = 0.5;
    // Step to the end of a period at 0.5 (2π / 0.5 ≈ 12.566).
    while (d.SimTime < 12.5) d.AdvanceRf();
    d.Frequency = 1.5;
    double phase = d.AdvanceRf();
    EXPECT_GT(phase, 2 * M_PI);
    double v = 0;
    for (int i = 0; i < 2; ++i) {
        phase = d.AdvanceRf();
        v = d.Voltage;
    }
    EXPECT_GT(phase, 0.0);
    EXPECT_LE(phase, 2 * M_PI);
    EXPECT_NEAR(v, 50 * std::sin(phase), 1e-9);
}

TEST(RfGenerator, SpinnerMappings) {
    const struct { int p; double f, a; } rows[] = {{0, 0.5, 25.0}, {50, 1.0, 50.0}, {51, 1.01, 50.5}, {100, 1.5, 75.0}};
    for (const auto& r : rows) {
        EXPECT_EQ(VeloxData::FrequencyOf(r.p), r.f) << r.p;
        EXPECT_EQ(VeloxData::AmplitudeOf(r.p), r.a) << r.p;
    }
    VeloxData d;
    d.SetFrequencyPosition(140);
    d.SetVoltagePosition(-3);
    EXPECT_EQ(d.FrequencyPosition, 100);
    EXPECT_EQ(d.VoltagePosition, 0);
    EXPECT_EQ(d.Amplitude, 25.0);
}

TEST_F(DefaultAccelerator, CavityMarkersSitUnderTheAcceleratingElectrodes) {
    d.PlaceCavityMarkers();
    // Middle of electrode 0: 26 + 25 = 51 → left 51 + 13 − 10; top 11 + 41 + 50.
    EXPECT_EQ(d.CavityMarkers[0].Left, 54);
    EXPECT_EQ(d.CavityMarkers[0].Top, 102);
    EXPECT_EQ(d.CavityMarkers[1].Left, static_cast<int>(168 + 47.5) + 13 - 10);
    EXPECT_TRUE(d.CavityMarkers[1].Visible);
    EXPECT_FALSE(d.CavityMarkers[2].Visible);
    EXPECT_EQ(d.CavityMarkers[1].Tag, 1);
    EXPECT_EQ(d.CavityMarkers[8].Fill, colours::Silver);
    EXPECT_EQ(d.CavityMarkers[7].Fill, colours::Yellow);
    // Removing a cavity hides the marker of the former last one.
    d.Cavities.Remove(0);
    d.BuildCavities();
    d.PlaceCavityMarkers();
    EXPECT_FALSE(d.CavityMarkers[1].Visible);
    EXPECT_EQ(d.CavityList[0].Position, 26.0);
    EXPECT_EQ(d.CavityList[0].AccWidth, 95.0);
}
