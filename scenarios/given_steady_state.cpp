#include "given_steady_state.h"

#include "base/cell_number.h"
#include "base/failure.h"
#include "data/cell_failure.h"
#include "data/grid_columns.h"
#include "initial_conditions.h"

namespace tgsim {
namespace {

// The given point's defaults, written the first time the command runs.
constexpr std::array<const char*, kSteadyStateInputs> kSteadyStateDefaults = {"0,5", "0,3", "1,0", "1,0"};

}  // namespace

void writeSteadyState(const SteadyState& s, const TParametry& r, Grids& grids) {
    writeInitialHeaders(grids.war_pocz);
    writeStateToInitialGrid(s.x, r, grids.war_pocz);
    grids.siatkaPraca.setCell(columnOf(kControlTable, &TParametry::Tmr), 1, formatGeneral(s.torque));
    grids.siatkaPraca.setCell(columnOf(kControlTable, &TParametry::Ugz), 1, formatGeneral(s.setPoint));
}

void writeSteadyStateDefaults(Grids& grids, bool& defaultsWritten) {
    TextGrid& grid = grids.zadanystanustalony;
    const ColumnTable inputs = kSteadyStateTable.first(kSteadyStateInputs);
    writeHeaders(grid, inputs);
    if (defaultsWritten) return;
    for (std::size_t i = 0; i < inputs.size(); ++i) grid.setCell(inputs[i].column, 1, kSteadyStateDefaults[i]);
    defaultsWritten = true;
}

SteadyState Warunkizadane(const TParametry& record, Grids& grids, bool& defaultsWritten) {
    TextGrid& grid = grids.zadanystanustalony;
    const ColumnTable inputs = kSteadyStateTable.first(kSteadyStateInputs);
    const ColumnTable checks = kSteadyStateTable.subspan(kSteadyStateInputs);
    writeSteadyStateDefaults(grids, defaultsWritten);
    std::array<double, kSteadyStateInputs> given{};
    for (std::size_t i = 0; i < inputs.size(); ++i) given[i] = cellNumber(grid, inputs[i].column);
    const auto [Pr, Qr, Ugr, wr] = given;
    if (Ugr != 1.0)
        throw Failure("On the network the bus fixes the voltage: a steady state needs Ugr = 1 (not " +
                      formatGeneral(Ugr) + ")");
    if (wr != 1.0)
        throw Failure("On the network the bus fixes the speed: a steady state needs wr = 1 (not " + formatGeneral(wr) +
                      ")");
    const SteadyState s = networkSteadyState(record, Pr, Qr);
    writeHeaders(grid, checks);
    for (std::size_t i = 0; i < checks.size(); ++i) grid.setCell(checks[i].column, 1, formatGeneral(s.checks[i]));
    return s;
}

}  // namespace tgsim
