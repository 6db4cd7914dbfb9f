// Particle transport, arrival, the ion source and the simulation step.
#include <gtest/gtest.h>

#include <cmath>

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
    // Steps until slot 0 stops flying or `until` holds, at most 1000 times.
    void StepWhile(bool (*until)(const Particle&)) {
        for (int i = 0; i < 1000 && d.IsFlying(0) && !until(P0()); ++i) d.StepParticles();
    }
};

}  // namespace

// At rest in the field 50 / 16: one sub-step of 0.05.
TEST_F(Transport, FirstStepFromRest) {
    d.LaunchParticle(0);
    d.MoveParticle(P0());
    EXPECT_EQ(std::tuple(P0().X, P0().V, d.IsFlying(0)), std::tuple(10.01953125, 0.78125, true));
}

TEST_F(Transport, ZeroFieldKeepsTheParticleAtTheSource) {
    d.Voltage = 0;
    d.LaunchParticle(0);
    for (int i = 0; i < 10; ++i) d.StepParticles();
    EXPECT_EQ(std::tuple(P0().X, P0().V, d.IsFlying(0)), std::tuple(10.0, 0.0, true));
}

TEST_F(Transport, BackwardFieldLosesTheParticleWithoutARecord) {
    d.Voltage = -50;
    d.LaunchParticle(0);
    StepWhile([](const Particle&) { return false; });
    EXPECT_FALSE(d.IsFlying(0));
    EXPECT_LT(P0().X, 5.0);
    EXPECT_EQ(std::pair(d.Store.LaunchedCount, d.Store.ArrivedCount), std::pair(1, 0));
}

// 0.5 · v² / 5 grows by about U across a gap at the voltage U.
TEST_F(Transport, CrossingAGapGainsItsVoltage) {
    d.Voltage = 40;
    d.LaunchParticle(0);
    StepWhile([](const Particle& p) { return p.X > 26.0; });
    EXPECT_NEAR(0.5 * P0().V * P0().V / 5.0, 40.0, 1.0);
}

TEST_F(Transport, ReachingTheTargetExactlyArrives) {
    d.SetTargetLeft(13 + 10);  // TargetX 10, the source itself
    d.LaunchParticle(0);
    d.Voltage = 0;
    d.SimTime = 1.25;
    d.StepParticles();
    EXPECT_FALSE(d.IsFlying(0));
    EXPECT_EQ(d.Store.EnergyValues, std::vector<double>{0.0});
    EXPECT_EQ(d.Store.TimeValues, std::vector<double>{1.25});
}

// A particle that arrives in this step still counts for Emax and the red
// highlight; with none in flight Emax is 0 and slot 0's hidden marker is red.
TEST_F(Transport, EnergyMaxAndTheRedHighlight) {
    d.Voltage = 0;
    d.LaunchParticle(3);
    d.Particles[3].X = 386.9;
    d.Particles[3].V = 20;  // E = 40
    d.LaunchParticle(5);
    d.Particles[5].X = 370;  // past the last electrode
    d.Particles[5].V = 10;   // E = 10
    d.StepParticles();
    EXPECT_EQ(std::tuple(d.IsFlying(3), d.Store.ArrivedCount, d.BestParticle), std::tuple(false, 1, 3));
    EXPECT_EQ(EnergyMaxText(d.EnergyMax), "Emax =    40.0000");
    EXPECT_EQ(CountsText(d.Store.LaunchedCount, d.Store.ArrivedCount), "Összes indított = 2\rÖsszes beérkezett = 1");
    EXPECT_TRUE(d.ParticleMarkers[3].Fill == colours::Red && d.ParticleMarkers[5].Fill == colours::Black);
    EXPECT_EQ(d.ParticleMarkers[3].Left, 387 + 13 - 3);  // follows also the particle just hidden
    d.ParticleMarkers[5].Visible = false;
    d.StepParticles();
    EXPECT_EQ(EnergyMaxText(d.EnergyMax), "Emax =     0.0000");
    EXPECT_EQ(std::pair(d.BestParticle, d.ParticleMarkers[0].Fill == colours::Red), std::pair(0, true));
}

TEST_F(Transport, MarkerIsAquaInsideAnElectrode) {
    for (int i : {0, 1}) {
        d.LaunchParticle(i);
        d.Particles[static_cast<std::size_t>(i)].X = 40;
        d.Particles[static_cast<std::size_t>(i)].V = 1.0 / (i + 1);
    }
    d.StepParticles();
    EXPECT_TRUE(d.ParticleMarkers[0].Fill == colours::Red && d.ParticleMarkers[1].Fill == colours::Aqua);
    EXPECT_TRUE(d.ParticleMarkers[1].Outline == colours::Black);
}

TEST(Particles, ResetPutsEverySlotIdleAtTheSource) {
    VeloxData d;
    d.LaunchParticle(4);
    d.Particles[4].X = 200;
    d.ResetParticles();
    for (std::size_t i = 0; i < ParticleCount; ++i)
        EXPECT_EQ(std::tuple(d.IsFlying(int(i)), d.Particles[i].X, d.ParticleMarkers[i].Left, d.ParticleMarkers[i].Top),
                  std::tuple(false, 10.0, 20, 49)) << i;
}

