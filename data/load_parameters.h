#pragma once
// Reading the grids' text into the parameter record and the initial state.
#include <string_view>

#include "core/parametry.h"
#include "data/grids.h"

namespace tgsim {

// Parses `siatka`, `siatkaPraca`, `war_pocz` and, when the stabilizer caption is "Wyl. PSS",
// `Siatka_PSS`; converts relative values to physical units; computes the derived constants.
// Writes the header row of `war_pocz` and makes the first three grids visible.
// The first cell that is not a number, or formula that faults, raises its Failure: fields read
// before it hold their new values, all later ones keep their old values.
void LoadParameters(Grids& grids, std::string_view pssCaption, TParametry& record, State& initialState);

}  // namespace tgsim
