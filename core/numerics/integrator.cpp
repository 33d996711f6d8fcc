#include "integrator.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <new>
#include <string>

#include "base/cell_number.h"
#include "base/fp_fault.h"
#include "base/message_text.h"
#include "run_stepper.h"
#include "step_length.h"

namespace tgsim {

void checkRunInputs(const State& initialState, const TParametry& record, double tStart, double tEnd) {
    if (record.PrSam == Connection::Unrecognised)
        throw Failure("PrSam must be \"TAK\" or \"NIE\", not \"" + quotedForMessage(record.PrSamText.view()) + "\"");
    if (!(tEnd >= tStart) || !std::isfinite(tStart) || !std::isfinite(tEnd))
        throw Failure(endBeforeStartMessage(tStart, tEnd));
    if (record.stepCount < 0) throw Failure(negativeStepCountMessage(record.stepCount));
    if (record.stepCount > kMaxStepCount) throw Failure(runTooLongMessage(record.stepCount));
    for (int k = 1; k < kStateSize; ++k)
        if (!std::isfinite(initialState[k]))
            throw Failure("Initial value " + std::to_string(k) + " is not a finite number");
    if (record.pssOn && record.pssOrder != kSingleInputOrder && record.pssOrder != kPss2aOrder)
        throw Failure("The stabilizer order " + std::to_string(record.pssOrder) + " is neither 4 nor 9");
}

namespace {

// The largest magnitude in a row whose values are finite (a step that makes one that is not
// faults). Two values at a time where the processor has the instructions for it: the
// compiler may not pair maxima of doubles by itself.
inline double largestMagnitude(const State& row) {
#if defined(__SSE2__)
    const __m128d noSign = _mm_castsi128_pd(_mm_set1_epi64x(0x7fff'ffff'ffff'ffff));
    __m128d largest = _mm_and_pd(_mm_loadu_pd(&row[0]), noSign);
    for (int k = 2; k + 1 < kStateSize; k += 2)
        largest = _mm_max_pd(largest, _mm_and_pd(_mm_loadu_pd(&row[k]), noSign));
    const double pair = std::max(_mm_cvtsd_f64(largest), _mm_cvtsd_f64(_mm_unpackhi_pd(largest, largest)));
    return kStateSize % 2 ? std::max(pair, std::fabs(row[kStateSize - 1])) : pair;
#else
    double largest = 0.0;
    for (double value : row) largest = std::max(largest, std::fabs(value));
    return largest;
#endif
}

}  // namespace

void integrate(const State& initialState, TParametry record, ResultMatrix& results, double tStart, double tEnd,
               Progress* progress) {
    checkRunInputs(initialState, record, tStart, tEnd);
    const std::int32_t N = record.stepCount;

    const double h = stepLength(tStart, tEnd, N);
    RunStepper run(record, h, N);  // the stabilizer's discretisation, before anything is stored

    try {
        results.reset(static_cast<std::size_t>(N) + 1);
    } catch (const std::bad_alloc&) {
        throw Failure("Not enough memory for the results of " + std::to_string(N) + " steps");
    }
    run.start(initialState, tStart);
    std::copy(run.row().begin(), run.row().end(), results.rowData(0));
    results.setStoredRows(1);
    double largest = largestMagnitude(run.row());
    if (progress) {
        progress->setMaximum(N + 1);
        if (pendingFpFault()) clearFpFaults();  // the indicator's own arithmetic is no part of the run
    }

    for (std::int32_t i = 1; i <= N; ++i) {
        const State y = run.advanceRow();  // a faulty step stores nothing; a copy, which is stored inline
        std::copy(y.begin(), y.end(), results.rowData(static_cast<std::size_t>(i)));
        results.setStoredRows(static_cast<std::size_t>(i) + 1);
        largest = std::max(largest, largestMagnitude(y));
        results.setLargestMagnitude(largest);
        if (progress) {
            progress->setPosition(i);
            // The indicator's own arithmetic is no part of the run.
            if (pendingFpFault()) clearFpFaults();
        }
        run.runStabilizer();
    }
}

}  // namespace tgsim
