#include "modal_analysis.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "core/analysis/linearised_map.h"
#include "base/cell_number.h"
#include "discrete_state.h"
#include "base/fp_fault.h"
#include "core/numerics/integrator.h"
#include "mode_figures.h"
#include "core/numerics/run_stepper.h"
#include "core/numerics/step_length.h"
#include "core/model/state_equations.h"

namespace tgsim {
namespace {

using Complex = std::complex<double>;

// Below this magnitude an eigenvalue of the map is zero within the differencing.
constexpr double kVanishingMagnitude = 1e-6;
// |ln|z|| below this is rest: the differences resolve the map to about 1e-9, so a real part
// smaller than this in one period cannot be told from zero.
constexpr double kRestLogMagnitude = 1e-8;

void throwPendingFault() {
    if (const char* message = pendingFpFault()) throw Failure(message);
}

// Refuses a state that moves: the first-stage derivative of each integrated element, and for a
// stored value its change over one step divided by the step, relative to the element's scale.
void refuseMovingState(const RunStepper& run, const DiscreteStateLayout& layout, double differenceStep) {
    const State& x = run.row();
    State f{};
    stateEquations(x, run.record(), x[kT] + run.h(), f);
    for (int k = 1; k < kStateSize; ++k) {
        const double drift = k <= kBeta ? f[k] : (f[k] - x[k]) / run.h();
        const int element = DiscreteStateLayout::plantElement(k);
        const double relative = std::fabs(drift) / layout.scale(element);
        throwPendingFault();
        if (!(relative <= kRestTolerance)) throw StateNotAtRest(layout.name(element), relative);
    }
    const double step = differenceStep * std::fmax(std::fabs(x[kBeta]), 1.0);
    if (x[kBeta] + step > run.record().betaMax || x[kBeta] - step < 0.0) throw FiringAngleAtLimit(x[kBeta]);
}

}  // namespace

StateNotAtRest::StateNotAtRest(std::string element, double relativeDrift)
    : Failure("The initial state is not at rest: " + element + " moves by " + formatGeneral(relativeDrift, 3) +
              " of its scale per second (a modal analysis allows " + formatGeneral(kRestTolerance) + ")"),
      element_(std::move(element)),
      drift_(relativeDrift) {}

FiringAngleAtLimit::FiringAngleAtLimit(double beta)
    : Failure("The firing angle rests at its limit (beta = " + formatGeneral(beta, 6) +
              " rad): the limit has no derivative there"),
      beta_(beta) {}

namespace {

// The map over one period from `from`, as the flat vector of the layout.
Eigen::VectorXd mapped(RunStepper& run, const DiscreteStateLayout& layout, const RunState& from, int steps) {
    run.setState(from);
    for (int i = 0; i < steps; ++i) run.step();
    Eigen::VectorXd out(layout.size());
    layout.read(run.state(), out.data());
    return out;
}

// The Jacobian of the map by central differences, each element stepped by `share` of its
// magnitude.
Eigen::MatrixXd differencedMap(RunStepper& run, const DiscreteStateLayout& layout, const RunState& base,
                               const Eigen::VectorXd& magnitude, double share, int steps) {
    Eigen::VectorXd x0(layout.size());
    layout.read(base, x0.data());
    const auto map = [&](const Eigen::VectorXd& x) {
        RunState from = base;
        layout.write(x.data(), from);
        return mapped(run, layout, from, steps);
    };
    return centralDifferences(map, x0, magnitude, share);
}

// An eigenvalue of the map with the participation of every element in it.
struct Eigenmode {
    Complex z;
    Eigen::VectorXd participation;  // over all elements of the layout
};

// Splits off, one at a time, every element whose column has nothing off the diagonal among the
// elements left: nothing else reads it, so its own entry is an eigenvalue (its only
// participant) and the rest of the matrix keeps the other eigenvalues and their participations.
std::vector<Eigenmode> splitUnreadElements(const Eigen::MatrixXd& J, std::vector<int>& left) {
    std::vector<Eigenmode> split;
    for (bool found = true; found;) {
        found = false;
        for (std::size_t a = 0; a < left.size() && !found; ++a) {
            const int k = left[a];
            bool unread = true;
            for (int i : left) unread = unread && (i == k || J(i, k) == 0.0);
            if (!unread) continue;
            Eigenmode mode{Complex(J(k, k), 0.0), Eigen::VectorXd::Zero(J.rows())};
            mode.participation[k] = 1.0;
            split.push_back(mode);
            left.erase(left.begin() + static_cast<std::ptrdiff_t>(a));
            found = true;
        }
    }
    return split;
}

// Eigenvalues and normalised participation factors |v_ki * w_ik| of the elements left, on the
// matrix scaled by the elements' magnitudes (which leaves both unchanged but helps the solver).
std::vector<Eigenmode> eigenmodes(const Eigen::MatrixXd& J, const std::vector<int>& left,
                                  const Eigen::VectorXd& magnitude) {
    const int m = static_cast<int>(left.size());
    std::vector<Eigenmode> modes;
    if (m == 0) return modes;
    Eigen::MatrixXd A(m, m);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j) A(i, j) = J(left[i], left[j]) * magnitude[left[j]] / magnitude[left[i]];
    const Eigen::EigenSolver<Eigen::MatrixXd> solver(A);
    const Eigen::MatrixXcd V = solver.eigenvectors();
    const Eigen::MatrixXcd W = V.inverse();
    // Eigen's algorithms may divide by zero inside: their flags are dropped, their results
    // judged by being finite (W only where a participation needs it).
    clearFpFaults();
    if (solver.info() != Eigen::Success || !solver.eigenvalues().allFinite() || !V.allFinite())
        throw Failure("The eigenvalues of the linearised system did not converge");
    for (int i = 0; i < m; ++i) {
        Eigenmode mode{solver.eigenvalues()[i], Eigen::VectorXd::Zero(J.rows())};
        double sum = 0.0;
        for (int k = 0; k < m; ++k) sum += mode.participation[left[k]] = std::abs(V(k, i) * W(i, k));
        if (sum > 0.0 && std::isfinite(sum)) {
            mode.participation /= sum;
        } else {
            mode.participation.setZero();  // a defective eigenvalue: no participation to tell
            clearFpFaults();
        }
        modes.push_back(mode);
    }
    return modes;
}

Mode modeOf(const Eigenmode& e, double T, const DiscreteStateLayout& layout) {
    const double logMagnitude = std::log(std::abs(e.z));
    // A negative real z lies on the Nyquist frequency; its angle is taken as +pi.
    const double angle = e.z.imag() == 0.0 ? (e.z.real() < 0.0 ? std::numbers::pi : 0.0) : std::arg(e.z);
    Complex s(std::fabs(logMagnitude) < kRestLogMagnitude ? 0.0 : logMagnitude / T, angle / T);
    if (!isOscillation(s)) s.imag(0.0);
    const ModeFigures figures = modeFigures(s);
    Mode mode;
    mode.real = s.real();
    mode.imag = s.imag();
    mode.frequencyHz = figures.frequencyHz;
    mode.dampingRatio = figures.dampingRatio;
    mode.timeConstant = mode.imag == 0.0 && mode.real != 0.0 ? -1.0 / mode.real : 0.0;
    std::vector<int> order(static_cast<std::size_t>(layout.size()));
    for (int k = 0; k < layout.size(); ++k) order[static_cast<std::size_t>(k)] = k;
    std::partial_sort(order.begin(), order.begin() + 3, order.end(),
                      [&](int a, int b) { return e.participation[a] > e.participation[b]; });
    for (std::size_t i = 0; i < 3; ++i)
        if (e.participation[order[i]] > 0.0) mode.participation[i] = {layout.name(order[i]), e.participation[order[i]]};
    return mode;
}

}  // namespace

