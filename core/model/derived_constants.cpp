#include "core/model/derived_constants.h"

#include <cmath>

#include "base/fp_fault.h"
#include "core/numerics/polynomial.h"

namespace tgsim {
namespace {

double sq(double x) { return x * x; }

void classicalRotor(TParametry& r, double Lb) {
    r.Rf = guarded([&] { return sq(r.Xd - r.Xs) * r.baseImpedance / r.Td01 / r.omegan / (r.Xd - r.Xd1); });
    r.RD = guarded([&] { return sq(r.Xd1 - r.Xs) * r.baseImpedance / r.Td02 / r.omegan / (r.Xd1 - r.Xd2); });
    r.Lsf = guarded([&] { return (r.Xd - r.Xs) * Lb * (r.Xd1 - r.Xs) / (r.Xd - r.Xd1); });
    r.LsD = guarded([&] { return (r.Xd2 - r.Xs) * Lb * (r.Xd1 - r.Xs) / (r.Xd1 - r.Xd2); });
    r.Lc = 0.0;
    r.Lad = guarded([&] { return (r.Xd - r.Xs) * Lb; });
}

// The q axis is the same in both models.
void qAxisRotor(TParametry& r, double Lb) {
    r.LsQ1 = guarded([&] { return (r.Xq1 - r.Xs) * Lb * (r.Xq - r.Xs) / (r.Xq - r.Xq1); });
    r.LsQ2 = guarded([&] { return (r.Xq2 - r.Xs) * Lb * (r.Xq1 - r.Xs) / (r.Xq1 - r.Xq2); });
    r.Laq = guarded([&] { return (r.Xq - r.Xs) * Lb; });
}

void canayRotor(TParametry& r, double Lb) {
    const double gamma = guarded([&] { return (r.Xd - r.Xs) / (r.Xd - r.Xc); });
    const double Td1 = guarded([&] { return r.Td01 * r.Xd1 / r.Xd; });
    const double Td2 = guarded([&] { return r.Td02 * r.Xd2 / r.Xd1; });
    r.Lc = guarded([&] { return (r.Xc - r.Xs) * Lb * gamma; });
    r.LsD = guarded([&] { return Lb * gamma * gamma * (r.Xd1 - r.Xc) * (r.Xd2 - r.Xc) / (r.Xd1 - r.Xd2); });
    r.Lsf = guarded([&] { return Lb * gamma * gamma * (r.Xd - r.Xc) * (r.Xd1 - r.Xc) / (r.Xd - r.Xd1); });
    r.Lad = guarded([&] { return (r.Xd - r.Xs) * Lb; });
    const double sigma1 = guarded([&] { return 1.0 - (sq(r.Lad) / (r.Xd * Lb)) / (r.Lad + r.Lc + r.LsD); });
    const double sigma2 =
        guarded([&] { return 1.0 - (sq(r.Lad + r.Lc) / (r.Lad + r.Lc + r.LsD)) / (r.Lad + r.Lc + r.Lsf); });
    const double Tf =
        guarded([&] { return (r.Xd / r.Xd1) * ((1.0 - (r.Xd1 * sigma1 / r.Xd2) / (r.Xd1 / r.Xd)) * Td2 + Td1); });
    r.Rf = guarded([&] { return (r.Lad + r.Lc + r.Lsf) / Tf; });
    const double TDD = guarded([&] { return r.Xd * Td1 * Td2 / r.Xd2 / sigma2 / Tf; });
    r.RD = guarded([&] { return (r.Lad + r.Lc + r.LsD) / TDD; });
}

void qAxisResistances(TParametry& r) {
    r.RQ1 = guarded([&] { return sq(r.Xq - r.Xs) * r.baseImpedance / r.Tq01 / r.omegan / (r.Xq - r.Xq1); });
    r.RQ2 = guarded([&] { return sq(r.Xq1 - r.Xs) * r.baseImpedance / r.Tq02 / r.omegan / (r.Xq1 - r.Xq2); });
}

void inductances(TParametry& r, double Lb) {
    r.Ltr = guarded([&] { return r.Xtr * Lb; });
    r.Ls = guarded([&] { return (r.Xs + r.Xtr) * Lb; });
    r.Lq = guarded([&] { return r.Laq + r.Ls; });
    r.Ld = guarded([&] { return r.Lad + r.Ls; });
    const double fd = r.Lad + r.Lc;
    r.invLfD = guardedArray([&] { return Inverse2({r.Lsf + r.Lad + r.Lc, fd, fd, r.LsD + r.Lad + r.Lc}); });
    r.invLQ = guardedArray([&] { return Inverse2({r.LsQ1 + r.Laq, r.Laq, r.Laq, r.LsQ2 + r.Laq}); });
    r.invLd3 = guardedArray([&] {
        return Inverse3({r.Ls + r.Lad, r.Lad, r.Lad, r.Lad, r.Lsf + r.Lad + r.Lc, fd, r.Lad, fd, r.LsD + r.Lad + r.Lc});
    });
    r.invLq3 = guardedArray([&] {
        return Inverse3({r.Ls + r.Laq, r.Laq, r.Laq, r.Laq, r.LsQ1 + r.Laq, r.Laq, r.Laq, r.Laq, r.LsQ2 + r.Laq});
    });
}

// Zeros, ones on the first superdiagonal; the last row is filled by the caller.
void resetCompanion(PssMatrix& m, int n) {
    m = PssMatrix{};
    m.n = n;
    for (int i = 0; i + 1 < n; ++i) m.a[i][i + 1] = 1.0;
}

template <std::size_t N>
void companionOf(PssMatrix& m, const std::array<double, N>& den, int n) {
    resetCompanion(m, n);
    for (int j = 0; j < n; ++j) m.a[n - 1][j] = guarded([&] { return -den[j] / den[n]; });
}

template <std::size_t N>
std::array<double, N> scaled(const std::array<double, N>& poly, double gain) {
    std::array<double, N> out{};
    for (std::size_t k = 0; k < N; ++k) out[k] = gain * poly[k];
    return out;
}

}  // namespace

void computeRotorCircuits(TParametry& r) {
    if (r.model == RotorModel::None) return;
    const bool classical = r.model == RotorModel::Klasyczny;
    const double Lb = guarded([&] { return r.baseImpedance / r.omegan; });
    if (classical) {
        classicalRotor(r, Lb);
        qAxisResistances(r);
        qAxisRotor(r, Lb);
    } else {
        canayRotor(r, Lb);
        qAxisRotor(r, Lb);
        qAxisResistances(r);
    }
    inductances(r, Lb);
}

void computePss2aCoefficients(TParametry& r) {
    r.pssDen1 = guardedArray([&] {
        return expandFactors<10>({r.T2, r.T4, r.T6, r.T9, r.T9, r.T9, r.T9, r.Tw1, r.Tw2});
    });
    const auto leadLagAndRamp = guardedArray([&] { return expandFactors<5>({r.T1, r.T3, r.T8, r.T8}); });
    r.pssNum1 = guardedArray([&] { return scaled(leadLagAndRamp, r.Tw1 * r.Tw2); });
    r.pssDen2 = guardedArray([&] {
        return expandFactors<10>({r.T2, r.T4, r.T7, r.T9, r.T9, r.T9, r.T9, r.Tw3, r.Tw4});
    });
    r.pssNum2 = guardedArray([&] { return scaled(leadLagAndRamp, r.Tw3 * r.Tw4); });
    const auto leadLagAndBypass = guardedArray([&] { return expandFactors<7>({r.T1, r.T3, r.T9, r.T9, r.T9, r.T9}); });
    r.pssNum3 = guardedArray([&] { return scaled(leadLagAndBypass, r.Tw3 * r.Tw4); });
    companionOf(r.pssA1, r.pssDen1, kPss2aOrder);
    companionOf(r.pssA2, r.pssDen2, kPss2aOrder);
}

void computeSingleInputCoefficients(TParametry& r, double T0) {
    const auto den = guardedArray([&] { return expandFactors<5>({T0, r.T1, r.T3, r.T5}); });
    for (std::size_t k = 0; k < den.size(); ++k) r.pssDen1[k] = den[k];
    const auto num = guardedArray([&] { return scaled(expandFactors<3>({r.T2, r.T4}), T0 * r.T1); });
    for (std::size_t k = 0; k < num.size(); ++k) r.pssNum1[k] = num[k];
    companionOf(r.pssA1, r.pssDen1, kSingleInputOrder);
    resetCompanion(r.pssA2, kSingleInputOrder);
    r.pssA2.a[3][2] = guarded([&] { return -r.pssNum1[0] / r.pssNum1[2]; });
    r.pssA2.a[3][3] = guarded([&] { return -r.pssNum1[1] / r.pssNum1[2]; });
}

void computeRatedPoint(TParametry& r) {
    const double sinPhi = guarded([&] { return std::sqrt(1.0 - r.cosfin * r.cosfin); });
    r.fin = guarded([&] { return std::atan(sinPhi / r.cosfin); });
    r.Efn = guarded([&] {
        return (1.0 + (r.Xd + r.Xq) * sinPhi + r.Xd * r.Xq) / std::sqrt(1.0 + 2.0 * r.Xq * sinPhi + r.Xq * r.Xq);
    });
    const double x = guarded([&] { return r.cosfin * r.Xd / r.Efn; });
    r.deltaN = guarded([&] { return std::atan(x / std::sqrt(1.0 - x * x)); });
}

}  // namespace tgsim
