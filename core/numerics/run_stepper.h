#pragma once
// One run of the integrator, step by step: the fixed-step Nystrom scheme over the state
// equations with the firing-angle limit and the stabilizer. Its whole discrete state can be
// read and set between steps, so that a run can be continued, repeated or branched from any
// point; the integrator's loop is made of these steps.
#include <cstdint>

#include "nystrom_stepper.h"
#include "core/model/parameter_record.h"
#include "core/model/stabilizer.h"
#include "core/model/state_equations.h"

namespace tgsim {

// Everything a run carries from one step to the next.
struct RunState {
    State row{};                  // the last row; element 0 its time, 11..20 the stored values
    std::int32_t step = 0;        // steps taken; the stabilizer is seeded after step 1
    StabilizerMemory stabilizer;  // its signal acts on the following steps
};

class RunStepper {
public:
    // Steps of length h in a run of `stepCount` steps (the stabilizer's sample interval is
    // counted in such steps). The stabilizer's discretisation is checked here: a fault raises
    // its Failure. The record is copied; the stepper allocates nothing.
    RunStepper(const TParametry& record, double h, std::int32_t stepCount);
    RunStepper(const RunStepper&) = delete;
    RunStepper& operator=(const RunStepper&) = delete;

    // The run at step 0: `initial` with element 0 set to tStart, the stabilizer unseeded.
    void start(const State& initial, double tStart);
    // The run resting at `row` at time t: one step past the stabilizer's seeding, the
    // stabilizer rested at the row (seeded with its speed and power, filters at rest, no
    // signal, its clock just after a sample).
    void restAt(const State& row, double t);
    RunState state() const { return {row_, step_, stabilizer_.memory()}; }
    void setState(const RunState& state);
    const State& row() const { return row_; }

    // The integrator's step from the last row: the new row, its time the old one plus h, the
    // stored values those of the first stage, the firing angle clamped. A floating-point fault
    // raises its Failure and leaves the state as it was. The fault flags are read, not cleared,
    // per step (clearing them costs a tenth of a step): start, setState and restAt clear them,
    // and a caller whose own arithmetic between steps may set them clears them too.
    const State& advanceRow();
    // The stabilizer's part of the step, after the new row has been stored (it may take a
    // sample). A fault raises its Failure.
    void runStabilizer();
    // Both.
    const State& step() {
        advanceRow();
        runStabilizer();
        return row_;
    }

    // Inputs from outside, for the analyses of an operating point: a signal in the place of the
    // stabilizer's, acting until the stabilizer's next step replaces it (with the stabilizer
    // off: until the next runStabilizer), and the voltage set point Ugz (V) from the next step on.
    void injectSignal(double signal) { signal_[kAlfa] = signal; }
    void setSetPoint(double Ugz) { record_.Ugz = Ugz; }

    const TParametry& record() const { return record_; }
    const Stabilizer& stabilizer() const { return stabilizer_; }
    double h() const { return h_; }

private:
    // The record and the vectors each step reads start cache lines of their own (as the
    // stepper's do).
    alignas(kCacheLine) TParametry record_;
    double h_;
    Stabilizer stabilizer_;
    alignas(kCacheLine) State row_{};
    std::int32_t step_ = 0;
    alignas(kCacheLine) State signal_{};  // element kAlfa the stabilizer's signal, the others 0
    NystromStepper<kStateSize> stepper_;
    alignas(kCacheLine) State next_{};
};

}  // namespace tgsim
