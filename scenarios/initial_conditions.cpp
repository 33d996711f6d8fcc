#include "initial_conditions.h"

#include "core/fp_fault.h"
#include "core/cell_number.h"

namespace tgsim {

namespace {

// The value of grid column `column` for state element column + 1.
double relativeValue(int column, double value, const TParametry& r) {
    switch (column) {
        case 0: case 2: case 3: case 4: case 5: case 14: case 15:
            return value / r.Ign;
        case 1:
            return value * r.ksi / r.Iwn;
        case 6:
            return value / r.omegan;
        case 10: case 11: case 12: case 13:
            return value / r.Un;
        default:
            return value;
    }
}

}  // namespace

void writeStateToInitialGrid(const State& state, const TParametry& record, TextGrid& war_pocz) {
    for (int column = 0; column < 20; ++column) {
        const double value = state[static_cast<std::size_t>(column + 1)];
        const double cell = guarded([&] { return relativeValue(column, value, record); });
        war_pocz.setCell(column, 1, formatGeneral(cell));
    }
}

}  // namespace tgsim
