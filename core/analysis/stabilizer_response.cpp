#include "stabilizer_response.h"

#include <cmath>
#include <numbers>

#include "core/analysis/linearised_map.h"
#include "core/analysis/plant_response.h"
#include "base/cell_number.h"
#include "core/analysis/discrete_state.h"
#include "base/fp_fault.h"
#include "core/analysis/modal_analysis.h"
#include "core/numerics/run_stepper.h"

namespace tgsim {

Complex swingPowerPerSpeed(const TParametry& r, double omega) {
    const double wn2 = r.omegan * r.omegan;
    const Complex torque = wn2 * Complex(r.D / r.p, 2.0 * r.J * omega / (r.p * r.p));
    const double atRest = (r.Tmr * r.nominalTorque + r.D * r.omegan) * r.omegan / r.p;
    return -(torque + atRest) / (r.Sn * r.cosfin);
}

StabilizerResponse::StabilizerResponse(const TParametry& record, const State& row) : record_(record) {
    const double h = runStep(record);
    RunStepper run(record, h, record.stepCount);
    if (!run.stabilizer().acting()) return;
    run.restAt(row, record.to + kStepsAfterStart * h);
    const DiscreteStateLayout layout(run);
    Stabilizer stabilizer(run.record(), h, record.stepCount);
    stabilizer.restAt(run.row());
    acting_ = true;
    T_ = static_cast<double>(stabilizer.samplePeriod()) * h;

    // The stabilizer's elements follow the plant's in the layout.
    constexpr int first = DiscreteStateLayout::plantElement(kStateSize);
    const int m = layout.size() - first;
    RunState base = run.state();
    base.stabilizer = stabilizer.memory();
    Eigen::VectorXd full0(layout.size());
    layout.read(base, full0.data());
    const double speed = row[kOmega] / record.omegan;
    const double power = -(row[kId] * row[kUd] + row[kIq] * row[kUq]) / record.Sn / record.cosfin;
    Eigen::VectorXd x0(m + 2), magnitude(m + 2);
    for (int i = 0; i < m; ++i) {
        x0[i] = full0[first + i];
        magnitude[i] = std::fmax(std::fabs(x0[i]), layout.scale(first + i));
        if (layout.name(first + i) == "stabilizer signal") signal_ = i;
    }
    x0[m] = speed, x0[m + 1] = power;
    magnitude[m] = std::fmax(std::fabs(speed), 1.0);
    magnitude[m + 1] = std::fmax(std::fabs(power), 1.0);

    const auto oneSample = [&](const Eigen::VectorXd& x) {
        Eigen::VectorXd full = full0;
        full.tail(m) = x.head(m);
        RunState memory = base;
        layout.write(full.data(), memory);
        stabilizer.setMemory(memory.stabilizer);
        stabilizer.sample(x[m], x[m + 1]);
        memory.stabilizer = stabilizer.memory();
        layout.read(memory, full.data());
        return Eigen::VectorXd(full.tail(m));
    };
    const Eigen::MatrixXd J = centralDifferences(oneSample, x0, magnitude, kDifferenceStep);
    if (const char* message = pendingFpFault()) throw Failure(message);
    F_ = J.leftCols(m);
    G_ = J.rightCols(2);
}

Complex StabilizerResponse::speedToSignal(double frequencyHz) const {
    if (!acting_) return 0.0;
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    const Eigen::Index m = F_.rows();
    Eigen::Vector2cd inputs(1.0, swingPowerPerSpeed(record_, omega));
    const Eigen::MatrixXcd M =
        Eigen::MatrixXcd::Identity(m, m) - std::exp(Complex(0.0, -omega * T_)) * F_.cast<Complex>();
    const Eigen::VectorXcd memory = M.partialPivLu().solve(G_.cast<Complex>() * inputs);
    const Complex signal = memory[signal_] * heldStaircaseFactor(omega, T_);
    clearFpFaults();
    if (!std::isfinite(signal.real()) || !std::isfinite(signal.imag()))
        throw Failure("The stabilizer does not settle at " + formatGeneral(frequencyHz, 6) +
                      " Hz: its filters have an undamped mode on that frequency");
    return signal;
}

}  // namespace tgsim
