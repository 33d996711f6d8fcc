#include "chart_quantities.h"

#include <cmath>
#include <numbers>

#include "base/fp_fault.h"

namespace tgsim {

// clang-format off
const std::array<ChartQuantity, kSeriesCount> kChartQuantities = {{
    {"czas", "t"}, {"Id", "Id"},   {"Iw", "Iw"}, {"iD1", "iD1"}, {"Iq", "Iq"}, {"iQ1", "iQ1"},
    {"iQ2", "iQ2"}, {"w", "w"},    {"delta", "delta"}, {"alfa", "alfa"}, {"beta", "beta"},
    {"Ud", "Ud"},  {"Uq", "Uq"},   {"Uw", "Uw"}, {"Ig", "Ig"}, {"Ug", "Ug"}, {"P", "P"}, {"Q", "Q"},
}};
// clang-format on

int chartQuantityNamed(std::string_view name) {
    for (int k = 1; k <= kQuantityCount; ++k) {
        const ChartQuantity& q = kChartQuantities[static_cast<std::size_t>(k)];
        if (name == q.caption || name == q.csvName) return k;
    }
    return 0;
}

double chartValue(int k, std::span<const double, kStateSize> r, const TParametry& p) {
    constexpr double sqrt3 = std::numbers::sqrt3;
    switch (k) {
    case 1: return -r[kId] / p.Ign;
    case 2: return r[kIw] * p.ksi / p.Iwn;
    case 3: return r[kiD1] * p.ksi / p.Iwn;
    case 4: return -r[kIq] / p.Ign;
    case 5: return r[kiQ1] * p.ksi / p.Iwn;
    case 6: return r[kiQ2] * p.ksi / p.Iwn;
    case 7: return r[kOmega] / p.omegan;
    case 8: return -r[kDelta];
    case 9: return r[kAlfa];
    case 10: return r[kBeta];
    case 11: return r[kUd] / p.Un;
    case 12: return r[kUq] / p.Un;
    case 13: return p.kF * std::cos(r[kBeta]) * r[kOmega] / p.omegan;
    case 14: return std::sqrt(r[kId] * r[kId] + r[kIq] * r[kIq]) / p.Ign / sqrt3;
    case 15: return std::sqrt(r[kUd] * r[kUd] + r[kUq] * r[kUq]) / p.Un;
    case 16: return (-r[kId] * r[kUd] - r[kIq] * r[kUq]) / p.Sn / p.cosfin;
    // Reactive power delivered at the network side of the transformer, positive when the
    // generator is over-excited (stator currents count positive into the machine).
    case 17: return (r[kIq] * r[kUd] - r[kId] * r[kUq]) / p.Sn;
    default: return 0.0;
    }
}

namespace {

// Every chart quantity is a value of the row, or a product or quotient of at most two values
// and three scales (a cosine and square roots of sums of two squares, no larger): with the
// scales within [1e-50, 1e50] and the values within ±1e100, none exceeds 1e301. Nothing then
// overflows, no divisor is zero, and from finite values no invalid operation arises: no
// quantity can fault.
constexpr double kOrdinaryValue = 1e100;

bool ordinaryScale(double scale) { return std::fabs(scale) >= 1e-50 && std::fabs(scale) <= 1e50; }

bool cannotFault(const ChartRows& rows) {
    const TParametry& p = rows.record();
    for (double scale : {p.Ign, p.ksi, p.Iwn, p.omegan, p.Un, p.kF, p.Sn, p.cosfin})
        if (!ordinaryScale(scale)) return false;
    return rows.largestMagnitude() <= kOrdinaryValue;
}

}  // namespace

// Most computations need no pass over their rows at all: the integrator kept the largest
// magnitude it stored. Otherwise one pass with the flags cleared once and read once; only a
// faulty computation pays for the second pass that finds the first faulty value and so the
// message to report.
void checkChartValues(const ChartRows& rows) {
    if (cannotFault(rows)) return;
    clearFpFaults();
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (int k = 1; k <= kQuantityCount; ++k) forceEvaluated(rows.value(k, i));
    if (!pendingFpFault()) return;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (int k = 1; k <= kQuantityCount; ++k) guarded([&] { return rows.value(k, i); });
    // Flags raised in the first pass but by no single value in the second cannot happen: the
    // values are computed the same way both times.
    throwIfFpFault(0.0);
}

}  // namespace tgsim
