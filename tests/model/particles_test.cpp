// Particle transport, arrival and the ion source.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/Numeric.h"
#include "core/model/Readouts.h"
#include "core/model/VeloxData.h"

using namespace velox;

namespace {

struct Transport : ::testing::Test {
    VeloxData d;
    void SetUp() override {
        d.ApplyStartupDefaults();
        d.Voltage = 50.0;
    }
    Particle& P0() { return d.Particles[0]; }
};

}  // namespace

TEST_F(Transport, FirstStepsFromRestFollowTheSubStepRule) {
    d.LaunchParticle(0);
    d.MoveParticle(P0());
    EXPECT_EQ(P0().X, 10.01953125);  // 10 + 2.5 × 3.125 × 0.05²
    EXPECT_EQ(P0().V, 0.78125);      // 5 × 3.125 × 0.05
    EXPECT_TRUE(d.IsFlying(0));
    // Next step: dts = 0.005 / 0.78125 = 0.0064, seven sub-steps.
    const double x0 = P0().X, v0 = P0().V;
    d.MoveParticle(P0());
    long double x = x0, v = v0;
    const double dts = 0.0064;
    for (int k = 0; k < 7; ++k) {
        x = static_cast<double>(v * dts + x + 2.5L * 3.125 * dts * dts);
        v = static_cast<double>(5.0L * 3.125 * dts + v);
    }
    EXPECT_EQ(P0().X, static_cast<double>(x));
    EXPECT_EQ(P0().V, static_cast<double>(v));
}

TEST_F(Transport, ParticleAtRestInZeroFieldStaysFlying) {
    d.Voltage = 0;
    d.LaunchParticle(0);
    for (int i = 0; i < 10; ++i) d.StepParticles();
    EXPECT_EQ(P0().X, 10.0);
    EXPECT_EQ(P0().V, 0.0);
    EXPECT_TRUE(d.IsFlying(0));
    EXPECT_EQ(d.Store.ArrivedCount, 0);
}

TEST_F(Transport, BackwardFieldLosesTheParticleWithoutARecord) {
    d.Voltage = -50;
    d.LaunchParticle(0);
    int steps = 0;
    while (d.IsFlying(0) && steps < 1000) {
        d.StepParticles();
        ++steps;
    }
    EXPECT_FALSE(d.IsFlying(0));
    EXPECT_LT(P0().X, 5.0);
    EXPECT_EQ(d.Store.LaunchedCount, 1);
    EXPECT_EQ(d.Store.ArrivedCount, 0);
}

TEST_F(Transport, CrossingAGapGainsItsVoltage) {
    d.Voltage = 40;
    d.LaunchParticle(0);
    while (P0().X <= 26.0) d.StepParticles();
    const double e = 0.5 * P0().V * P0().V / 5.0;
    EXPECT_NEAR(e, 40.0, 1.0);
}

TEST_F(Transport, ReachingTheTargetExactlyArrives) {
    d.SetTargetLeft(13 + 10);  // TargetX = 10, the source itself
    d.LaunchParticle(0);
    d.Voltage = 0;
    d.SimTime = 1.25;
    d.StepParticles();
    EXPECT_FALSE(d.IsFlying(0));
    ASSERT_EQ(d.Store.ArrivedCount, 1);
    EXPECT_EQ(d.Store.EnergyValues[0], 0.0);
    EXPECT_EQ(d.Store.TimeValues[0], 1.25);
}

TEST_F(Transport, EnergyMaxIncludesAParticleArrivingInThisStep) {
    d.LaunchParticle(3);
    d.Particles[3].X = 386.9;
    d.Particles[3].V = 20;  // E = 40
    d.LaunchParticle(5);
    d.Particles[5].X = 370;  // past the last electrode
    d.Particles[5].V = 10;   // E = 10
    d.Voltage = 0;
    d.StepParticles();
    EXPECT_FALSE(d.IsFlying(3));
    EXPECT_EQ(d.Store.ArrivedCount, 1);
    EXPECT_DOUBLE_EQ(d.EnergyMax, 40.0);
    EXPECT_EQ(d.BestParticle, 3);
    EXPECT_EQ(d.ParticleMarkers[3].Fill, colours::Red);
    EXPECT_EQ(d.ParticleMarkers[5].Fill, colours::Black);
    EXPECT_EQ(EnergyMaxText(d.EnergyMax), "Emax =    40.0000");
    EXPECT_EQ(CountsText(d.Store.LaunchedCount, d.Store.ArrivedCount), "Összes indított = 2\rÖsszes beérkezett = 1");
    // The marker follows the particle, also when it has just been hidden.
    EXPECT_EQ(d.ParticleMarkers[3].Left, static_cast<int>(d.Particles[3].X) + 13 - 3);
}

