#include "load_parameters.h"

#include <numbers>

#include "core/model/derived_constants.h"
#include "core/numerics/step_length.h"
#include "base/fp_fault.h"
#include "data/cell_failure.h"
#include "data/fault_cells.h"
#include "data/grid_columns.h"

namespace tgsim {
namespace {

// The conversions that divide, in the order each read goes through them.
constexpr Conversion kComputation[] = {Conversion::Bases, Conversion::InitialState, Conversion::Stabilizer,
                                       Conversion::RotorCircuits, Conversion::RatedPoint};
constexpr Conversion kMachineOnly[] = {Conversion::Bases, Conversion::RotorCircuits, Conversion::RatedPoint};

// Reads the value row of the table's columns in the table's order: each number converted to the
// unit the computation works with (a formula that faults raises its Failure, naming its cells),
// each switch parsed. Fields read before a failing cell keep their new values.
void readColumns(const GridRead& read, GridId id, ColumnTable table, TParametry& r, State* state = nullptr) {
    const TextGrid& grid = read.grids.byId(id);
    for (const GridColumn& c : table) {
        if (c.readSwitch) {
            c.readSwitch(r, grid.cell(c.column, 1));
            continue;
        }
        if (!c.field && !c.element) continue;  // not read
        const double cell = cellNumber(grid, c.column);
        double value = 0.0;
        try {
            value = guarded([&] { return c.scale.toPhysical(cell, r); });
        } catch (const Failure& failure) {
            throw Failure(withFaultCells(failure, read, id, c));
        }
        if (c.field)
            r.*(c.field) = value;
        else
            (*state)[static_cast<std::size_t>(c.element)] = value;
    }
}

void readStabilizer(const GridRead& read, bool stabilizerOn, TParametry& r) {
    r.pssOn = false;
    if (!stabilizerOn) return;
    if (r.pssOrder == kPss2aOrder) {
        readColumns(read, GridId::Siatka_PSS, kPss2aTable, r);
        namingFaultCells(read, Conversion::Stabilizer, [&] { computePss2aCoefficients(r); });
        r.pssOn = true;
    } else if (r.pssOrder == kSingleInputOrder) {
        readColumns(read, GridId::Siatka_PSS, kSingleInputTable, r);
        namingFaultCells(read, Conversion::Stabilizer, [&] { computeSingleInputCoefficients(r, r.T0); });
        r.pssOn = true;
    }
}

void computeBases(const GridRead& read, TParametry& r) {
    namingFaultCells(read, Conversion::Bases, [&] {
        r.baseImpedance = guarded([&] { return r.Un / (std::numbers::sqrt3 * r.Ign); });
        r.omegan = guarded([&] { return 2.0 * std::numbers::pi * r.fn; });
        r.nominalTorque = guarded([&] { return r.Sn * r.cosfin * r.p / r.omegan / r.spr; });
    });
}

void computeMachineConstants(const GridRead& read, TParametry& r) {
    namingFaultCells(read, Conversion::RotorCircuits, [&] { computeRotorCircuits(r); });
    namingFaultCells(read, Conversion::RatedPoint, [&] { computeRatedPoint(r); });
    r.networkVoltage = r.Un;
    r.betaMax = r.WzbSt ? 2.616946680440298 : 1.5707963267948966;
}

}  // namespace

void readMachineAndControl(const Grids& grids, TParametry& r) {
    const GridRead read{grids, r, kComputation};
    readColumns(read, GridId::siatka, kGeneratorTable, r);
    readColumns(read, GridId::siatkaPraca, kControlTable, r);

    r.stepCount = stepCountOf(r.to, r.tk, r.fn);
    computeBases(read, r);
}

void readInitialStateAndDerived(const Grids& grids, bool stabilizerOn, TParametry& r, State& initialState) {
    const GridRead read{grids, r, kComputation};
    initialState[0] = r.to;
    readColumns(read, GridId::war_pocz, kInitialTable, r, &initialState);
    readStabilizer(read, stabilizerOn, r);
    computeMachineConstants(read, r);
}

void readMachine(const Grids& grids, TParametry& r) {
    const GridRead read{grids, r, kMachineOnly};
    readColumns(read, GridId::siatka, kGeneratorTable, r);
    computeBases(read, r);
    computeMachineConstants(read, r);
}

void LoadParameters(const Grids& grids, bool stabilizerOn, TParametry& record, State& initialState) {
    readMachineAndControl(grids, record);
    readInitialStateAndDerived(grids, stabilizerOn, record, initialState);
}

}  // namespace tgsim
