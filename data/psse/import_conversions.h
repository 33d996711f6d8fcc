#pragma once
// The conversions of a machine import, each writing its cells into a copy of the grids: the
// bases from the network data, the shaft's inertia and damping, the stator resistance and the
// step-up transformer, the field ratings, and the PSS2A. The same conversions backwards serve
// the export.
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/parameter_record.h"
#include "data/grids.h"
#include "dyr_file.h"
#include "machine_import.h"
#include "raw_file.h"

namespace tgsim::psse {

// Sets cells of a copy of the grids and keeps each cell whose value changes as an edit. A cell
// that holds the same number already keeps its text ("0,10" stays "0,10").
class ImportCells {
public:
    ImportCells(Grids& after, std::vector<CellEdit>& edits) : after_(after), edits_(edits) {}

    const Grids& grids() const { return after_; }
    Grids& grids() { return after_; }
    // `value` in the cell's own unit (MVA for Sn, kV for Un, ...).
    void set(GridId grid, int column, double value);
    // The generator grid's column of the record's field.
    void setMachine(double TParametry::*field, double value);
    void setSetName(const std::string& name);
    // The generator grid's value of that field in the unit the computation works with (VA, V,
    // ...); a cell that is not a number raises its CellFailure.
    double machine(double TParametry::*field) const;

private:
    Grids& after_;
    std::vector<CellEdit>& edits_;
};

// The shaft equation integrates d omega/dt = p/(2J) (torque), so the inertia constant it acts
// with is J (omegan/p)^2 / Sn; and the damping D omega acts on the absolute speed, whose slope D
// damps speed deviations: D per unit on speed deviation is D omegan^2/(Sn p).
double inertiaForH(double H, double Sn, double omegan, double p);
double hOfInertia(double J, double Sn, double omegan, double p);
double dampingForPerUnit(double Dpu, double Sn, double omegan, double p);
double perUnitOfDamping(double D, double Sn, double omegan, double p);
double omeganOf(double fn);  // as the computation forms it

// Sn = MBASE, Un = BASKV of the machine's bus, fn = BASFRQ, Ign = Sn/(sqrt3 Un).
void writeNetworkBases(ImportCells& cells, const NetworkCase& network, const MachineKey& key,
                       std::vector<std::string>& notes);
// Without network data: which bases the per-unit values are taken on.
std::string gridBasesNote(const TextGrid& siatka);
// J and D from the record's H and D on the bases the grid holds now.
void writeShaft(ImportCells& cells, double H, double D);
// R from ZR on the machine's base impedance; Xtr from XT, else from the one two-winding
// transformer at the machine's bus, else unchanged.
void writeStatorAndTransformer(ImportCells& cells, const NetworkCase& network, const MachineKey& key,
                               std::vector<std::string>& notes);
// The field ratings follow the no-load excitation from the machine in `before` to the new one.
void writeFieldRatings(ImportCells& cells, const TextGrid& before, std::vector<std::string>& notes);
// The PSS2A record into the stabilizer grid (its layout loaded first when pssOrder is another
// kind); false, with the reason in the notes, when it cannot be taken exactly.
bool writeStabilizer(ImportCells& cells, const DyrRecord& record, std::uint8_t pssOrder, const std::string& head,
                     std::vector<std::string>& notes);

}  // namespace tgsim::psse
