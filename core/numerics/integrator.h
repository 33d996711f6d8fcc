#pragma once
// Fixed-step six-stage fifth-order Runge-Kutta (Nystrom) integration of the state equations
// over one run, with the firing-angle limit, progress reports and the stabilizer.
#include "core/model/parameter_record.h"
#include "progress.h"
#include "result_matrix.h"
#include "step_length.h"

namespace tgsim {

// The refusals of `integrate` below that come before anything is computed: a Failure saying
// what is unsound about the run's inputs.
void checkRunInputs(const State& initialState, const TParametry& record, double tStart, double tEnd);

// Integrates record.stepCount steps from tStart towards tEnd. Row 0 of `results` is
// `initialState` with element 0 set to tStart. Refuses before integrating (Failure, `results`
// untouched) a PrSam other than "TAK" or "NIE", tEnd < tStart (or either not finite), a negative
// step count or one above kMaxStepCount, an initial value that is not finite, a stabilizer
// switched on with an order other than 4 or 9, a stabilizer whose discretisation faults, and a
// result matrix that cannot be allocated. A floating-point fault ends the run with its Failure;
// the rows stored before it stay, the faulty step's row is not stored. `progress` may be null.
void integrate(const State& initialState, TParametry record, ResultMatrix& results, double tStart, double tEnd,
               Progress* progress);

}  // namespace tgsim
