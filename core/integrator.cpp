#include "integrator.h"

#include <cmath>
#include <new>
#include <string>

#include "cell_number.h"
#include "fp_fault.h"
#include "message_text.h"
#include "nystrom_stepper.h"
#include "stabilizer.h"
#include "state_equations.h"

namespace tgsim {
namespace {

// The refusals that leave the result matrix untouched.
void refuseUnsoundRun(const State& initialState, const TParametry& record, double tStart, double tEnd) {
    if (!(record.PrSam == "TAK") && !(record.PrSam == "NIE"))
        throw Failure("PrSam must be \"TAK\" or \"NIE\", not \"" + quotedForMessage(record.PrSam.view()) + "\"");
    if (!(tEnd >= tStart) || !std::isfinite(tStart) || !std::isfinite(tEnd))
        throw Failure("The end time tk = " + formatGeneral(tEnd) + " s lies before the start time to = " +
                      formatGeneral(tStart) + " s");
    if (record.stepCount < 0)
        throw Failure("The step count " + std::to_string(record.stepCount) + " is negative");
    if (record.stepCount > kMaxStepCount)
        throw Failure("A run of " + std::to_string(record.stepCount) + " steps is too long: the results of at most " +
                      std::to_string(kMaxStepCount) + " steps fit in memory");
    for (int k = 1; k < kStateSize; ++k)
        if (!std::isfinite(initialState[k]))
            throw Failure("Initial value " + std::to_string(k) + " is not a finite number");
    if (!(record.pssOn == "NIE") && record.pssOrder != SingleInputStabilizer::kOrder &&
        record.pssOrder != kPss2aFilterOrder)
        throw Failure("The stabilizer order " + std::to_string(record.pssOrder) + " is neither 4 nor 9");
}

// Tests the fault flags; a pending fault ends the run with its message.
void throwPendingFault() {
    if (const char* message = pendingFpFault()) throw Failure(message);
}

}  // namespace

void integrate(const State& initialState, TParametry record, ResultMatrix& results, double tStart, double tEnd,
               Progress* progress) {
    refuseUnsoundRun(initialState, record, tStart, tEnd);
    const std::int32_t N = record.stepCount;

    clearFpFaults();
    const double h = (tEnd - tStart) / (static_cast<double>(N) + 1.0);
    Stabilizer stabilizer(record, h, N);
    throwPendingFault();  // the stabilizer's discretisation, before anything is stored

    try {
        results.reset(static_cast<std::size_t>(N) + 1);
    } catch (const std::bad_alloc&) {
        throw Failure("Not enough memory for the results of " + std::to_string(N) + " steps");
    }
    State y = initialState;
    y[kT] = tStart;
    std::copy(y.begin(), y.end(), results.rowData(0));
    results.setStoredRows(1);
    if (progress) progress->setMaximum(N + 1);

    const RecordSwitches switches = switchesOf(record);
    // The stabilizer's signal enters d alfa/dt of every evaluation; the other elements add 0.
    State l{};
    auto system = [&](const State& x, State& g, double t) {
        stateEquations(x, record, switches, t, g);
        for (int k = 0; k < kStateSize; ++k) g[k] = g[k] + l[k];
    };
    NystromStepper<kStateSize> stepper;
    State next;
    double t = tStart;
    for (std::int32_t i = 1; i <= N; ++i) {
        // The stages count from the end of the interval: the first evaluates the old row at the new time.
        t = t + h;
        stepper.doStep(system, y, t, h, next);
        next[kT] = t;
        const State& g1 = stepper.firstStageDerivative();
        for (int k = kUd; k < kStateSize; ++k) next[k] = g1[k];
        throwPendingFault();  // a faulty step stores nothing

        if (next[kBeta] > record.betaMax) next[kBeta] = record.betaMax;
        if (!(next[kBeta] >= 0.0)) next[kBeta] = 0.0;
        y = next;
        std::copy(y.begin(), y.end(), results.rowData(static_cast<std::size_t>(i)));
        results.setStoredRows(static_cast<std::size_t>(i) + 1);
        if (progress) {
            progress->setPosition(i);
            // The indicator's own arithmetic is no part of the run.
            if (pendingFpFault()) clearFpFaults();
        }

        l[kAlfa] = stabilizer.stabilizerStep(y, i);
        throwPendingFault();
    }
}

}  // namespace tgsim
