#include "import_conversions.h"

#include <cmath>
#include <numbers>

#include "base/cell_number.h"
#include "base/csv_number.h"
#include "base/failure.h"
#include "base/fp_fault.h"
#include "data/cell_failure.h"
#include "data/grid_columns.h"
#include "data/pss_sets.h"
#include "pss2a_conversion.h"
#include "psse_text.h"

namespace tgsim::psse {
namespace {

// A grid value as notes show it: the program's own number format, decimal comma.
std::string shown(double value) { return formatGeneral(value, 6); }

// The excitation of the machine on open circuit at rated voltage and speed, in its classical
// circuits: the field current (referred to the stator) whose flux gives Un, and the field
// voltage that drives it through the field resistance.
struct NoLoadExcitation {
    double current, voltage;
};

NoLoadExcitation noLoadExcitation(const ImportCells& cells) {
    const double Un = cells.machine(&TParametry::Un), Ign = cells.machine(&TParametry::Ign);
    const double Xd = cells.machine(&TParametry::Xd), Xs = cells.machine(&TParametry::Xs);
    const double Xd1 = cells.machine(&TParametry::Xd1), Td01 = cells.machine(&TParametry::Td01);
    const double omegan = omeganOf(cells.machine(&TParametry::fn));
    return {guarded([&] { return std::numbers::sqrt3 * Ign / (Xd - Xs); }),
            guarded([&] { return Un * (Xd - Xs) / (omegan * Td01 * (Xd - Xd1)); })};
}

}  // namespace

void ImportCells::set(GridId grid, int column, double value) {
    const std::string text = formatGeneral(value);
    TextGrid& target = after_.byId(grid);
    try {
        if (parseCellNumber(target.cell(column, 1)) == parseCellNumber(text)) return;
    } catch (const Failure&) {
        // The old text is no number: it is replaced.
    }
    target.setCell(column, 1, text);
    edits_.push_back({grid, column, text});
}

void ImportCells::setMachine(double TParametry::*field, double value) {
    set(GridId::siatka, columnOf(kGeneratorTable, field), value);
}

void ImportCells::setSetName(const std::string& name) {
    const int column = columnNamed(kGeneratorTable, "name")->column;
    if (after_.siatka.cell(column, 1) == name) return;
    after_.siatka.setCell(column, 1, name);
    edits_.push_back({GridId::siatka, column, name});
}

double ImportCells::machine(double TParametry::*field) const {
    const GridColumn& column = *columnAt(kGeneratorTable, columnOf(kGeneratorTable, field));
    const TParametry unused{};  // the generator grid's scales are constant factors
    return column.scale.toPhysical(cellNumber(after_.siatka, column.column), unused);
}

double omeganOf(double fn) { return 2.0 * std::numbers::pi * fn; }

double inertiaForH(double H, double Sn, double omegan, double p) {
    const double mechanicalSpeed = omegan / p;
    return H * Sn / (mechanicalSpeed * mechanicalSpeed);
}

double hOfInertia(double J, double Sn, double omegan, double p) {
    const double mechanicalSpeed = omegan / p;
    return J * mechanicalSpeed * mechanicalSpeed / Sn;
}

double dampingForPerUnit(double Dpu, double Sn, double omegan, double p) { return Dpu * Sn * p / (omegan * omegan); }

double perUnitOfDamping(double D, double Sn, double omegan, double p) { return D * omegan * omegan / (Sn * p); }

void writeNetworkBases(ImportCells& cells, const NetworkCase& network, const MachineKey& key,
                       std::vector<std::string>& notes) {
    const RawBus* bus = network.bus(key.bus);
    if (!bus)
        throw Failure(where(network.name, 0) + "no bus " + std::to_string(key.bus) +
                      " in the bus data: expected the machine's bus with its base voltage BASKV");
    const RawGenerator* generator = network.generator(key);
    if (!generator)
        throw Failure(where(network.name, 0) + "no generator " + machineName(key) +
                      " in the generator data: expected the machine with its base MBASE");
    if (!(generator->mbase > 0.0))
        throw Failure(where(network.name, generator->line) + "MBASE = " + csvNumber(generator->mbase) +
                      " of generator " + machineName(key) + ": it must be above zero");
    if (!(bus->baseKv > 0.0))
        throw Failure(where(network.name, bus->line) + "BASKV = " + csvNumber(bus->baseKv) + " of bus " +
                      std::to_string(key.bus) + ": it must be above zero");
    cells.setMachine(&TParametry::Sn, generator->mbase);
    cells.setMachine(&TParametry::Un, bus->baseKv);
    cells.setMachine(&TParametry::Ign, generator->mbase * 1e6 / (std::numbers::sqrt3 * bus->baseKv * 1e3));
    std::string note = "Bases from " + network.name + ": Sn = MBASE = " + shown(generator->mbase) +
                       " MVA, Un = BASKV = " + shown(bus->baseKv) +
                       " kV, Ign = Sn/(√3·Un) = " + shown(cells.machine(&TParametry::Ign)) + " A, ";
    if (network.baseFrequency) {
        cells.setMachine(&TParametry::fn, *network.baseFrequency);
        note += "fn = BASFRQ = " + shown(*network.baseFrequency) + " Hz.";
    } else {
        note += "fn = " + cells.grids().siatka.cell(columnOf(kGeneratorTable, &TParametry::fn), 1) +
                " Hz as it was (the file gives no BASFRQ).";
    }
    notes.push_back(note);
}

std::string gridBasesNote(const TextGrid& siatka) {
    const auto cell = [&](double TParametry::*field) { return siatka.cell(columnOf(kGeneratorTable, field), 1); };
    return "No network data (.raw): the record's per-unit values are taken on the grid's bases Sn = " +
           cell(&TParametry::Sn) + " MVA, Un = " + cell(&TParametry::Un) + " kV, Ign = " + cell(&TParametry::Ign) +
           " A, fn = " + cell(&TParametry::fn) + " Hz; R and Xtr stay as they were.";
}

void writeShaft(ImportCells& cells, double H, double D) {
    const double Sn = cells.machine(&TParametry::Sn), p = cells.machine(&TParametry::p);
    const double omegan = omeganOf(cells.machine(&TParametry::fn));
    cells.setMachine(&TParametry::J, guarded([&] { return inertiaForH(H, Sn, omegan, p); }));
    cells.setMachine(&TParametry::D, guarded([&] { return dampingForPerUnit(D, Sn, omegan, p); }));
}

void writeStatorAndTransformer(ImportCells& cells, const NetworkCase& network, const MachineKey& key,
                               std::vector<std::string>& notes) {
    const RawGenerator& generator = *network.generator(key);
    if (generator.zr < 0.0)
        throw Failure(where(network.name, generator.line) + "ZR = " + csvNumber(generator.zr) + " of generator " +
                      machineName(key) + ": it must not be negative");
    // The program takes R in ohms: ZR times the machine's base impedance.
    const double Un = cells.machine(&TParametry::Un), Ign = cells.machine(&TParametry::Ign);
    cells.setMachine(&TParametry::R, guarded([&] { return generator.zr * (Un / (std::numbers::sqrt3 * Ign)); }));
    std::string note = "R = ZR·Un/(√3·Ign) = " + shown(cells.machine(&TParametry::R)) + " Ω" +
                       (generator.zr == 0.0 ? " (ZR = 0: a lossless stator)" : "") + "; ";
    if (generator.xt != 0.0) {
        if (generator.xt < 0.0)
            throw Failure(where(network.name, generator.line) + "XT = " + csvNumber(generator.xt) + " of generator " +
                          machineName(key) + ": it must not be negative");
        cells.setMachine(&TParametry::Xtr, generator.xt);
        notes.push_back(note + "Xtr = XT = " + shown(generator.xt) + ".");
        return;
    }
    const std::vector<const RawTransformer*> at = network.transformersAt(key.bus);
    if (at.size() != 1) {
        notes.push_back(note + "Xtr stays as it was: XT = 0 and bus " + std::to_string(key.bus) + " has " +
                        (at.empty() ? std::string("no") : std::to_string(at.size())) + " two-winding transformers" +
                        (at.empty() ? "" : " (not one to choose)") + ".");
        return;
    }
    const RawTransformer& t = *at[0];
    const double x = reactanceOnMachineBase(t, network.sbase, generator.mbase);
    if (!(x >= 0.0))
        throw Failure(where(network.name, t.line) + "the transformer " + std::to_string(t.from) + "-" +
                      std::to_string(t.to) + " has no real reactance on the machine base (X1-2 = " + csvNumber(t.x) +
                      ", R1-2 = " + csvNumber(t.r) + ", CZ = " + std::to_string(t.cz) + ")");
    cells.setMachine(&TParametry::Xtr, x);
    notes.push_back(note + "Xtr = " + shown(x) + " from the transformer " + std::to_string(t.from) + "-" +
                    std::to_string(t.to) + " (line " + std::to_string(t.line) + "), its X1-2 = " + csvNumber(t.x) +
                    " referred to MBASE.");
}

void writeFieldRatings(ImportCells& cells, const TextGrid& before, std::vector<std::string>& notes) {
    constexpr const char* kKept = "The field ratings stay as they were: ";
    Grids previous = cells.grids();
    previous.siatka = before;
    std::vector<CellEdit> none;
    NoLoadExcitation old{}, now{};
    std::array<double, 5> ratings{};
    const std::array<double TParametry::*, 5> fields = {&TParametry::Iwo, &TParametry::Iwz, &TParametry::Iwn,
                                                        &TParametry::Uwn, &TParametry::cw};
    try {
        old = noLoadExcitation(ImportCells(previous, none));
        now = noLoadExcitation(cells);
        for (std::size_t k = 0; k < fields.size(); ++k) ratings[k] = cells.machine(fields[k]);
    } catch (const Failure& failure) {
        notes.push_back(kKept + std::string("the machine in the grid gives no no-load excitation to scale from (") +
                        failure.what() + ").");
        return;
    }
    const double a = now.current / old.current, v = now.voltage / old.voltage;
    if (!(std::isfinite(a) && std::isfinite(v) && a > 0.0 && v > 0.0)) {
        notes.push_back(kKept + std::string("the machine in the grid has no positive no-load excitation."));
        return;
    }
    if (a == 1.0 && v == 1.0) return;
    const std::array<double, 5> factors = {a, a, a, v, v / a};
    for (std::size_t k = 0; k < fields.size(); ++k) cells.setMachine(fields[k], ratings[k] * factors[k]);
    notes.push_back(
        "The field ratings follow the no-load excitation at rated voltage, which keeps its firing angle: "
        "Iwo, Iwz and Iwn × " +
        shown(a) + " (its field current), Uwn × " + shown(v) + " (its field voltage), cw × " + shown(v / a) + ".");
}

bool writeStabilizer(ImportCells& cells, const DyrRecord& stabilizer, std::uint8_t pssOrder, const std::string& head,
                     std::vector<std::string>& notes) {
    const Pss2aRecord record = Pss2aRecord::fromNumbers(stabilizer.numbers);
    const double cosfin = cells.machine(&TParametry::cosfin);
    const auto converted = pss2aFromRecord(record, cosfin);
    if (const auto* reason = std::get_if<std::string>(&converted)) {
        notes.push_back(head + " is not imported: " + *reason +
                        ". The machine is; the stabilizer grid and its switch stay as they were.");
        return false;
    }
    const Pss2aShape& s = std::get<Pss2aShape>(converted);
    TextGrid& grid = cells.grids().Siatka_PSS;
    if (pssOrder != kPss2aOrder) writePss2aSet(kPss2aSets[0], grid);
    const std::pair<double TParametry::*, double> values[] = {
        {&TParametry::T1, s.T1},   {&TParametry::T2, s.T2},   {&TParametry::T3, s.T3},   {&TParametry::T4, s.T4},
        {&TParametry::T6, s.T6},   {&TParametry::T7, s.T7},   {&TParametry::T8, s.T8},   {&TParametry::T9, s.T9},
        {&TParametry::Tw1, s.Tw1}, {&TParametry::Tw2, s.Tw2}, {&TParametry::Tw3, s.Tw3}, {&TParametry::Tw4, s.Tw4},
        {&TParametry::ks2, s.ks2}, {&TParametry::ks3, s.ks3},
    };
    for (const auto& [field, value] : values) cells.set(GridId::Siatka_PSS, columnOf(kPss2aTable, field), value);
    const auto cell = [&](double TParametry::*field) { return grid.cell(columnOf(kPss2aTable, field), 1); };
    std::string note = head + " is imported into the stabilizer grid" +
                       (pssOrder != kPss2aOrder ? " (a PSS2A layout, T5, ks1 and kw from \"" +
                                                      std::string(kPss2aSets[0].menuCaption) + "\")"
                                                : std::string()) +
                       " and the stabilizer switched on; ks2 = -Ks2·cosfin = " + shown(s.ks2) +
                       " (the file subtracts its power path, on MBASE).";
    if (s.T8 != record.T8 || record.M != 2.0 || record.N != 2.0)
        note += " Its ramp-tracking filter (M = " + csvNumber(record.M) + ", N = " + csvNumber(record.N) +
                ", T8 = " + csvNumber(record.T8) + ") is the same as T8 = " + shown(s.T8) + ", T9 = " + shown(s.T9) +
                " in this stabilizer's form (1 + s T8)²/(1 + s T9)⁴.";
    note += " Not imported: its gain Ks1 = " + csvNumber(record.Ks1) +
            ", which acts on a voltage reference where this stabilizer acts on the exciter's firing angle (ks1 = " +
            cell(&TParametry::ks1) + " and kw = " + cell(&TParametry::kw) +
            " stay; \"Dobierz nastawy…\" proposes a gain), and its output limits VSTMAX = " + csvNumber(record.VSTMAX) +
            ", VSTMIN = " + csvNumber(record.VSTMIN) + " (this stabilizer's output is unlimited).";
    notes.push_back(note);
    return true;
}

}  // namespace tgsim::psse
