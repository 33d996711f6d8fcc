#include "ringdown.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "base/cell_number.h"
#include "base/failure.h"
#include "base/fp_fault.h"
#include "mode_figures.h"
#include "core/model/state_equations.h"

namespace tgsim {
namespace {

using Complex = std::complex<double>;

constexpr std::size_t kLeastSamples = 20;
// Singular values of the data matrix below this share of the largest are taken as noise.
constexpr double kRankTolerance = 1e-5;
constexpr int kMostModes = 24;
// Samples per row of the data matrix, less one.
constexpr int kPencilWidth = 100;
// The least share of the window's variance an oscillation must carry.
constexpr double kLeastShare = 0.01;
constexpr double kMostGrowth = 1e12;

// The window's samples averaged in blocks of m: block k starts at sample k*m, `interval` apart.
struct Blocks {
    std::vector<double> y;
    int m = 1;
    double step = 0, interval = 0;
    std::size_t used = 0;  // samples of the window that went into blocks
};

Blocks blockMeans(std::span<const double> t, std::span<const double> y, std::size_t first, std::size_t count) {
    const double t0 = t[first];
    const double step = (t[first + count - 1] - t0) / static_cast<double>(count - 1);
    if (!(step > 0.0) || !std::isfinite(step)) throw Failure("The times of the window do not advance");
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(y[first + i]))
            throw Failure("The signal is not a finite number at t = " + formatGeneral(t[first + i], 6) + " s");
        if (!(std::fabs(t[first + i] - (t0 + static_cast<double>(i) * step)) <= 0.01 * step))
            throw Failure("The samples are not evenly spaced in time (at t = " + formatGeneral(t[first + i], 6) +
                          " s)");
    }
    Blocks b;
    const double shortest = std::ceil(kShortestBlock / step);
    b.m = static_cast<int>(std::max({1.0, shortest, std::ceil(static_cast<double>(count) / kMostBlocks)}));
    const std::size_t blocks = count / static_cast<std::size_t>(b.m);
    // The fit reads the block means as its samples: a window shorter than that many blocks
    // (a few hundredths of a second of fine steps) is refused, never fitted on what is left.
    if (blocks < kLeastSamples)
        throw Failure("The window from " + formatGeneral(t0) + " s to " + formatGeneral(t[first + count - 1]) +
                      " s is too short: a ringdown needs at least " + std::to_string(kLeastSamples) + " blocks of " +
                      formatGeneral(static_cast<double>(b.m) * step * 1000.0, 3) + " ms, " +
                      formatGeneral(static_cast<double>(kLeastSamples * static_cast<std::size_t>(b.m)) * step, 3) +
                      " s");
    b.step = step;
    b.interval = step * b.m;
    b.used = blocks * static_cast<std::size_t>(b.m);
    b.y.assign(blocks, 0.0);
    for (std::size_t k = 0; k < blocks; ++k) {
        double sum = 0.0;
        for (int j = 0; j < b.m; ++j) sum += y[first + k * static_cast<std::size_t>(b.m) + static_cast<std::size_t>(j)];
        b.y[k] = sum / b.m;
    }
    return b;
}

// Eigen's decompositions may divide by zero inside, as their algorithms allow: their flags are
// dropped and their results judged by being finite.
template <class Matrix>
const Matrix& finiteResult(const Matrix& m) {
    clearFpFaults();
    if (!m.allFinite()) throw Failure("The ringdown fit did not converge");
    return m;
}

// Matrix pencil: the modes z (per block interval) of the sum of damped exponentials in u. The
// data matrix Y has the rows u[r .. r + L] (r = 0 .. N - L - 1); its right singular vectors are
// the eigenvectors of Y'Y, whose entries are lagged products of u: the first row is summed, the
// others follow along the diagonals, so that the cost grows with N*L, not N*L^2.
Eigen::VectorXcd pencilModes(const Eigen::VectorXd& u) {
    const int N = static_cast<int>(u.size());
    const int L = std::min(kPencilWidth, N / 3);
    const int R = N - L;
    Eigen::MatrixXd G(L + 1, L + 1);
    for (int j = 0; j <= L; ++j) G(0, j) = u.segment(0, R).dot(u.segment(j, R));
    for (int i = 0; i < L; ++i)
        for (int j = i; j < L; ++j) G(i + 1, j + 1) = G(i, j) - u[i] * u[j] + u[R + i] * u[R + j];
    G.triangularView<Eigen::StrictlyLower>() = G.transpose();
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(G);
    const Eigen::VectorXd& power = finiteResult(solver.eigenvalues());  // ascending: sigma^2
    int M = 0;
    while (M < std::min(kMostModes, L) && power[L - M] > kRankTolerance * kRankTolerance * power[L]) ++M;
    if (M == 0) return {};
    const Eigen::MatrixXd V = finiteResult(solver.eigenvectors()).rightCols(M);
    const Eigen::MatrixXd V1 = V.topRows(L), V2 = V.bottomRows(L);
    const Eigen::MatrixXd pencil = V1.colPivHouseholderQr().solve(V2);
    const Eigen::VectorXcd all = finiteResult(Eigen::EigenSolver<Eigen::MatrixXd>(pencil, false).eigenvalues());
    // A mode that would grow more than kMostGrowth over the window is an artefact of the fit.
    const double mostMagnitude = std::pow(kMostGrowth, 1.0 / N);
    std::vector<Complex> kept;
    for (const Complex& z : all)
        if (std::abs(z) < mostMagnitude) kept.push_back(z);
    return Eigen::Map<const Eigen::VectorXcd>(kept.data(), static_cast<Eigen::Index>(kept.size()));
}

