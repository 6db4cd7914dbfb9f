// The simulation core: field, RF generator, particles, ion source, simulation step, run clock and run controls.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "core/model/Readouts.h"
#include "core/model/RunControl.h"
#include "core/model/VeloxData.h"

using namespace velox;

namespace {

// The state after start-up, at the voltage 50.
struct Started : ::testing::Test {
    VeloxData d;
    void SetUp() override {
        d.ApplyStartupDefaults();
        d.Voltage = 50.0;
    }
    Particle& P0() { return d.Particles[0]; }
    void StepWhile(bool (*go)(const Particle&)) {
        for (int i = 0; i < 1000 && d.IsFlying(0) && go(P0()); ++i) d.StepParticles();
    }
};

bool Same(const FieldSample& a, const FieldSample& b) {
    return a.InElectrode == b.InElectrode && (a.Field == b.Field || (std::isnan(a.Field) && std::isnan(b.Field)));
}

}  // namespace

// Gaps 10–26, 76–92, 152–168, 263–283, electrodes between them; a boundary belongs to the interval that ends
// there; the first gap's interval starts at 0, before the source.
TEST_F(Started, FieldAtGapsElectrodesAndBeyond) {
    const struct { double x, field; bool inElectrode; } rows[] = {
        {20, 3.125, false}, {50, 0, true},      {80, -3.125, false}, {26, 3.125, false}, {26.000001, 0, true},
        {76, 0, true},      {76.5, -3.125, false}, {92, -3.125, false}, {152, 0, true},  {160, 3.125, false},
        {168, 3.125, false}, {263, 0, true},    {270, -2.5, false},  {283, -2.5, false}, {363, 0, true},
        {364, 0, false},    {5, 3.125, false},  {0, 0, false},       {-3, 0, false},      {NAN, 0, false}};
    for (const auto& r : rows) EXPECT_TRUE(Same(d.FieldAt(r.x), {r.field, r.inElectrode})) << r.x;
    EXPECT_EQ(std::tuple(d.CavityList.size(), d.CavityList[0].Position, d.CavityList[1].Position, d.FieldTable[9].Boundary),
              std::tuple(2ul, 26.0, 168.0, 0.0));
    VeloxData empty;
    empty.Voltage = 50;
    for (double x : {1.0, 10.0, 200.0, 1e9}) EXPECT_TRUE(Same(empty.FieldAt(x), {0, false})) << x;
}

// Every cavity up to the 12th contributes; an electrode without a gap adds nothing to the field; at most 21 cavities.
TEST(CavityTable, FieldOfManyCavitiesAndOfAZeroGap) {
    VeloxData d;
    for (int k = 0; k < 12; ++k) ASSERT_TRUE(d.Cavities.Append({8.0 + k, 10, 6, 10}));
    d.BuildCavities();
    d.Voltage = 40;
    EXPECT_TRUE(Same(d.FieldAt(d.CavityList[11].Position - 1), {40.0 / 19, false}));
    EXPECT_TRUE(d.FieldAt(d.CavityList[11].Position + 1).InElectrode);
    d.Cavities.SetCavityCount(0);
    d.Cavities.Append({16, 50, 0, 60});
    d.Cavities.Append({16, 95, 20, 80});
    d.BuildCavities();
    EXPECT_EQ(std::tuple(d.FieldAt(80).Field, d.FieldAt(100).InElectrode, d.CavityList[1].Position),
              std::tuple(40.0 / 16, true, 10 + 16 + 50 + 0 + 60 + 16.0));
    VeloxData e;
    for (int k = 0; k < 30; ++k) e.Cavities.Append({4, 4, 4, 4});
    const int full = e.Cavities.CavityCount();
    e.Cavities.SetCavityCount(-5);
    const int none = e.Cavities.CavityCount();
    e.Cavities.SetCavityCount(1000);
    e.Cavities.Remove(21);
    e.Cavities.Remove(-1);
    e.BuildCavities();
    EXPECT_EQ(std::tuple(full, none, e.CavityList.size(), e.FieldTable[84].Boundary), std::tuple(21, 0, 21ul, 346.0));
}

