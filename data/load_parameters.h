#pragma once
// Reading the grids' text into the parameter record and the initial state: relative values
// converted to physical units, then the derived constants. The grids are only read.
#include "core/model/parameter_record.h"
#include "data/grids.h"

namespace tgsim {

// `siatka` and `siatkaPraca` into the record, with the step count, the impedance base, the rated
// angular frequency and the rated torque.
void readMachineAndControl(const Grids& grids, TParametry& record);

// Then `war_pocz` into the initial state and, when the stabilizer is switched on, `Siatka_PSS`
// (the set the record's pssOrder names) into the record; the rotor circuits, the rated point and
// the limits.
void readInitialStateAndDerived(const Grids& grids, bool stabilizerOn, TParametry& record, State& initialState);

// Both in turn. The first cell that is not a number, or formula that faults, raises its Failure:
// fields read before it hold their new values, all later ones keep their old values.
void LoadParameters(const Grids& grids, bool stabilizerOn, TParametry& record, State& initialState);

// Only the machine: `siatka` with the bases, the rotor circuits of the record's model, the rated
// point and the limits; what the steady-state commands need of the machine as the grids stand,
// without the control, initial-condition and stabilizer grids.
void readMachine(const Grids& grids, TParametry& record);

}  // namespace tgsim