ModalResult modalAnalysis(const TParametry& record, const State& initial, double differenceStep) {
    checkRunInputs(initial, record, record.to, record.tk);
    const double h = stepLength(record.to, record.tk, record.stepCount);
    if (!(record.stepCount >= 1 && h > 0.0))
        throw Failure("A modal analysis needs a run of at least one step: its step is the system's time step");

    RunStepper run(restingRecord(record), h, record.stepCount);
    run.restAt(initial, record.to + kStepsAfterStart * h);
    const DiscreteStateLayout layout(run);
    refuseMovingState(run, layout, differenceStep);

    ModalResult result;
    const Stabilizer& stabilizer = run.stabilizer();
    result.stepsPerPeriod = stabilizer.acting() ? static_cast<int>(stabilizer.samplePeriod()) : 1;
    result.period = h * result.stepsPerPeriod;
    result.stateCount = layout.size();

    const RunState base = run.state();
    Eigen::VectorXd magnitude(layout.size());
    {
        Eigen::VectorXd x0(layout.size());
        layout.read(base, x0.data());
        for (int k = 0; k < layout.size(); ++k) magnitude[k] = std::fmax(std::fabs(x0[k]), layout.scale(k));
    }
    const Eigen::MatrixXd J = differencedMap(run, layout, base, magnitude, differenceStep, result.stepsPerPeriod);
    throwPendingFault();

    std::vector<int> left(static_cast<std::size_t>(layout.size()));
    for (int k = 0; k < layout.size(); ++k) left[static_cast<std::size_t>(k)] = k;
    std::vector<Eigenmode> all = splitUnreadElements(J, left);
    const std::vector<Eigenmode> coupled = eigenmodes(J, left, magnitude);
    all.insert(all.end(), coupled.begin(), coupled.end());
    throwPendingFault();

    const int w = DiscreteStateLayout::plantElement(kOmega), delta = DiscreteStateLayout::plantElement(kDelta);
    double largestSwing = 0.0;
    std::vector<std::pair<Mode, double>> listed;  // with the swing participation
    for (const Eigenmode& e : all) {
        if (std::abs(e.z) < kVanishingMagnitude) {
            ++result.vanishing;
            continue;
        }
        listed.emplace_back(modeOf(e, result.period, layout), e.participation[w] + e.participation[delta]);
    }
    std::stable_sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
        if (a.first.dampingRatio != b.first.dampingRatio) return a.first.dampingRatio < b.first.dampingRatio;
        return a.first.imag > b.first.imag;
    });
    const double nyquist = std::numbers::pi / result.period;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const Mode& mode = listed[i].first;
        result.modes.push_back(mode);
        if (mode.imag > 0.0 && mode.imag < nyquist && listed[i].second > largestSwing) {
            largestSwing = listed[i].second;
            result.electromechanical = static_cast<int>(i);
        }
    }
    throwPendingFault();
    return result;
}

}  // namespace tgsim
