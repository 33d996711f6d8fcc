#include "dyr_export.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "base/cell_number.h"
#include "base/csv_number.h"
#include "base/fp_fault.h"
#include "data/cell_failure.h"
#include "data/grid_columns.h"
#include "import_conversions.h"
#include "pss2a_conversion.h"

namespace tgsim::psse {
namespace {

// "  BUS 'MODEL' 'ID'" and the numbers, five to a line, the closing slash with a comment on a
// line of its own.
std::string record(const MachineKey& key, const char* model, const std::vector<double>& numbers,
                   const std::string& comment) {
    std::string text = std::string(6 - std::min<std::size_t>(6, std::to_string(key.bus).size()), ' ') +
                       std::to_string(key.bus) + " '" + model + "' '" + key.id + "'";
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (k % 5 == 0) text += "\n       ";
        text += "  " + csvNumber(numbers[k]);
    }
    return text + "\n       /  " + comment + "\n";
}

// A value the export computes from the grid (H, D, ZR, Ks2) to 12 significant digits: the
// conversion's last-bit error is not written (3.0000000000000067 is 3). Importing it gives the
// cells an import of the full value gives, to their 15 digits.
double trimmed(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 12).ptr;
    double back = value;
    std::from_chars(text.data(), end, back);
    return back;
}

double pssValue(const Grids& grids, double TParametry::*field) {
    return cellNumber(grids.Siatka_PSS, columnOf(kPss2aTable, field));
}

std::string pss2aRecord(const Grids& grids, const MachineKey& key, double cosfin, std::vector<std::string>& notes) {
    Pss2aShape shape;
    const std::pair<double Pss2aShape::*, double TParametry::*> fields[] = {
        {&Pss2aShape::T1, &TParametry::T1},   {&Pss2aShape::T2, &TParametry::T2},
        {&Pss2aShape::T3, &TParametry::T3},   {&Pss2aShape::T4, &TParametry::T4},
        {&Pss2aShape::T6, &TParametry::T6},   {&Pss2aShape::T7, &TParametry::T7},
        {&Pss2aShape::T8, &TParametry::T8},   {&Pss2aShape::T9, &TParametry::T9},
        {&Pss2aShape::Tw1, &TParametry::Tw1}, {&Pss2aShape::Tw2, &TParametry::Tw2},
        {&Pss2aShape::Tw3, &TParametry::Tw3}, {&Pss2aShape::Tw4, &TParametry::Tw4},
        {&Pss2aShape::ks2, &TParametry::ks2}, {&Pss2aShape::ks3, &TParametry::ks3},
    };
    for (const auto& [to, from] : fields) shape.*to = pssValue(grids, from);
    const double ks1 = pssValue(grids, &TParametry::ks1), kw = pssValue(grids, &TParametry::kw);
    clearFpFaults();
    Pss2aRecord r = pss2aToRecord(shape, cosfin, ks1, kw);
    throwIfFpFault(r.Ks2);
    r.Ks2 = trimmed(r.Ks2);
    notes.push_back("The PSS2A record has M = N = 2, Ks2 = -ks2/cosfin = " + csvNumber(r.Ks2) +
                    ", Ks1 = -kw·ks1 = " + csvNumber(r.Ks1) +
                    " (this stabilizer acts on the exciter's firing angle, not on a voltage reference: the "
                    "same sense of action, another scale; tune Ks1 for the exciter it will drive) and limits "
                    "of ±99 (this stabilizer's output is unlimited).");
    return record(key, "PSS2A", r.numbers(), numberNames("PSS2A") + "; Ks1 and the limits are not this program's");
}

}  // namespace

DyrExport exportMachine(const Grids& grids, const MachineKey& key, RotorModel model, bool stabilizerOn,
                        std::uint8_t pssOrder) {
    Grids copy = grids;
    std::vector<CellEdit> none;
    const ImportCells cells(copy, none);
    const auto value = [&](double TParametry::*field) { return cells.machine(field); };
    const double Sn = value(&TParametry::Sn), Un = value(&TParametry::Un), Ign = value(&TParametry::Ign);
    const double fn = value(&TParametry::fn), p = value(&TParametry::p), omegan = omeganOf(fn);
    const double H = trimmed(guarded([&] { return hOfInertia(value(&TParametry::J), Sn, omegan, p); }));
    const double D = trimmed(guarded([&] { return perUnitOfDamping(value(&TParametry::D), Sn, omegan, p); }));
    const double ZR = trimmed(guarded([&] { return value(&TParametry::R) / (Un / (std::numbers::sqrt3 * Ign)); }));
    const double Xd2 = value(&TParametry::Xd2), Xq2 = value(&TParametry::Xq2);
    const std::vector<double> numbers = {value(&TParametry::Td01),
                                         value(&TParametry::Td02),
                                         value(&TParametry::Tq01),
                                         value(&TParametry::Tq02),
                                         H,
                                         D,
                                         value(&TParametry::Xd),
                                         value(&TParametry::Xq),
                                         value(&TParametry::Xd1),
                                         value(&TParametry::Xq1),
                                         Xd2,
                                         value(&TParametry::Xs),
                                         0.0,
                                         0.0};

    DyrExport out;
    out.text = record(key, "GENROU", numbers,
                      "MBASE = " + csvNumber(trimmed(Sn / 1e6)) + " MVA, BASKV = " + csvNumber(trimmed(Un / 1e3)) +
                          " kV, BASFRQ = " + csvNumber(fn) + " Hz, ZR = " + csvNumber(ZR) + " (per unit on MBASE)");
    if (Xq2 != Xd2)
        out.notes.push_back("X''q = " + formatGeneral(Xq2) +
                            " is not written: GENROU has one subtransient "
                            "reactance, X''d = X''q = " +
                            formatGeneral(Xd2) + ".");
    if (model == RotorModel::Canaya)
        out.notes.push_back(
            "The rotor model is Canay's: the record holds the catalogue values, which GENROU reads "
            "as the classical model does (Xc is not written).");
    const double ratedPower = std::numbers::sqrt3 * Un * Ign;
    if (std::fabs(ratedPower - Sn) > 1e-3 * Sn)
        out.notes.push_back("Sn = " + formatGeneral(Sn / 1e6, 6) +
                            " MVA but √3·Un·Ign = " + formatGeneral(ratedPower / 1e6, 6) +
                            " MVA: the grid's reactances are relative to the latter, H and D to Sn (MBASE).");
    if (stabilizerOn && pssOrder == kPss2aOrder)
        out.text += pss2aRecord(grids, key, value(&TParametry::cosfin), out.notes);
    else if (stabilizerOn)
        out.notes.push_back("The single-input stabilizer has no PSS2A record: it is not written.");
    return out;
}

}  // namespace tgsim::psse
