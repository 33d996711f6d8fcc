#pragma once
// Writing a state vector back into the initial-condition grid, in the grid's relative units.
#include "core/parametry.h"
#include "data/text_grid.h"

namespace tgsim {

// Cell c of `war_pocz` row 1 (c = 0..19) receives element c + 1 of `state`, converted with the
// record's scale fields: currents and their rates over Ign, the field current times ksi over Iwn,
// the speed over omegan, voltages over Un, angles and regulator states as they are; in the
// general format with fifteen digits. A fault in a conversion stops there; cells written before
// keep their new text.
void writeStateToInitialGrid(const State& state, const TParametry& record, TextGrid& war_pocz);

}  // namespace tgsim