// Both ends are exclusive; a start of 0 or below wraps across the period's end.
TEST(IonSource, LaunchWindow) {
    const struct { double start, stop, phase; bool inside; } rows[] = {
        {0, 60, 0.5, true},           {0, 60, M_PI / 3 + 1e-9, false},  {0, 60, 3.0, false},
        {90, 180, M_PI / 2 - 1e-6, false}, {90, 180, M_PI / 2 + 1e-6, true}, {90, 180, M_PI + 1e-6, false},
        {-30, 30, 0.1, true},         {-30, 30, 6.2, true},             {-30, 30, M_PI, false},
        {-30, 30, M_PI / 6 + 1e-6, false}, {-30, 30, 11 * M_PI / 6 - 1e-6, false}};
    VeloxData d;
    for (const auto& r : rows) {
        d.StartPhase = r.start;
        d.StopPhase = r.stop;
        EXPECT_EQ(d.InLaunchWindow(r.phase), r.inside) << r.start << " " << r.stop << " " << r.phase;
    }
    d.StartPhase = 0;
    d.StopPhase = 360;
    for (double phi = 0.05; phi <= 2 * M_PI; phi += 0.05) EXPECT_TRUE(d.InLaunchWindow(phi)) << phi;
    // The default window 0 … 60 holds about 21 of the 125.7 steps of a period.
    d.ApplyStartupDefaults();
    int inside = 0;
    for (int i = 0; i < 126; ++i) inside += d.InLaunchWindow(d.AdvanceRf());
    EXPECT_TRUE(inside >= 20 && inside <= 22) << inside;
}

// From seed 0 the draws are 2.3e-10, 0.031, 0.86, 0.20, … and only the
// first two lie below 0.05.  A flying slot draws nothing.
TEST(IonSource, MultiParticleLaunchesFollowTheRandomSource) {
    VeloxData d;
    d.LaunchDecision();
    for (int i = 0; i < ParticleCount; ++i) EXPECT_EQ(d.IsFlying(i), i < 2) << i;
    EXPECT_EQ(std::pair(d.Store.LaunchedCount, d.Seed), std::pair(2, 2996491197u));  // 21 draws
    VeloxData e;
    for (int i = 0; i < ParticleCount; ++i) e.LaunchParticle(i);
    e.LaunchDecision();
    EXPECT_EQ(e.Seed, 0u);
    e.ParticleMarkers[7].Visible = false;
    e.LaunchDecision();
    EXPECT_EQ(std::tuple(e.Seed, e.IsFlying(7), e.Store.LaunchedCount), std::tuple(1u, true, 22));
}

TEST(IonSource, SingleParticleModeUsesSlotZeroOnly) {
    VeloxData d;
    d.MultiParticle = false;
    d.LaunchDecision();
    d.Particles[0].X = 100;
    d.LaunchDecision();  // still flying: nothing happens
    EXPECT_EQ(std::tuple(d.Particles[0].X, d.Store.LaunchedCount, d.Seed, d.FlyingCount()), std::tuple(100.0, 1, 0u, 1));
}

TEST(IonSource, LaunchingAFlyingSlotRestartsItAndCountsAgain) {
    VeloxData d;
    d.LaunchParticle(0);
    d.Particles[0].X = 120;
    d.Particles[0].V = 3;
    const unsigned front = d.ParticleMarkers[0].FrontStamp;
    d.LaunchParticle(0);
    EXPECT_EQ(std::tuple(d.Particles[0].X, d.Particles[0].V, d.Store.LaunchedCount), std::tuple(10.0, 0.0, 2));
    EXPECT_GT(d.ParticleMarkers[0].FrontStamp, front);
}

// Thirty-one steps bring the phase to 1.55 rad; the cursor is at
// Trunc(1.55 · 101 / 2π) + 15 + 2.
TEST(SimulationStep, ReadoutsAndPhaseCursor) {
    VeloxData d;
    d.ApplyStartupDefaults();
    double phase = 0;
    for (int i = 0; i < 31; ++i) phase = d.SimulationStep();
    EXPECT_NEAR(phase, 1.55, 1e-12);
    EXPECT_EQ(std::tuple(PhaseText(d.LastPhase), VoltageText(d.Voltage), d.PhaseCursor),
              std::tuple("Fázis =   88.8085", "Feszültség =   49.9892", 41));
    EXPECT_EQ(PhaseText(M_PI / 2), "Fázis =   90.0000");
}

// A set-up file's gaps of 1e-12 give a field of 7.5e13: the particle is
// flung beyond any column, and a step is capped at MaxSubSteps sub-steps.
TEST(Particles, AbsurdGapsCannotFreezeAStep) {
    VeloxData d;
    d.Cavities.Append({1e-12, 50, 1e-12, 60});
    d.BuildCavities();
    d.Voltage = 75;
    d.LaunchParticle(0);
    d.Particles[0].X = 10.0 + 5e-13;
    d.StepParticles();
    EXPECT_GT(std::fabs(d.Particles[0].V), 1e6);
    EXPECT_EQ(d.ParticleMarkers[0].Left, PixelMax);
    d.ParticleMarkers[0].Visible = true;
    d.Particles[0].X = 200;
    d.StepParticles();
    EXPECT_NEAR(d.Particles[0].X - 200, MaxSubSteps * 0.005, 1.0);
}