// The remembered-slot and binary-search lookups answer as the literal scan over all 85 slots, for any table.
TEST(FieldTable, FastLookupEqualsTheLiteralScan) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> size(-3.0, 60.0);
    std::uniform_int_distribution<int> count(0, MaxCavities), special(0, 20);
    const auto v = [&] {  // gaps and widths of 0, below 0, NaN, whole or in quarters
        const int s = special(rng);
        return s == 0 ? 0.0 : s == 1 ? -5.0 : s == 2 ? NAN : std::round(size(rng) * (s == 3 ? 1 : 4)) / 4;
    };
    VeloxData d;
    d.Voltage = 37.5;
    for (int round = 0; round < 300; ++round) {
        d.Cavities.SetCavityCount(count(rng));
        for (int k = 0; k < d.Cavities.CavityCount(); ++k) d.Cavities[std::size_t(k)] = {v(), v(), v(), v()};
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

// One wrap per period: 126 steps leave 126 · 0.05 − 2π; after 0.5 → 1.5 at a period's end one comes off per step.
TEST(RfGenerator, WrapsOncePerPeriod) {
    VeloxData d;
    d.Amplitude = 50;
    double phase = 0;
    for (int i = 0; i < 126; ++i) phase = d.AdvanceRf();
    EXPECT_NEAR(d.SimTime, 126 * 0.05 - 2 * M_PI, 1e-12);
    EXPECT_EQ(phase, d.SimTime);
    EXPECT_NEAR(d.Voltage, 50 * std::sin(d.SimTime), 1e-12);
    d.Frequency = 0.5;
    while (d.SimTime < 12.5) d.AdvanceRf();
    d.Frequency = 1.5;
    EXPECT_GT(d.AdvanceRf(), 2 * M_PI);
    d.AdvanceRf();
    phase = d.AdvanceRf();
    EXPECT_TRUE(phase > 0 && phase <= 2 * M_PI) << phase;
    EXPECT_NEAR(d.Voltage, 50 * std::sin(phase), 1e-9);
}

// Middle of electrode 0: 26 + 25 = 51, so left 51 + 13 − 10; top 11 + 41 + 50.  The ninth marker is silver.
TEST_F(Started, CavityMarkersSitUnderTheAcceleratingElectrodes) {
    d.PlaceCavityMarkers();
    const ShapeState& m = d.CavityMarkers[0];
    EXPECT_EQ(std::tuple(m.Left, m.Top, m.Width, m.Circle, m.Outline, m.OutlineWidth, m.Visible),
              std::tuple(54, 102, 20, true, colours::Red, 3, true));
    EXPECT_EQ(std::tuple(d.CavityMarkers[1].Left, d.CavityMarkers[1].Tag, d.CavityMarkers[2].Visible),
              std::tuple(215 + 13 - 10, 1, false));
    EXPECT_TRUE(d.CavityMarkers[8].Fill == colours::Silver && d.CavityMarkers[7].Fill == colours::Yellow);
    d.Cavities.Remove(0);  // cavity 1 moves down, the former last marker is hidden
    d.BuildCavities();
    d.PlaceCavityMarkers();
    EXPECT_EQ(std::tuple(d.CavityMarkers[1].Visible, d.CavityList[0].Position, d.CavityList[0].AccWidth),
              std::tuple(false, 26.0, 95.0));
}

// At rest in the field 50 / 16: one sub-step of 0.05; no field, no move; a field against it loses it; a gap adds U.
TEST_F(Started, ParticleTransport) {
    d.LaunchParticle(0);
    d.MoveParticle(P0());
    EXPECT_EQ(std::tuple(P0().X, P0().V, d.IsFlying(0)), std::tuple(10.01953125, 0.78125, true));
    d.LaunchParticle(0);
    d.Voltage = 0;
    for (int i = 0; i < 10; ++i) d.StepParticles();
    EXPECT_EQ(std::tuple(P0().X, P0().V, d.IsFlying(0)), std::tuple(10.0, 0.0, true));
    d.Voltage = -50;
    StepWhile([](const Particle&) { return true; });
    EXPECT_EQ(std::tuple(d.IsFlying(0), P0().X < 5.0, d.Store.LaunchedCount, d.Store.ArrivedCount),
              std::tuple(false, true, 2, 0));
    d.Voltage = 40;
    d.LaunchParticle(0);
    StepWhile([](const Particle& p) { return p.X <= 26.0; });
    EXPECT_NEAR(0.5 * P0().V * P0().V / 5.0, 40.0, 1.0);
}

// Arrivals (also exactly at TargetX) are recorded with SimTime and count for Emax and the red highlight; with none
// in flight Emax is 0 and slot 0's hidden marker is red; inside an electrode a particle is aqua.
TEST_F(Started, ArrivalsEnergyMaxAndTheMarkerColours) {
    std::tie(d.Voltage, d.SimTime) = std::tuple(0.0, 1.25);
    for (auto [i, x, v] : {std::tuple{3, 386.9, 20.0}, {5, 370.0, 10.0}, {6, 40.0, 1.0}, {7, 387.0, 0.0}}) {
        d.LaunchParticle(i);
        std::tie(d.Particles[std::size_t(i)].X, d.Particles[std::size_t(i)].V) = std::tuple(x, v);
    }
    d.StepParticles();
    EXPECT_EQ(std::tuple(d.FlyingCount(), d.Store.EnergyValues, d.Store.TimeValues, d.BestParticle),
              std::tuple(2, std::vector{40.0, 0.0}, std::vector{1.25, 1.25}, 3));
    EXPECT_EQ(EnergyMaxText(d.EnergyMax), "Emax =    40.0000");
    EXPECT_EQ(CountsText(d.Store.LaunchedCount, d.Store.ArrivedCount), "Összes indított = 4\rÖsszes beérkezett = 2");
    const auto& m = d.ParticleMarkers;
    EXPECT_TRUE(m[3].Fill == colours::Red && m[5].Fill == colours::Black && m[6].Fill == colours::Aqua);
    EXPECT_TRUE(m[3].Outline == colours::Red && m[6].Outline == colours::Black);
    EXPECT_EQ(std::tuple(m[3].Left, m[6].Top), std::tuple(387 + 13 - 3, 11 + 41 - 3));
    d.HideAllParticles();
    d.StepParticles();
    EXPECT_EQ(std::tuple(EnergyMaxText(d.EnergyMax), d.BestParticle, m[0].Fill == colours::Red),
              std::tuple("Emax =     0.0000", 0, true));
}

// Exclusive ends; a start of 0 or below wraps; the default 0 … 60 holds about 21 of the 125.7 steps of a period.
TEST(IonSource, LaunchWindow) {
    const struct { double start, stop, phase; bool inside; } rows[] = {
        {0, 60, 0.5, true},          {0, 60, M_PI / 3 + 1e-9, false},   {0, 60, 3.0, false},
        {90, 180, M_PI / 2 - 1e-6, false}, {90, 180, M_PI / 2 + 1e-6, true}, {90, 180, M_PI + 1e-6, false},
        {-30, 30, 0.1, true},        {-30, 30, 6.2, true},              {-30, 30, M_PI, false},
        {-30, 30, M_PI / 6 + 1e-6, false}, {-30, 30, 11 * M_PI / 6 - 1e-6, false}};
    VeloxData d;
    for (const auto& r : rows) {
        std::tie(d.StartPhase, d.StopPhase) = std::tuple(r.start, r.stop);
        EXPECT_EQ(d.InLaunchWindow(r.phase), r.inside) << r.start << " " << r.stop << " " << r.phase;
    }
    std::tie(d.StartPhase, d.StopPhase) = std::tuple(0, 360);
    for (double phi = 0.05; phi <= 2 * M_PI; phi += 0.05) EXPECT_TRUE(d.InLaunchWindow(phi)) << phi;
    d.ApplyStartupDefaults();
    int inside = 0;
    for (int i = 0; i < 126; ++i) inside += d.InLaunchWindow(d.AdvanceRf());
    EXPECT_TRUE(inside >= 20 && inside <= 22) << inside;
}

// Seed 0 draws 2.3e-10, 0.031, 0.86, 0.20, …: slots 0 and 1 start; flying slots draw nothing; single: slot 0 only.
TEST(IonSource, LaunchDecision) {
    VeloxData d;
    d.LaunchDecision();
    for (int i = 0; i < ParticleCount; ++i) EXPECT_EQ(d.IsFlying(i), i < 2) << i;
    EXPECT_EQ(std::pair(d.Store.LaunchedCount, d.Seed), std::pair(2, 2996491197u));  // 21 draws
    VeloxData e;
    for (int i = 0; i < ParticleCount; ++i) e.LaunchParticle(i);
    e.LaunchDecision();  // draws nothing
    e.ParticleMarkers[7].Visible = false;
    e.LaunchDecision();
    EXPECT_EQ(std::tuple(e.Seed, e.IsFlying(7), e.Store.LaunchedCount), std::tuple(1u, true, 22));
    VeloxData s;
    s.MultiParticle = false;
    s.LaunchDecision();
    s.Particles[0].X = 100;
    s.LaunchDecision();
    EXPECT_EQ(std::tuple(s.Particles[0].X, s.Store.LaunchedCount, s.Seed, s.FlyingCount()),
              std::tuple(100.0, 1, 0u, 1));
}

// Thirty-one steps bring the phase to 1.55 rad; the cursor is at Trunc(1.55 · 101 / 2π) + 15 + 2.
TEST(SimulationStep, ReadoutsAndPhaseCursor) {
    VeloxData d;
    d.ApplyStartupDefaults();
    double phase = 0;
    for (int i = 0; i < 31; ++i) phase = d.SimulationStep();
    EXPECT_NEAR(phase, 1.55, 1e-12);
    EXPECT_EQ(std::tuple(PhaseText(d.LastPhase), VoltageText(d.Voltage), d.PhaseCursor, PhaseText(M_PI / 2)),
              std::tuple("Fázis =   88.8085", "Feszültség =   49.9892", 41, "Fázis =   90.0000"));
}

// The time of day, also beyond the first hour and across midnight; the timed run ends when the clock reads 00:01.
TEST(RunClock, TimeOfDay) {
    const struct { double clock; std::int64_t ms; const char* text; } rows[] = {
        {0.0, 0, "00:00:00"},
        {AdvanceRunClock(RunClockRestart, 59999), 59999, "00:00:59"},
        {AdvanceRunClock(RunClockRestart, 3723000), 3723000, "01:02:03"},
        {AdvanceRunClock(RunClockRestart, 36000000), 36000000, "10:00:00"},
        {AdvanceRunClock(RunClockRestart, 45296000), 45296000, "12:34:56"},
        {AdvanceRunClock(RunClockRestart, 86399999), 86399999, "23:59:59"},
        {AdvanceRunClock(RunClockRestart, 86400000 + 61000), 61000, "00:01:01"},
        {RunClockRestart + 0.9999999999, 0, "00:00:00"}};  // 8.64 µs before midnight rounds to it
    for (const auto& r : rows)
        EXPECT_EQ(std::pair(TimeOfDayMs(r.clock), FormatTimeOfDay(r.clock)), std::pair(r.ms, std::string(r.text)));
    for (int ms : {59999, 60000, 119999, 120000, 3660000})
        EXPECT_EQ(TimedRunEnded(AdvanceRunClock(RunClockRestart, ms)), ms == 60000 || ms == 119999) << ms;
}

// Continue relaunches slot 0 and counts it; stop keeps the clock.
TEST_F(Started, ContinueStop) {
    RunController run(d);
    EXPECT_EQ(RunOfferCaption(run.Offer), "Folytatás");
    run.ContinueStop();
    EXPECT_EQ(std::tuple(run.Running, RunOfferCaption(run.Offer), d.IsFlying(0), d.Store.LaunchedCount),
              std::tuple(true, "Stop", true, 1));
    run.Tick();
    run.Tick();
    P0().X = 50;
    run.ContinueStop();
    EXPECT_EQ(std::tuple(run.Running, run.Offer, TimeOfDayMs(run.RunClock)), std::tuple(false, RunOffer::Continue, 20));
    const int launched = d.Store.LaunchedCount;
    run.ContinueStop();
    EXPECT_EQ(std::tuple(P0().X, P0().V, d.Store.LaunchedCount, TimeOfDayMs(run.RunClock)),
              std::tuple(10.0, 0.0, launched + 1, 20));
}

// Button1, Button2 and the locked group Button3, Button4, Button5, Edit13, Edit14, UpDown1, UpDown2.
TEST(ControlStates, FollowTheRunState) {
    const ControlStates allOff{false, false, {}};
    const auto states = [](const ControlStates& s) {
        std::string out{s.Button1 ? '1' : '0', s.Button2 ? '1' : '0', ' '};
        for (bool b : s.Locked) out += b ? '1' : '0';
        return out + (s.LoadCommands ? " load" : "");
    };
    // No cavities: buttons off, but a free run can be stopped; stopped and free, the rest is open to build again.
    for (auto [free, running, expected] : {std::tuple{true, true, "10 0000000 load"}, {true, false, "00 0111111 load"},
                                           {false, true, "00 0000000"}, {false, false, "00 0000000 load"}})
        EXPECT_EQ(states(UpdateControlStates({free, false, running, running ? RunOffer::Stop : RunOffer::Continue},
                                             allOff)), expected) << free << running;
    // Free: running switches single step and the group off; leaving free mode keeps restart on; timed: all off.
    const auto running = UpdateControlStates({true, true, true, RunOffer::Stop}, ControlStates{});
    const auto timedIdle = UpdateControlStates({false, true, false, RunOffer::Continue}, ControlStates{});
    const std::pair<ControlStates, const char*> rows[] = {
        {UpdateControlStates({true, true, false, RunOffer::Continue}, allOff), "11 1111111 load"},
        {running, "10 0000000 load"},
        {UpdateControlStates({true, true, false, RunOffer::Continue}, running), "11 1111111 load"},
        {UpdateControlStates({false, true, false, RunOffer::Continue}, running), "00 1000000 load"},
        {timedIdle, "00 1111111 load"},
        {UpdateControlStates({false, true, true, RunOffer::Stop}, timedIdle), "00 0000000"}};
    for (const auto& [s, expected] : rows) EXPECT_EQ(states(s), expected);
}
