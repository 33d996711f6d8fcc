#pragma once
// One axis of the machine as machine testing sees it: the stator winding, coupled through the
// magnetizing inductance with two rotor circuits (field and d damper, or the two q dampers).
// With the rotor circuits closed and the speed constant, stator flux and current are tied by
// the operational inductance
//     L(s) = L - s m^T (R + s Lr)^-1 m = L (1 + s T')(1 + s T'') / ((1 + s T0')(1 + s T0'')),
// whose poles are the rotor circuits' own time constants with the stator open (T0', T0'') and
// whose zeros are those with the stator short-circuited (T', T'').
#include <array>
#include <optional>

namespace tgsim {

struct AxisCircuits {
    double statorInductance = 0;              // L: magnetizing plus stator leakage, H
    double magnetizingInductance = 0;         // m: mutual inductance of the stator with each rotor circuit, H
    std::array<double, 4> rotorInductance{};  // Lr, 2 x 2 row by row, H
    std::array<double, 2> rotorResistance{};  // R, the diagonal, ohm
};

// Inductances in H, time constants in s, the longer one first. A quantity the circuits do not
// define (a rotor resistance that is not positive, time constants that are not real and
// positive, a singular matrix) is left empty.
struct AxisParameters {
    double synchronous = 0;                             // L(0)
    std::optional<double> subtransient;                 // L(s -> infinity)
    std::optional<double> transient;                    // E / I' of the sudden short circuit, see below
    std::optional<std::array<double, 2>> openCircuit;   // T0', T0''
    std::optional<std::array<double, 2>> shortCircuit;  // T', T''
};

// The transient inductance is the one the sudden short-circuit test measures: the step response
// of 1/L(s) splits exactly into 1/L + (1/L' - 1/L) e^(-t/T') + (1/L'' - 1/L') e^(-t/T''), and L'
// is read from the coefficient of e^(-t/T').
AxisParameters analyseAxis(const AxisCircuits& circuits);

}  // namespace tgsim
