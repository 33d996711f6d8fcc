#pragma once
// The steady state of the machine on the network bus for a given delivered active and reactive
// power: the equilibrium of the state equations as they stand on the network (bus voltage Un at
// angle delta, speed omegan, dampers without current, the field voltage balancing Rf*Iw, the
// shaft torque balancing the electrical torque and the damping, the regulator at rest with zero
// voltage error).
#include <array>

#include "parameter_record.h"

namespace tgsim {

struct SteadyState {
    State x{};                       // physical units, as the integrator starts from it
    double torque = 0;               // Tmr relative to the rated torque
    double setPoint = 0;             // Ugz relative to Un: the terminal voltage reached
    std::array<double, 4> checks{};  // Pr : d-q, Pr : cosfi, Qr : d-q, Qr : sinfi
};

// Pr relative to Sn*cosfin, Qr relative to Sn, both delivered at the network bus (Qr positive
// for an over-excited generator), for the machine the record holds (its circuit constants
// derived). Refuses, with a Failure that says why, a point that needs more
// field voltage than the exciter gives or a firing angle beyond its limits.
SteadyState networkSteadyState(const TParametry& record, double Pr, double Qr);

}  // namespace tgsim
