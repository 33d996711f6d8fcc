#include "run_stepper.h"

#include "base/fp_fault.h"

namespace tgsim {
namespace {

void throwPendingFault() {
    if (!fpFaultRaised()) return;
    if (const char* message = pendingFpFault()) throw Failure(message);
}

// The record, with the fault flags cleared so that the stabilizer's discretisation is judged alone.
const TParametry& clearedFaultsFor(const TParametry& record) {
    clearFpFaults();
    return record;
}

}  // namespace

RunStepper::RunStepper(const TParametry& record, double h, std::int32_t stepCount)
    : record_(record), h_(h), stabilizer_(clearedFaultsFor(record_), h, stepCount) {
    throwPendingFault();
}

void RunStepper::start(const State& initial, double tStart) {
    setState(RunState{initial, 0, StabilizerMemory{}});
    row_[kT] = tStart;
}

void RunStepper::restAt(const State& row, double t) {
    row_ = row;
    row_[kT] = t;
    step_ = 1;
    stabilizer_.restAt(row_);
    signal_[kAlfa] = 0.0;
    clearFpFaults();
}

void RunStepper::setState(const RunState& state) {
    row_ = state.row;
    step_ = state.step;
    stabilizer_.setMemory(state.stabilizer);
    signal_[kAlfa] = state.stabilizer.signal;
    clearFpFaults();
}

const State& RunStepper::advanceRow() {
    // The stabilizer's signal enters d alfa/dt of every evaluation; the other elements add 0.
    auto system = [this](const State& x, State& g, double t) {
        stateEquations(x, record_, t, g);
        for (int k = 0; k < kStateSize; ++k) g[k] = g[k] + signal_[k];
    };
    // The stages count from the end of the interval: the first evaluates the old row at the new time.
    const double t = row_[kT] + h_;
    stepper_.doStep(system, row_, t, h_, next_);
    next_[kT] = t;
    const State& g1 = stepper_.firstStageDerivative();
    for (int k = kUd; k < kStateSize; ++k) next_[k] = g1[k];
    throwPendingFault();  // a faulty step changes nothing

    if (next_[kBeta] > record_.betaMax) next_[kBeta] = record_.betaMax;
    if (!(next_[kBeta] >= 0.0)) next_[kBeta] = 0.0;
    row_ = next_;
    ++step_;
    return row_;
}

void RunStepper::runStabilizer() {
    signal_[kAlfa] = stabilizer_.stabilizerStep(row_, step_);
    throwPendingFault();
}

}  // namespace tgsim
