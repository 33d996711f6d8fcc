// The model reference (docs/model.md) against the program: the first evaluation of the start-up
// run recomputed by hand from the document's formulas and the typed data of set 1, and the
// effective inertia constant read from the shaft's response to a torque.
#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/standard_parameters.h"
#include "core/model/state_equations.h"
#include "core_runs.h"

namespace tgsim {
namespace {

// The start-up run: set 1, classical model, machine unexcited at rated speed, off the network,
// beta = 1,57. Its first step evaluates the equations at t = to + h on row 0.
TEST(ModelReference, FirstStepOfTheStartUpRunByHand) {
    const testing::RunInputs in = testing::loadRun(1, "Klasyc");
    State f;
    const double h = (in.record.tk - in.record.to) / (in.record.stepCount + 1.0);
    State row0 = in.initialState;
    row0[kT] = in.record.to;
    stateEquations(row0, in.record, in.record.to + h, f);

    // Set 1 as typed: Un 15,75 kV, Ign 8625 A, fn 50 Hz, p 1, Xd 2,48, Xd' 0,27, Xd'' 0,18,
    // Xs 0,139, kF 1,6, Iwn 2435 A, cw 0,0789, ksi 0,114, J 6100, D 22.
    const double pi = 3.141592653589793, Un = 15750.0, Ign = 8625.0, wn = 2.0 * pi * 50.0;
    const double Zb = Un / (std::sqrt(3.0) * Ign), Lb = Zb / wn;
    const double Xd = 2.48, Xd1 = 0.27, Xd2 = 0.18, Xs = 0.139;
    const double Lad = (Xd - Xs) * Lb;
    const double Lsf = (Xd - Xs) * (Xd1 - Xs) / (Xd - Xd1) * Lb;
    const double LsD = (Xd2 - Xs) * (Xd1 - Xs) / (Xd1 - Xd2) * Lb;
    const double Lff = Lsf + Lad, LDD = LsD + Lad, LfD = Lad;
    // Field voltage at beta = 1,57 and rated speed, referred to the stator.
    const double Uf = 1.6 * std::cos(1.57) * 2435.0 * 0.0789 * 0.114 * 1.0;
    // No current flows yet: dIw/dt is the first row of the inverse rotor matrix times Uf.
    const double dIw = LDD / (Lff * LDD - LfD * LfD) * Uf;
    EXPECT_NEAR(f[kIw], dIw, 1e-12 * std::fabs(dIw));
    // Shaft: p/(2J) times the balance, whose only term is the damping D on the absolute speed.
    const double dOmega = 1.0 / (2.0 * 6100.0) * (-22.0 * wn);
    EXPECT_NEAR(f[kOmega], dOmega, 1e-12 * std::fabs(dOmega));
    // At 90 % of the rated speed the damping is 90 % of that at rated speed.
    row0[kOmega] = 0.9 * wn;
    stateEquations(row0, in.record, in.record.to + h, f);
    EXPECT_NEAR(f[kOmega], 0.9 * dOmega, 1e-12 * std::fabs(dOmega));
}

// The shaft equation driven by rated torque at rest electrically: 2 H/wn dw/dt = T/Tb with the
// torque base Tb = Sn p/wn gives the inertia constant the program acts with.
TEST(ModelReference, EffectiveInertiaIsTheOneTheShaftActsWith) {
    testing::RunInputs in = testing::loadRun(1, "Klasyc");
    TParametry& r = in.record;
    r.D = 0.0;
    r.Tmr = -1.0;  // a driving torque of the rated torque
    State f;
    stateEquations(in.initialState, r, r.to + 1e-3, f);
    const double torqueBase = r.Sn * r.p / r.omegan;
    const double H = r.nominalTorque / torqueBase * r.omegan / (2.0 * f[kOmega]);
    const StandardParameters t = standardParameters(r);
    EXPECT_NEAR(H, standardParameter(t, "H_effective").value.value(), 1e-12 * H);
    EXPECT_NEAR(H, 2.0 * standardParameter(t, "H").value.value(), 1e-12 * H);
}

}  // namespace
}  // namespace tgsim