TEST_F(Transport, NoFlyingParticleStillRewritesTheReadouts) {
    d.StepParticles();
    EXPECT_EQ(EnergyMaxText(d.EnergyMax), "Emax =     0.0000");
    EXPECT_EQ(CountsText(d.Store.LaunchedCount, d.Store.ArrivedCount), "Összes indított = 0\rÖsszes beérkezett = 0");
    EXPECT_EQ(d.BestParticle, 0);
    EXPECT_EQ(d.ParticleMarkers[0].Fill, colours::Red);
    EXPECT_FALSE(d.IsFlying(0));
}

TEST_F(Transport, MarkerIsAquaInsideAnElectrode) {
    d.LaunchParticle(0);
    P0().X = 40;
    P0().V = 1;
    d.StepParticles();
    EXPECT_EQ(d.ParticleMarkers[0].Fill, colours::Red);  // best particle
    d.LaunchParticle(1);
    d.Particles[1].X = 40;
    d.Particles[1].V = 0.5;
    d.StepParticles();
    EXPECT_EQ(d.ParticleMarkers[1].Fill, colours::Aqua);
    EXPECT_EQ(d.ParticleMarkers[1].Outline, colours::Black);
}

TEST(Particles, ResetPutsEverySlotIdleAtTheSource) {
    VeloxData d;
    d.LaunchParticle(4);
    d.Particles[4].X = 200;
    d.ResetParticles();
    for (int i = 0; i < ParticleCount; ++i) {
        EXPECT_FALSE(d.IsFlying(i));
        EXPECT_EQ(d.Particles[static_cast<std::size_t>(i)].X, 10.0);
        EXPECT_EQ(d.ParticleMarkers[static_cast<std::size_t>(i)].Left, 20);
        EXPECT_EQ(d.ParticleMarkers[static_cast<std::size_t>(i)].Top, 49);
    }
}

TEST(IonSource, LaunchWindowBounds) {
    VeloxData d;
    d.StartPhase = 0;
    d.StopPhase = 60;
    EXPECT_TRUE(d.InLaunchWindow(0.5));
    EXPECT_FALSE(d.InLaunchWindow(M_PI / 3 + 1e-9));
    EXPECT_FALSE(d.InLaunchWindow(3.0));
    d.StopPhase = 360;
    for (double phi = 0.05; phi <= 2 * M_PI; phi += 0.05) EXPECT_TRUE(d.InLaunchWindow(phi)) << phi;
    d.StartPhase = 90;
    d.StopPhase = 180;
    EXPECT_FALSE(d.InLaunchWindow(M_PI / 2 - 1e-6));
    EXPECT_TRUE(d.InLaunchWindow(M_PI / 2 + 1e-6));
    EXPECT_TRUE(d.InLaunchWindow(3.0));
    EXPECT_FALSE(d.InLaunchWindow(M_PI + 1e-6));
    d.StartPhase = -30;
    d.StopPhase = 30;
    EXPECT_TRUE(d.InLaunchWindow(0.1));
    EXPECT_TRUE(d.InLaunchWindow(6.2));
    EXPECT_FALSE(d.InLaunchWindow(M_PI));
    EXPECT_FALSE(d.InLaunchWindow(M_PI / 6 + 1e-6));
}

TEST(IonSource, DefaultWindowHoldsAboutASixthOfThePeriod) {
    VeloxData d;
    d.ApplyStartupDefaults();
    int inside = 0;
    for (int i = 0; i < 126; ++i) inside += d.InLaunchWindow(d.AdvanceRf());
    EXPECT_GE(inside, 20);
    EXPECT_LE(inside, 22);
}

TEST(IonSource, RandomSourceFromSeedZero) {
    VeloxData d;
    EXPECT_EQ(d.Random(), 1.0 / 4294967296.0);
    EXPECT_EQ(d.Random(), 134775814.0 / 4294967296.0);
    EXPECT_EQ(d.Random(), 3698175007.0 / 4294967296.0);
    EXPECT_EQ(d.Seed, 3698175007u);
}

TEST(IonSource, OnlyIdleSlotsDrawInMultiParticleMode) {
    VeloxData d;
    d.MultiParticle = true;
    for (int i = 0; i < ParticleCount; ++i) d.LaunchParticle(i);
    d.LaunchDecision();
    EXPECT_EQ(d.Seed, 0u);
    d.ParticleMarkers[7].Visible = false;
    d.LaunchDecision();
    EXPECT_EQ(d.Seed, 1u);  // one draw, 2.3e-10 < 0.05: slot 7 launched
    EXPECT_TRUE(d.IsFlying(7));
    EXPECT_EQ(d.Store.LaunchedCount, 22);
}

