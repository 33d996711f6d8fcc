#include "standard_parameters.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>
#include <string>

#include "axis_analysis.h"
#include "base/csv_number.h"
#include "base/fp_fault.h"

namespace tgsim {
namespace {

enum Row : int {
    kXd,
    kXd1,
    kXd2,
    kXq,
    kXq1,
    kXq2,
    kTd01,
    kTd02,
    kTd1,
    kTd2,
    kTq01,
    kTq02,
    kTq1,
    kTq2,
    kTa,
    kH,
    kHeffective,
    kSCR,
    kEfn,
    kDeltaN
};

struct RowName {
    std::string_view name, unit;
};
constexpr std::array<RowName, kStandardParameterCount> kRowNames = {{
    {"Xd", "pu"},   {"Xd'", "pu"},        {"Xd''", "pu"}, {"Xq", "pu"},  {"Xq'", "pu"},
    {"Xq''", "pu"}, {"Td0'", "s"},        {"Td0''", "s"}, {"Td'", "s"},  {"Td''", "s"},
    {"Tq0'", "s"},  {"Tq0''", "s"},       {"Tq'", "s"},   {"Tq''", "s"}, {"Ta", "s"},
    {"H", "s"},     {"H_effective", "s"}, {"SCR", "-"},   {"Efn", "pu"}, {"deltaN", "rad"},
}};

using Optional = std::optional<double>;

Optional finite(double value) { return std::isfinite(value) ? Optional(value) : std::nullopt; }
Optional divided(Optional value, double divisor) { return value ? finite(*value / divisor) : std::nullopt; }
Optional first(const std::optional<std::array<double, 2>>& pair) { return pair ? Optional((*pair)[0]) : std::nullopt; }
Optional second(const std::optional<std::array<double, 2>>& pair) { return pair ? Optional((*pair)[1]) : std::nullopt; }

// The machine alone: the stator inductances without the transformer's share.
AxisCircuits dAxisCircuits(const TParametry& r) {
    const double fd = r.Lad + r.Lc;
    return {r.Ld - r.Ltr, r.Lad, {r.Lsf + r.Lad + r.Lc, fd, fd, r.LsD + r.Lad + r.Lc}, {r.Rf, r.RD}};
}
AxisCircuits qAxisCircuits(const TParametry& r) {
    return {r.Lq - r.Ltr, r.Laq, {r.LsQ1 + r.Laq, r.Laq, r.Laq, r.LsQ2 + r.Laq}, {r.RQ1, r.RQ2}};
}

// The rated current in the d-q frame: the frame's current amplitude is sqrt(3) times the phase
// current, the base the per-unit reactances are referred to.
double ratedCurrent(const TParametry& r) { return std::numbers::sqrt3 * r.Ign; }

struct RatedPoint {
    double Efn, deltaN;
};

// The steady state at rated voltage, rated current and rated power factor (over-excited
// generator) at the machine terminals and rated speed. In the d-q frame, U - (R + j w Lq) I
// lies on the q axis; the excitation EMF is what the q-axis equation leaves for w Lad Iw.
RatedPoint ratedPoint(const TParametry& r, double Ld, double Lq) {
    using Complex = std::complex<double>;
    const double w = r.omegan, U = r.Un;
    const double sinPhi = std::sqrt(1.0 - r.cosfin * r.cosfin);
    const Complex current = ratedCurrent(r) * Complex(-r.cosfin, sinPhi);  // into the machine, voltage real
    const double delta = -std::arg(U - Complex(r.R, w * Lq) * current);
    const Complex dq = current * Complex(0.0, 1.0) * std::polar(1.0, delta);
    const double emf = U * std::cos(delta) - r.R * dq.imag() - w * Ld * dq.real();
    return {emf / U, -delta};
}

// Field current for rated voltage on open circuit over that for rated current in a sustained
// three-phase short circuit at the terminals, both in the model's linear magnetic circuit.
double shortCircuitRatio(const TParametry& r, double Ld, double Lq) {
    const double w = r.omegan;
    const double xq = w * Lq;
    const double shortCircuitEmf = ratedCurrent(r) * (w * w * Ld * Lq + r.R * r.R) / std::sqrt(xq * xq + r.R * r.R);
    return r.Un / shortCircuitEmf;
}

void fillValues(const TParametry& r, StandardParameters& t) {
    const double Lb = r.baseImpedance / r.omegan;  // the inductance of one per-unit reactance
    const AxisParameters d = analyseAxis(dAxisCircuits(r));
    const AxisParameters q = analyseAxis(qAxisCircuits(r));
    t[kXd].value = finite(d.synchronous / Lb);
    t[kXd1].value = divided(d.transient, Lb);
    t[kXd2].value = divided(d.subtransient, Lb);
    t[kXq].value = finite(q.synchronous / Lb);
    t[kXq1].value = divided(q.transient, Lb);
    t[kXq2].value = divided(q.subtransient, Lb);
    t[kTd01].value = first(d.openCircuit);
    t[kTd02].value = second(d.openCircuit);
    t[kTd1].value = first(d.shortCircuit);
    t[kTd2].value = second(d.shortCircuit);
    t[kTq01].value = first(q.openCircuit);
    t[kTq02].value = second(q.openCircuit);
    t[kTq1].value = first(q.shortCircuit);
    t[kTq2].value = second(q.shortCircuit);
    // The decay of the offset current of a three-phase short circuit: the harmonic mean of the
    // two subtransient inductances over the stator resistance (in ohms, as the program uses it).
    if (d.subtransient && q.subtransient) {
        const double Ld2 = *d.subtransient, Lq2 = *q.subtransient;
        t[kTa].value = finite(2.0 * Ld2 * Lq2 / (Ld2 + Lq2) / r.R);
    }

    // H from J at the rated mechanical speed; the effective one from the factor the shaft
    // equation applies to the torque balance, d omega / dt = p / (2 J) * torque, which equals
    // p / J_effective.
    const double mechanicalSpeed = r.omegan / r.p;
    const double kineticEnergyPerJ = mechanicalSpeed * mechanicalSpeed / (2.0 * r.Sn);
    t[kH].value = finite(r.J * kineticEnergyPerJ);
    const double shaftFactor = r.p / (2.0 * r.J);
    t[kHeffective].value = finite(r.p / shaftFactor * kineticEnergyPerJ);

    t[kSCR].value = finite(shortCircuitRatio(r, d.synchronous, q.synchronous));
    const RatedPoint rated = ratedPoint(r, d.synchronous, q.synchronous);
    t[kEfn].value = finite(rated.Efn);
    t[kDeltaN].value = finite(rated.deltaN);
}

// The typed values; the short-circuit ratio and the rated excitation from the typed field
// currents: no-load Iwo, short-circuit Iwz, rated Iwn.
void fillCatalogue(const TParametry& r, StandardParameters& t) {
    t[kXd].catalogue = r.Xd;
    t[kXd1].catalogue = r.Xd1;
    t[kXd2].catalogue = r.Xd2;
    t[kXq].catalogue = r.Xq;
    t[kXq1].catalogue = r.Xq1;
    t[kXq2].catalogue = r.Xq2;
    t[kTd01].catalogue = r.Td01;
    t[kTd02].catalogue = r.Td02;
    t[kTq01].catalogue = r.Tq01;
    t[kTq02].catalogue = r.Tq02;
    if (r.Iwz != 0.0) t[kSCR].catalogue = finite(r.Iwo / r.Iwz);
    if (r.Iwo != 0.0) t[kEfn].catalogue = finite(r.Iwn / r.Iwo);
}

void appendOptional(std::string& line, const std::optional<double>& value) {
    line += ',';
    if (value) line += csvNumber(*value);
}

}  // namespace

StandardParameters standardParameters(const TParametry& record) {
    StandardParameters table{};
    for (int k = 0; k < kStandardParameterCount; ++k) {
        table[static_cast<std::size_t>(k)].name = kRowNames[static_cast<std::size_t>(k)].name;
        table[static_cast<std::size_t>(k)].unit = kRowNames[static_cast<std::size_t>(k)].unit;
    }
    fillValues(record, table);
    fillCatalogue(record, table);
    for (StandardParameter& row : table)
        if (row.value && row.catalogue && *row.catalogue != 0.0) row.ratio = finite(*row.value / *row.catalogue);
    // Undefined quantities were left empty; none of their faults belongs to the caller.
    clearFpFaults();
    return table;
}

const StandardParameter& standardParameter(const StandardParameters& table, std::string_view name) {
    for (const StandardParameter& row : table)
        if (row.name == name) return row;
    throw std::out_of_range("No standard parameter named " + std::string(name));
}

void writeStandardParametersCsv(const StandardParameters& table, std::ostream& out) {
    out << "name,value,unit,catalogue,ratio\n";
    for (const StandardParameter& row : table) {
        std::string line(row.name);
        appendOptional(line, row.value);
        line += ',';
        line += row.unit;
        appendOptional(line, row.catalogue);
        appendOptional(line, row.ratio);
        out << line << '\n';
    }
}

}  // namespace tgsim
