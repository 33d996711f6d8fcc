#pragma once
// The steady state of the machine on the network bus for a given delivered active and reactive
// power: the equilibrium of the state equations as they stand on the network (bus voltage Un at
// angle delta, speed omegan, dampers without current, the field voltage balancing Rf*Iw, the
// shaft torque balancing the electrical torque and the damping, the regulator at rest with zero
// voltage error).
#include <array>

#include "core/parametry.h"
#include "data/grids.h"

namespace tgsim {

struct SteadyState {
    State x{};                      // physical units, as the integrator starts from it
    double torque = 0;              // Tmr relative to the rated torque
    double setPoint = 0;            // Ugz relative to Un: the terminal voltage reached
    std::array<double, 4> checks{}; // Pr : d-q, Pr : cosfi, Qr : d-q, Qr : sinfi
};

// Pr relative to Sn*cosfin, Qr relative to Sn, both delivered at the network bus (Qr positive
// for an over-excited generator), for the machine the record holds (its circuit constants
// derived). Refuses, with a Failure that says why, a point that needs more
// field voltage than the exciter gives or a firing angle beyond its limits.
SteadyState networkSteadyState(const TParametry& record, double Pr, double Qr);

// Writes the state into `war_pocz` (headers and all twenty values), the torque and the set point
// into `siatkaPraca` columns 2 and 12.
void writeSteadyState(const SteadyState& state, const TParametry& record, Grids& grids);

// "zadany stan Ustalony": reads Pr, Qr, Ugr, wr from `zadanystanustalony` (writing its defaults
// the first time), refuses Ugr or wr other than 1 (the network fixes voltage and speed), computes
// the state and writes the four check values; the caller writes the state (writeSteadyState).
// Nothing but the steady-state grid's headers and defaults is written when the command refuses.
SteadyState Warunkizadane(const TParametry& record, Grids& grids, bool& defaultsWritten);

}  // namespace tgsim
