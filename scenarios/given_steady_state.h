#pragma once
// The given steady state in the grids: the command "zadany stan Ustalony" reads the point asked for
// from `zadanystanustalony`, and the state computed for it is written into `war_pocz` and
// `siatkaPraca`.
#include "data/grids.h"
#include "core/model/steady_state.h"

namespace tgsim {

// Writes the state into `war_pocz` (headers and all twenty values), the torque and the set point
// into their columns of `siatkaPraca`.
void writeSteadyState(const SteadyState& state, const TParametry& record, Grids& grids);

// Writes the input headers of `zadanystanustalony` and, unless they were written before, the given
// point's defaults (as the command's first run does).
void writeSteadyStateDefaults(Grids& grids, bool& defaultsWritten);

// "zadany stan Ustalony": reads Pr, Qr, Ugr, wr from `zadanystanustalony` (writing its defaults
// the first time), refuses Ugr or wr other than 1 (the network fixes voltage and speed), computes
// the state and writes the four check values; the caller writes the state (writeSteadyState).
// Nothing but the steady-state grid's headers and defaults is written when the command refuses.
SteadyState Warunkizadane(const TParametry& record, Grids& grids, bool& defaultsWritten);

}  // namespace tgsim
