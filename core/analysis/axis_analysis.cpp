#include "axis_analysis.h"

#include <Eigen/Dense>
#include <cmath>

namespace tgsim {
namespace {

std::optional<double> finite(double value) { return std::isfinite(value) ? std::optional(value) : std::nullopt; }

// The time constants of two coupled circuits of inductance matrix L and resistances r: the
// eigenvalues of R^-1 L, taken from the symmetric matrix R^-1/2 L R^-1/2 that has the same
// eigenvalues, so that they come out real by construction.
std::optional<std::array<double, 2>> timeConstants(const Eigen::Matrix2d& L, const std::array<double, 2>& r) {
    if (!(r[0] > 0.0) || !(r[1] > 0.0)) return std::nullopt;
    const Eigen::Vector2d scale(1.0 / std::sqrt(r[0]), 1.0 / std::sqrt(r[1]));
    const Eigen::Matrix2d symmetric = scale.asDiagonal() * L * scale.asDiagonal();
    if (!symmetric.allFinite()) return std::nullopt;
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix2d> solver(symmetric, Eigen::EigenvaluesOnly);
    if (solver.info() != Eigen::Success) return std::nullopt;
    const Eigen::Vector2d& ascending = solver.eigenvalues();
    if (!(ascending[0] > 0.0) || !std::isfinite(ascending[1])) return std::nullopt;
    return std::array<double, 2>{ascending[1], ascending[0]};
}

}  // namespace

AxisParameters analyseAxis(const AxisCircuits& c) {
    const double L = c.statorInductance, m = c.magnetizingInductance;
    const auto& lr = c.rotorInductance;
    const Eigen::Matrix2d rotor{{lr[0], lr[1]}, {lr[2], lr[3]}};

    AxisParameters out;
    out.synchronous = L;
    // At s -> infinity the rotor circuits keep their flux: L'' = L - m^T Lr^-1 m, with m = (m, m).
    const double det = rotor.determinant();
    if (det != 0.0) out.subtransient = finite(L - m * m * rotor.inverse().sum());
    out.openCircuit = timeConstants(rotor, c.rotorResistance);
    // With the stator short-circuited its current holds the stator flux at zero, which takes
    // m^2 / L out of every entry of the rotor inductance matrix.
    if (L != 0.0) {
        const Eigen::Matrix2d shorted = rotor - Eigen::Matrix2d::Constant(m * m / L);
        out.shortCircuit = timeConstants(shorted, c.rotorResistance);
    }
    if (out.openCircuit && out.shortCircuit) {
        const auto [T01, T02] = *out.openCircuit;
        const auto [T1, T2] = *out.shortCircuit;
        // The residue of 1/(s L(s)) at s = -1/T'.
        const double transientCoefficient = (T01 - T1) * (T1 - T02) / (L * T1 * (T1 - T2));
        out.transient = finite(1.0 / (1.0 / L + transientCoefficient));
    }
    return out;
}

}  // namespace tgsim
