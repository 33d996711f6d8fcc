#include "initial_conditions.h"

#include "base/cell_number.h"
#include "base/fp_fault.h"
#include "data/grid_columns.h"

namespace tgsim {

void writeStateToInitialGrid(const State& state, const TParametry& record, TextGrid& war_pocz) {
    for (const GridColumn& c : kInitialTable) {
        const double value = state[static_cast<std::size_t>(c.element)];
        const double cell = guarded([&] { return c.scale.toCell(value, record); });
        war_pocz.setCell(c.column, 1, formatGeneral(cell));
    }
}

}  // namespace tgsim