TEST(IonSource, MultiParticleLaunchesFollowTheSequence) {
    VeloxData d;
    d.LaunchDecision();
    // Draws: 2.3e-10 (slot 0 launched), 0.031 (slot 1 launched), 0.86, 0.20, …
    EXPECT_TRUE(d.IsFlying(0));
    EXPECT_TRUE(d.IsFlying(1));
    EXPECT_FALSE(d.IsFlying(2));
    EXPECT_FALSE(d.IsFlying(3));
    VeloxData e;
    std::uint32_t seed = 0;
    int expected = 0;
    for (int i = 0; i < ParticleCount; ++i) {
        seed = seed * 134775813u + 1u;
        expected += seed / 4294967296.0 < 0.05;
    }
    int launched = 0;
    for (int i = 0; i < ParticleCount; ++i) launched += d.IsFlying(i);
    EXPECT_EQ(launched, expected);
    EXPECT_EQ(d.Store.LaunchedCount, expected);
}

TEST(IonSource, SingleParticleModeUsesSlotZeroOnly) {
    VeloxData d;
    d.MultiParticle = false;
    d.LaunchDecision();
    EXPECT_TRUE(d.IsFlying(0));
    d.Particles[0].X = 100;
    d.LaunchDecision();  // still flying: nothing happens
    EXPECT_EQ(d.Particles[0].X, 100.0);
    EXPECT_EQ(d.Store.LaunchedCount, 1);
    for (int i = 1; i < ParticleCount; ++i) EXPECT_FALSE(d.IsFlying(i));
    EXPECT_EQ(d.Seed, 0u);
}

TEST(IonSource, LaunchingAFlyingSlotRestartsItAndCountsAgain) {
    VeloxData d;
    d.LaunchParticle(0);
    d.Particles[0].X = 120;
    d.Particles[0].V = 3;
    const unsigned front = d.ParticleMarkers[0].FrontStamp;
    d.LaunchParticle(0);
    EXPECT_EQ(d.Particles[0].X, 10.0);
    EXPECT_EQ(d.Particles[0].V, 0.0);
    EXPECT_EQ(d.Store.LaunchedCount, 2);
    EXPECT_GT(d.ParticleMarkers[0].FrontStamp, front);
}

TEST(SimulationStep, ReadoutsAndPhaseCursor) {
    VeloxData d;
    d.ApplyStartupDefaults();
    // Thirty-one steps bring the phase to 1.55 rad.
    double phase = 0;
    for (int i = 0; i < 31; ++i) phase = d.SimulationStep();
    EXPECT_NEAR(phase, 1.55, 1e-12);
    EXPECT_EQ(PhaseText(d.LastPhase), "Fázis =   88.8085");
    EXPECT_EQ(VoltageText(d.Voltage), "Feszültség =   49.9892");
    EXPECT_EQ(d.PhaseCursor, static_cast<int>(1.55 * 101 / (2 * M_PI)) + 15 + 2);
}

TEST(SimulationStep, SpeedIntervals) {
    EXPECT_EQ(SpeedInterval(0), 90);
    EXPECT_EQ(SpeedInterval(1), 70);
    EXPECT_EQ(SpeedInterval(2), 50);
    EXPECT_EQ(SpeedInterval(3), 30);
    EXPECT_EQ(SpeedInterval(4), 10);
}

TEST(Particles, AbsurdGapsCannotFreezeAStep) {
    VeloxData d;
    d.Cavities.Append({1e-12, 50, 1e-12, 60});
    d.BuildCavities();
    d.Voltage = 75;
    d.LaunchParticle(0);
    d.Particles[0].X = 10.0 + 5e-13;  // inside the first gap
    d.StepParticles();                // the field of 7.5e13 flings it away
    EXPECT_GT(std::fabs(d.Particles[0].V), 1e6);
    // Far beyond any column: the marker stays at the edge of the pixel range.
    EXPECT_EQ(d.ParticleMarkers[0].Left, PixelMax);
    d.ParticleMarkers[0].Visible = true;
    d.Particles[0].X = 200;
    d.StepParticles();  // capped at MaxSubSteps instead of billions
    EXPECT_NEAR(d.Particles[0].X - 200, MaxSubSteps * 0.005, 1.0);
}
