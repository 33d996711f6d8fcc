// The right-hand side: scenario events, both electrical forms, the regulator's hold and the
// values that are not integrated.
#include <gtest/gtest.h>

#include <cstring>

#include "core/model/state_equations.h"
#include "core_runs.h"

namespace tgsim {
namespace {

using testing::loadRun;
using testing::RunInputs;

// A loaded machine state (the operating point of the stabilizer test) in physical units.
RunInputs loadedPoint(const char* scenario = "Praca w sieci") {
    RunInputs in = loadRun(1, "Klasyc", &testing::presetNamed("Test SS"));
    testing::presetNamed(scenario).setEvents(in.record);
    return in;
}

State evaluate(const State& x, const TParametry& r, double t) {
    State f;
    f.fill(123.0);
    stateEquations(x, r, t, f);
    return f;
}

bool sameBits(const State& a, const State& b) { return std::memcmp(a.data(), b.data(), sizeof a) == 0; }

// The set point the regulator works with: with Ug = 0, no stored integral and a step of 1 s,
// the new error integral is minus the set point.
double setPointSeen(const RunInputs& in, double t) {
    State x = in.initialState;
    x[kT] = t - 1.0;
    x[kUg] = 0.0;
    x[kErrorIntegral] = 0.0;
    return -evaluate(x, in.record, t)[kErrorIntegral];
}

TEST(StateEquations, UnitStepAndSoftstartSetPoint) {
    EXPECT_EQ(unitStep(1.0, 2.0), 0.0);
    EXPECT_EQ(unitStep(2.0, 2.0), 0.5);
    EXPECT_EQ(unitStep(3.0, 2.0), 1.0);
    EXPECT_EQ(cosTimes(2.0, 0.0), 2.0);

    RunInputs in = loadRun(1, "Klasyc", &testing::presetNamed("Softstart"));
    const double Un = in.record.Un, to = in.record.to;
    EXPECT_DOUBLE_EQ(softstartSetPoint(to + 5.0, in.record), 0.425 * Un);
    EXPECT_LT(softstartSetPoint(to + 10.58, in.record), 0.9 * Un);
    EXPECT_EQ(softstartSetPoint(to + 10.59, in.record), 0.9 * Un);
    EXPECT_EQ(softstartSetPoint(to + 100.0, in.record), 0.9 * Un);
    EXPECT_DOUBLE_EQ(setPointSeen(in, to + 5.0), 0.425 * Un);
    EXPECT_EQ(setPointSeen(in, to + 11.0), 0.9 * Un);
}

TEST(StateEquations, RegulatorDisturbancePulse) {
    RunInputs in = loadRun(1, "Klasyc", &testing::presetNamed("ZabwAutom"));
    const TParametry& r = in.record;
    const double Ugz = r.Ugz, Zaburz = r.Zaburz;  // -0.1 between 5 s and 14 s
    EXPECT_EQ(setPointSeen(in, r.tz1 - 0.01), Ugz);
    EXPECT_EQ(setPointSeen(in, r.tz1), (1.0 + 0.5 * Zaburz) * Ugz);
    EXPECT_EQ(setPointSeen(in, r.tz1 + 1.0), (1.0 + Zaburz) * Ugz);
    EXPECT_EQ(setPointSeen(in, r.tz2 + 1.0), Ugz);
    std::swap(in.record.tz1, in.record.tz2);  // a pulse that is never positive
    EXPECT_EQ(setPointSeen(in, 10.0), (1.0 - Zaburz) * Ugz);
}

// Each event equals an evaluation without events on a record changed by hand.
TEST(StateEquations, EventsActOnTheirOwnCopyOfTheRecord) {
    struct Case {
        const char* scenario;
        double t;  // relative to tz1
        void (*expected)(TParametry&);
    };
    const Case cases[] = {
        {"Zwarcie", 0.0, [](TParametry&) {}},
        {"Zwarcie", 1e-3, [](TParametry& r) { r.networkVoltage = 0.0, r.PrSam = Connection::OnNetwork; }},
        {"ZrzutQ", 0.0, [](TParametry&) {}},
        {"ZrzutQ", 1e-3, [](TParametry& r) { r.PrSam = Connection::OffNetwork, r.Ugz = r.Un; }},
        {"Synchronizacja", 0.0, [](TParametry&) {}},
        {"Synchronizacja", 1e-3, [](TParametry& r) { r.PrSam = Connection::OnNetwork, r.Ugz = r.Un; }},
        {"Test SS", 0.0, [](TParametry& r) { r.Ugz = r.Un, r.Tmr = (1.0 + 0.5 * r.Zaburz) * r.Tmr; }},
        {"Test SS", 1e-3, [](TParametry& r) { r.Ugz = r.Un, r.Tmr = (1.0 + r.Zaburz) * r.Tmr; }},
        {"Praca w sieci", 1e-3, [](TParametry&) {}},
    };
    for (Connection prSam : {Connection::OffNetwork, Connection::OnNetwork}) {
        for (const Case& c : cases) {
            RunInputs in = loadedPoint(c.scenario);
            in.record.PrSam = prSam;
            in.record.Ugz = 0.97 * in.record.Un;
            in.record.Zaburz = 0.3;
            const double t = in.record.tz1 + c.t;
            const State f = evaluate(in.initialState, in.record, t);

            TParametry changed = in.record;
            changed.scenario = ScenarioEvents::None;
            c.expected(changed);
            EXPECT_TRUE(sameBits(f, evaluate(in.initialState, changed, t)))
                << c.scenario << " " << static_cast<int>(prSam);
        }
    }
}

TEST(StateEquations, ShortCircuitVoltagesZeroAfterTheEventOnly) {
    RunInputs in = loadedPoint("Zwarcie");
    in.record.PrSam = Connection::OffNetwork;
    const State healthy = evaluate(in.initialState, in.record, in.record.tz1);
    EXPECT_NE(healthy[kUd], 0.0);
    EXPECT_NE(healthy[kUq], 0.0);
    const State shorted = evaluate(in.initialState, in.record, in.record.tz1 + 1e-3);
    EXPECT_EQ(shorted[kUd], 0.0);
    EXPECT_EQ(shorted[kUq], 0.0);
}

// On the network the current derivatives solve the inductance equations L di/dt = v.
TEST(StateEquations, OnNetworkDerivativesSolveTheInductanceEquations) {
    RunInputs in = loadedPoint();
    const TParametry& r = in.record;
    const State& x = in.initialState;
    const State f = evaluate(x, r, 0.001);
    const double Uf = r.kF * std::cos(x[kBeta]) * r.Iwn * r.cw * r.ksi * x[kOmega] / r.omegan;
    const double psid = r.Ld * x[kId] + r.Lad * (x[kIw] + x[kiD1]);
    const double psiq = r.Lq * x[kIq] + r.Laq * (x[kiQ1] + x[kiQ2]);
    const double Lfd = r.Lad + r.Lc;
    const double vd[3] = {x[kUd] - r.R * x[kId] + x[kOmega] * psiq, Uf - r.Rf * x[kIw], -r.RD * x[kiD1]};
    const double Ld3[3][3] = {
        {r.Ls + r.Lad, r.Lad, r.Lad}, {r.Lad, r.Lsf + r.Lad + r.Lc, Lfd}, {r.Lad, Lfd, r.LsD + Lfd}};
    const double dd[3] = {f[kId], f[kIw], f[kiD1]};
    const double vq[3] = {x[kUq] - r.R * x[kIq] - x[kOmega] * psid, -r.RQ1 * x[kiQ1], -r.RQ2 * x[kiQ2]};
    const double Lq3[3][3] = {
        {r.Ls + r.Laq, r.Laq, r.Laq}, {r.Laq, r.LsQ1 + r.Laq, r.Laq}, {r.Laq, r.Laq, r.LsQ2 + r.Laq}};
    const double dq[3] = {f[kIq], f[kiQ1], f[kiQ2]};
    for (int i = 0; i < 3; ++i) {
        const double lhsD = Ld3[i][0] * dd[0] + Ld3[i][1] * dd[1] + Ld3[i][2] * dd[2];
        const double lhsQ = Lq3[i][0] * dq[0] + Lq3[i][1] * dq[1] + Lq3[i][2] * dq[2];
        EXPECT_NEAR(lhsD, vd[i], 1e-9 * r.Un) << i;
        EXPECT_NEAR(lhsQ, vq[i], 1e-9 * r.Un) << i;
    }
    EXPECT_EQ(f[kUd], -r.networkVoltage * std::sin(x[kDelta]));
    EXPECT_EQ(f[kUq], r.networkVoltage * std::cos(x[kDelta]));
    EXPECT_EQ(f[kDelta], r.omegan - x[kOmega]);
}

TEST(StateEquations, OffNetworkStatorCurrentsDecayAndCopiesAreWritten) {
    RunInputs in = loadedPoint();
    in.record.PrSam = Connection::OffNetwork;
    State x = in.initialState;
    x[kT] = 0.0;
    x[kdUd] = 7.0;  // not read
    x[kdUq] = -7.0;
    const State f = evaluate(x, in.record, 0.002);
    EXPECT_EQ(f[kId], in.record.b * x[kId]);
    EXPECT_EQ(f[kIq], in.record.b * x[kIq]);
    EXPECT_EQ(f[kT], 0.0);
    EXPECT_EQ(f[kdUd], 0.0);
    EXPECT_EQ(f[kdUq], 0.0);
    EXPECT_EQ(f[kdId], f[kId]);
    EXPECT_EQ(f[kdIq], f[kIq]);
    EXPECT_EQ(f[kAlfa], (x[kRegulatorOutput] - x[kAlfa]) / in.record.Twz1);
    EXPECT_EQ(f[kdUg], (f[kUg] - x[kUg]) / 0.002);
}

// The regulator's output is held at zero while three steps exceed the time since the start.
TEST(StateEquations, RegulatorHeldAtTheStartOfTheRun) {
    RunInputs in = loadedPoint();
    State x = in.initialState;
    const double to = in.record.to, h = 0.001;
    x[kT] = to + h;
    EXPECT_EQ(evaluate(x, in.record, to + 2 * h)[kRegulatorOutput], 0.0);
    x[kT] = to + 3 * h;
    EXPECT_NE(evaluate(x, in.record, to + 4 * h)[kRegulatorOutput], 0.0);
}

}  // namespace
}  // namespace tgsim
