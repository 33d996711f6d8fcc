#pragma once
// Writing a state vector back into the initial-condition grid, in the grid's relative units.
#include "core/model/parameter_record.h"
#include "data/text_grid.h"

namespace tgsim {

// Every column of `war_pocz` row 1 (kInitialTable) receives its element of `state`, converted back
// to the cell's unit with the record's scale fields, in the general format with fifteen digits.
// A fault in a conversion stops there; cells written before keep their new text.
void writeStateToInitialGrid(const State& state, const TParametry& record, TextGrid& war_pocz);

}  // namespace tgsim
