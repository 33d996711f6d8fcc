#include "plant_response.h"

#include <cmath>
#include <numbers>

#include "core/analysis/linearised_map.h"
#include "base/cell_number.h"
#include "core/analysis/discrete_state.h"
#include "base/fp_fault.h"
#include "core/analysis/modal_analysis.h"
#include "core/numerics/run_stepper.h"

namespace tgsim {
namespace {

void throwPendingFault() {
    if (const char* message = pendingFpFault()) throw Failure(message);
}

// Eigen's solvers may set the fault flags inside; their results are judged by being finite.
Complex settled(Complex value, double frequencyHz) {
    clearFpFaults();
    if (!std::isfinite(value.real()) || !std::isfinite(value.imag()))
        throw Failure("The machine with its shaft held does not settle at " + formatGeneral(frequencyHz, 6) +
                      " Hz: an undamped mode lies on that frequency");
    return value;
}

}  // namespace

double runStep(const TParametry& record) {
    return (record.tk - record.to) / (static_cast<double>(record.stepCount) + 1.0);
}

Complex heldStaircaseFactor(double omega, double T) {
    const Complex jwT(0.0, omega * T);
    return (1.0 - std::exp(-jwT)) / jwT;
}

HeldShaftPlant::HeldShaftPlant(const TParametry& record, const State& initial) : h_(runStep(record)), Un_(record.Un) {
    TParametry r = restingRecord(record);
    r.pssOn = false;
    r.J = kHeldInertia;
    const std::int64_t samplePeriod = stepsPerSample(h_, 0.5 / record.fn, record.stepCount);
    if (samplePeriod > record.stepCount)
        throw Failure("A frequency response needs a run that reaches the stabilizer's first sample (" +
                      std::to_string(samplePeriod) + " steps)");
    samplePeriod_ = static_cast<int>(samplePeriod);

    RunStepper run(r, h_, record.stepCount);
    run.restAt(initial, record.to + kStepsAfterStart * h_);
    const DiscreteStateLayout layout(run);
    const RunState base = run.state();
    Eigen::VectorXd full0(layout.size());
    layout.read(base, full0.data());

    // The elements left free: all but speed and load angle; then the signal and the set point.
    std::vector<int> free;
    for (int k = 1; k < kStateSize; ++k)
        if (k != kOmega && k != kDelta) free.push_back(DiscreteStateLayout::plantElement(k));
    const int n = static_cast<int>(free.size());
    Eigen::VectorXd x0(n + 2), magnitude(n + 2);
    for (int i = 0; i < n; ++i) {
        x0[i] = full0[free[i]];
        magnitude[i] = std::fmax(std::fabs(x0[i]), layout.scale(free[i]));
    }
    x0[n] = 0.0;
    magnitude[n] = 1.0 / samplePeriod_ / h_;  // moves alfa by a radian over a sample interval
    x0[n + 1] = r.Ugz;
    magnitude[n + 1] = std::fmax(std::fabs(r.Ugz), r.Un);

    const auto oneStep = [&](const Eigen::VectorXd& x) {
        Eigen::VectorXd full = full0;
        for (int i = 0; i < n; ++i) full[free[i]] = x[i];
        RunState from = base;
        layout.write(full.data(), from);
        run.setState(from);
        run.injectSignal(x[n]);
        run.setSetPoint(x[n + 1]);
        run.advanceRow();
        layout.read(run.state(), full.data());
        Eigen::VectorXd out(n);
        for (int i = 0; i < n; ++i) out[i] = full[free[i]];
        return out;
    };
    const Eigen::MatrixXd J = centralDifferences(oneStep, x0, magnitude, kDifferenceStep);
    throwPendingFault();
    A_ = J.leftCols(n);
    bSignal_ = J.col(n);
    bSetPoint_ = J.col(n + 1);

    // P = -(Id Ud + Iq Uq)/(Sn cosfin), the chart's and the stabilizer's power.
    const double ratedPower = record.Sn * record.cosfin;
    const State& x = initial;
    power_ = -(x[kId] * x[kUd] + x[kIq] * x[kUq]) / record.Sn / record.cosfin;
    c_ = Eigen::RowVectorXd::Zero(n);
    for (int i = 0; i < n; ++i) {
        const int k = free[i] + 1;  // the state index
        if (k == kId) c_[i] = -x[kUd] / ratedPower;
        if (k == kUd) c_[i] = -x[kId] / ratedPower;
        if (k == kIq) c_[i] = -x[kUq] / ratedPower;
        if (k == kUq) c_[i] = -x[kIq] / ratedPower;
    }

    Eigen::RowVectorXd cA = c_;
    Eigen::VectorXd S = Eigen::VectorXd::Zero(n);
    AN_ = Eigen::MatrixXd::Identity(n, n);
    for (int i = 0; i <= samplePeriod_; ++i) {
        cA_.push_back(cA);
        cS_.push_back((c_ * S).value());
        if (i == samplePeriod_) break;
        cA = cA * A_;
        S = A_ * S + bSignal_;
        AN_ = A_ * AN_;
    }
    SN_ = S;
    clearFpFaults();
}

Complex HeldShaftPlant::signalToPower(double frequencyHz) const {
    const double omega = 2.0 * std::numbers::pi * frequencyHz, T = samplePeriod();
    const Eigen::Index n = A_.rows();
    const Eigen::MatrixXcd M =
        std::exp(Complex(0.0, omega * T)) * Eigen::MatrixXcd::Identity(n, n) - AN_.cast<Complex>();
    const Eigen::VectorXcd X0 = M.partialPivLu().solve(SN_.cast<Complex>());
    Complex fundamental = 0.0;
    for (int i = 1; i <= samplePeriod_; ++i)
        fundamental += std::exp(Complex(0.0, -omega * i * h_)) * ((cA_[i].cast<Complex>() * X0).value() + cS_[i]);
    fundamental /= static_cast<double>(samplePeriod_);
    return settled(fundamental / heldStaircaseFactor(omega, T), frequencyHz);
}

Complex HeldShaftPlant::setPointToPower(double frequencyHz) const {
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    const Eigen::Index n = A_.rows();
    const Eigen::MatrixXcd M =
        std::exp(Complex(0.0, omega * h_)) * Eigen::MatrixXcd::Identity(n, n) - A_.cast<Complex>();
    const Eigen::VectorXcd X =
        M.partialPivLu().solve(bSetPoint_.cast<Complex>() * std::exp(Complex(0.0, omega * h_ / 2.0)));
    const Complex perVolt = (c_.cast<Complex>() * X).value();
    return settled(perVolt * Un_, frequencyHz);
}

}  // namespace tgsim
