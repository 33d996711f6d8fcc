#pragma once
// Fixed-step six-stage fifth-order Runge-Kutta (Nystrom) integration of the state equations
// over one run, with the firing-angle limit, progress reports and the stabilizer.
#include "parametry.h"
#include "progress.h"
#include "result_matrix.h"

namespace tgsim {

// The largest run the result matrix may hold.
inline constexpr std::int32_t kMaxStepCount = 20'000'000;

// Integrates record.stepCount steps from tStart towards tEnd. Row 0 of `results` is
// `initialState` with element 0 set to tStart. Refuses before integrating (Failure, `results`
// untouched) a PrSam other than "TAK" or "NIE", tEnd < tStart and a step count above
// kMaxStepCount. A floating-point fault ends the run with its Failure; the rows stored before
// it stay. `progress` may be null.
void integrate(const State& initialState, TParametry record, ResultMatrix& results, double tStart, double tEnd,
               Progress* progress);

}  // namespace tgsim
