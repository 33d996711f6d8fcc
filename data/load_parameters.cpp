#include "load_parameters.h"

#include <numbers>

#include "core/model/derived_constants.h"
#include "core/numerics/step_length.h"
#include "base/fp_fault.h"
#include "data/cell_failure.h"
#include "data/grid_columns.h"

namespace tgsim {
namespace {

// Reads the value row of the table's columns in the table's order: each number converted to the
// unit the computation works with (a formula that faults raises its Failure), each switch parsed.
// Fields read before a failing cell keep their new values.
void readColumns(const TextGrid& grid, ColumnTable table, TParametry& r, State* state = nullptr) {
    for (const GridColumn& c : table) {
        if (c.readSwitch) {
            c.readSwitch(r, grid.cell(c.column, 1));
            continue;
        }
        if (!c.field && !c.element) continue;  // not read
        const double cell = cellNumber(grid, c.column);
        const double value = guarded([&] { return c.scale.toPhysical(cell, r); });
        if (c.field)
            r.*(c.field) = value;
        else
            (*state)[static_cast<std::size_t>(c.element)] = value;
    }
}

void readStabilizer(const TextGrid& grid, bool stabilizerOn, TParametry& r) {
    r.pssOn = false;
    if (!stabilizerOn) return;
    if (r.pssOrder == kPss2aOrder) {
        readColumns(grid, kPss2aTable, r);
        computePss2aCoefficients(r);
        r.pssOn = true;
    } else if (r.pssOrder == kSingleInputOrder) {
        readColumns(grid, kSingleInputTable, r);
        computeSingleInputCoefficients(r, r.T0);
        r.pssOn = true;
    }
}

void computeBases(TParametry& r) {
    r.baseImpedance = guarded([&] { return r.Un / (std::numbers::sqrt3 * r.Ign); });
    r.omegan = guarded([&] { return 2.0 * std::numbers::pi * r.fn; });
    r.nominalTorque = guarded([&] { return r.Sn * r.cosfin * r.p / r.omegan / r.spr; });
}

void computeMachineConstants(TParametry& r) {
    computeRotorCircuits(r);
    computeRatedPoint(r);
    r.networkVoltage = r.Un;
    r.betaMax = r.WzbSt ? 2.616946680440298 : 1.5707963267948966;
}

}  // namespace

void readMachineAndControl(const Grids& grids, TParametry& r) {
    readColumns(grids.siatka, kGeneratorTable, r);
    readColumns(grids.siatkaPraca, kControlTable, r);

    r.stepCount = stepCountOf(r.to, r.tk, r.fn);
    computeBases(r);
}

void readInitialStateAndDerived(const Grids& grids, bool stabilizerOn, TParametry& r, State& initialState) {
    initialState[0] = r.to;
    readColumns(grids.war_pocz, kInitialTable, r, &initialState);
    readStabilizer(grids.Siatka_PSS, stabilizerOn, r);
    computeMachineConstants(r);
}

void readMachine(const Grids& grids, TParametry& r) {
    readColumns(grids.siatka, kGeneratorTable, r);
    computeBases(r);
    computeMachineConstants(r);
}

void LoadParameters(const Grids& grids, bool stabilizerOn, TParametry& record, State& initialState) {
    readMachineAndControl(grids, record);
    readInitialStateAndDerived(grids, stabilizerOn, record, initialState);
}

}  // namespace tgsim
