#include "load_parameters.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "data/cell_failure.h"
#include "core/fp_fault.h"
#include "data/pss_sets.h"
#include "core/derived_constants.h"

namespace tgsim {
namespace {

// A number cell of row 1 and the record field it fills, with the factor that converts the
// cell's unit (1 where the value is stored as typed).
struct NumberCell {
    int column;
    double TParametry::*field;
    double factor;
};

constexpr NumberCell kMachineCells[] = {
    {10, &TParametry::Sn, 1000000.0}, {11, &TParametry::Un, 1000.0}, {12, &TParametry::Ign, 1},
    {13, &TParametry::cosfin, 1},     {14, &TParametry::Uwn, 1},     {15, &TParametry::Iwn, 1},
    {16, &TParametry::fn, 1},         {17, &TParametry::p, 1},       {18, &TParametry::Xc, 1},
    {19, &TParametry::Xd, 1},         {20, &TParametry::Xq, 1},      {21, &TParametry::Xd1, 1},
    {22, &TParametry::Xq1, 1},        {23, &TParametry::Xd2, 1},     {24, &TParametry::Xq2, 1},
    {25, &TParametry::Xs, 1},         {26, &TParametry::Td01, 1},    {27, &TParametry::Tq01, 1},
    {28, &TParametry::Td02, 1},       {29, &TParametry::Tq02, 1},    {30, &TParametry::R, 1},
    {31, &TParametry::Iwo, 1},        {32, &TParametry::Iwz, 1},     {33, &TParametry::cw, 1},
    {34, &TParametry::ksi, 1},        {35, &TParametry::J, 1},       {36, &TParametry::D, 1},
    {37, &TParametry::spr, 1},
};

constexpr NumberCell kRegulatorCells[] = {
    {0, &TParametry::K, 1},    {1, &TParametry::TI, 1}, {2, &TParametry::TD, 1},
    {3, &TParametry::Twz1, 1}, {4, &TParametry::Twz2, 1}, {5, &TParametry::kF, 1},
};

constexpr NumberCell kPss2aCells[] = {
    {0, &TParametry::T1, 1},   {1, &TParametry::T2, 1},   {2, &TParametry::T3, 1},   {3, &TParametry::T4, 1},
    {4, &TParametry::T5, 1},   {5, &TParametry::T6, 1},   {6, &TParametry::T7, 1},   {7, &TParametry::T8, 1},
    {8, &TParametry::T9, 1},   {9, &TParametry::Tw1, 1},  {10, &TParametry::Tw2, 1}, {11, &TParametry::Tw3, 1},
    {12, &TParametry::Tw4, 1}, {13, &TParametry::ks1, 1}, {14, &TParametry::ks2, 1}, {15, &TParametry::ks3, 1},
    {16, &TParametry::kw, 1},
};

// Single-input stabilizer: column 0 holds T0, which is no field of the record.
constexpr NumberCell kSingleInputCells[] = {
    {1, &TParametry::T1, 1}, {2, &TParametry::T2, 1}, {3, &TParametry::T3, 1},
    {4, &TParametry::T4, 1}, {5, &TParametry::T5, 1}, {6, &TParametry::kw, 1},
};

double cellValue(const TextGrid& grid, int column) { return cellNumber(grid, column); }

double convertedCell(const TextGrid& grid, int column, double factor) {
    const double value = cellValue(grid, column);
    return guarded([&] { return value * factor; });
}

template <std::size_t N>
void readCells(const TextGrid& grid, const NumberCell (&cells)[N], TParametry& r) {
    for (const NumberCell& c : cells) r.*(c.field) = convertedCell(grid, c.column, c.factor);
}

// Round to the nearest integer, halves to the even neighbour; a value beyond the 32-bit range
// is an invalid operation, as an integer conversion of the FPU reports it.
std::int32_t roundHalfEven(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw Failure(kInvalidOperation);
    return static_cast<std::int32_t>(rounded);
}

// Initial-state conversions of `war_pocz` columns 0..19 into elements 1..20.
void readInitialState(const TextGrid& war_pocz, const TParametry& r, State& x) {
    for (int column = 0; column < 20; ++column) {
        const double value = cellValue(war_pocz, column);
        double converted = value;
        switch (column) {
            case 0: case 2: case 3: case 4: case 5: case 14: case 15:
                converted = guarded([&] { return value * r.Ign; });
                break;
            case 1:
                converted = guarded([&] { return value * r.Iwn / r.ksi; });
                break;
            case 6:
                converted = guarded([&] { return value * r.omegan; });
                break;
            case 10: case 11: case 12: case 13:
                converted = guarded([&] { return value * r.Un; });
                break;
            default:  // angles and regulator states as typed
                break;
        }
        x[static_cast<std::size_t>(column + 1)] = converted;
    }
}

void readStabilizer(const TextGrid& grid, bool stabilizerOn, TParametry& r) {
    r.pssOn = false;
    if (!stabilizerOn) return;
    if (r.pssOrder == kPss2aOrder) {
        readCells(grid, kPss2aCells, r);
        computePss2aCoefficients(r);
        r.pssOn = true;
    } else if (r.pssOrder == kSingleInputOrder) {
        r.T0 = cellValue(grid, 0);
        readCells(grid, kSingleInputCells, r);
        computeSingleInputCoefficients(r, r.T0);
        r.pssOn = true;
    }
}

// A yes/no cell counts by its first three characters, compared exactly.
std::string_view flagText(std::string_view cell) { return cell.substr(0, 3); }

void readMachineCells(const TextGrid& siatka, TParametry& r) {
    readCells(siatka, kMachineCells, r);
    readCells(siatka, kRegulatorCells, r);
    r.WzbSt = flagText(siatka.cell(6, 1)) == "TAK";
    r.Xtr = cellValue(siatka, 7);
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
    readMachineCells(grids.siatka, r);

    const TextGrid& control = grids.siatkaPraca;
    r.to = cellValue(control, 0);
    r.tk = cellValue(control, 1);
    r.Tmr = cellValue(control, 2);
    r.tz1 = cellValue(control, 8);
    r.tz2 = cellValue(control, 9);
    r.b = cellValue(control, 10);
    r.PrSamText = flagText(control.cell(11, 1));
    r.PrSam = r.PrSamText == "TAK" ? Connection::OffNetwork
              : r.PrSamText == "NIE" ? Connection::OnNetwork
                                     : Connection::Unrecognised;
    r.Ugz = convertedCell(control, 12, r.Un);
    r.Zaburz = cellValue(control, 13);

    r.stepCount = roundHalfEven(guarded([&] { return (r.tk - r.to) * 20.0 * r.fn; }));
    computeBases(r);
}

void readInitialStateAndDerived(const Grids& grids, bool stabilizerOn, TParametry& r, State& initialState) {
    initialState[0] = r.to;
    readInitialState(grids.war_pocz, r, initialState);
    readStabilizer(grids.Siatka_PSS, stabilizerOn, r);
    computeMachineConstants(r);
}

void readMachine(const Grids& grids, TParametry& r) {
    readMachineCells(grids.siatka, r);
    computeBases(r);
    computeMachineConstants(r);
}

void LoadParameters(const Grids& grids, bool stabilizerOn, TParametry& record, State& initialState) {
    readMachineAndControl(grids, record);
    readInitialStateAndDerived(grids, stabilizerOn, record, initialState);
}

}  // namespace tgsim