// Complex amplitudes a of u_k = sum over modes of a_i z_i^k, least squares.
Eigen::VectorXcd amplitudes(const Eigen::VectorXd& u, const Eigen::VectorXcd& z) {
    Eigen::MatrixXcd powers(u.size(), z.size());
    for (Eigen::Index i = 0; i < z.size(); ++i) {
        Complex p = 1.0;
        for (Eigen::Index k = 0; k < u.size(); ++k, p *= z[i]) powers(k, i) = p;
    }
    const Eigen::VectorXcd a = powers.colPivHouseholderQr().solve(u.cast<Complex>());
    return finiteResult(a);
}

}  // namespace

RingdownResult ringdown(std::span<const double> t, std::span<const double> y, double from, double to) {
    if (t.size() != y.size())
        throw Failure("The signal has " + std::to_string(y.size()) + " values for " + std::to_string(t.size()) +
                      " times");
    if (!(from < to))
        throw Failure("The window from " + formatGeneral(from) + " s to " + formatGeneral(to) + " s is empty");
    const std::size_t first = static_cast<std::size_t>(std::lower_bound(t.begin(), t.end(), from) - t.begin());
    const std::size_t end = static_cast<std::size_t>(std::upper_bound(t.begin(), t.end(), to) - t.begin());
    const std::size_t count = end > first ? end - first : 0;
    if (count < kLeastSamples) throw Failure(tooFewSamplesMessage(from, to, count));

    clearFpFaults();
    const Blocks b = blockMeans(t, y, first, count);
    RingdownResult result;
    result.from = t[first];
    result.to = t[first + b.used - 1];
    const Eigen::Map<const Eigen::VectorXd> averaged(b.y.data(), static_cast<Eigen::Index>(b.y.size()));
    const Eigen::VectorXd u = averaged.array() - averaged.mean();
    const double variance = u.squaredNorm();
    const double size = u.cwiseAbs().maxCoeff();
    if (!(size > 0.0)) return result;  // a constant: nothing to fit

    const Eigen::VectorXd scaled = u / size;
    const Eigen::VectorXcd z = pencilModes(scaled);
    if (z.size() == 0) return result;
    const Eigen::VectorXcd a = amplitudes(scaled, z);
    Eigen::VectorXcd fitted = Eigen::VectorXcd::Zero(u.size());
    for (Eigen::Index i = 0; i < z.size(); ++i) {
        Complex p = a[i];
        for (Eigen::Index k = 0; k < u.size(); ++k, p *= z[i]) fitted[k] += p;
    }
    result.fitQuality = std::fmax(0.0, 1.0 - (scaled - fitted.real()).squaredNorm() * size * size / variance);

    const double length = result.to - result.from;
    double bestEnergy = 0.0;
    for (Eigen::Index i = 0; i < z.size(); ++i) {
        if (!(z[i].imag() > 0.0)) continue;  // one of each pair
        const Complex s = std::log(z[i]) / b.interval;
        const ModeFigures figures = modeFigures(s);
        if (figures.frequencyHz * length < 1.0 || !isOscillation(s)) continue;
        double energy = 0.0;
        Complex p = a[i];
        for (Eigen::Index k = 0; k < u.size(); ++k, p *= z[i]) energy += 4.0 * p.real() * p.real();
        energy *= size * size;
        if (energy < kLeastShare * variance || energy <= bestEnergy) continue;
        bestEnergy = energy;
        // The block mean of e^(s t) over m samples is e^(s t_k) times this gain.
        Complex gain = 0.0;
        for (int j = 0; j < b.m; ++j) gain += std::exp(s * (j * b.step));
        gain /= static_cast<double>(b.m);
        result.oscillation = true;
        result.frequencyHz = figures.frequencyHz;
        result.dampingRatio = figures.dampingRatio;
        result.amplitude = 2.0 * std::abs(a[i]) * size / std::abs(gain);
    }
    if (const char* message = pendingFpFault()) throw Failure(message);
    return result;
}

std::string tooFewSamplesMessage(double from, double to, std::size_t count) {
    return "The window from " + formatGeneral(from) + " s to " + formatGeneral(to) + " s holds " +
           std::to_string(count) + " samples; a ringdown needs at least " + std::to_string(kLeastSamples);
}

RingdownWindow defaultRingdownWindow(const TParametry& record, double runStart, double runEnd) {
    RingdownWindow window{runStart, runEnd};
    const EventTimes events = scenarioEventTimes(record);
    for (int i = 0; i < events.count; ++i) {
        const double at = events.times[static_cast<std::size_t>(i)];
        if (at > window.from && at < runEnd) window.from = at;
    }
    return window;
}

}  // namespace tgsim
