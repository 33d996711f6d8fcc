#include "step_length.h"

#include <cmath>

#include "base/cell_number.h"
#include "base/fp_fault.h"

namespace tgsim {

std::int32_t stepCountOf(double to, double tk, double fn) {
    clearFpFaults();
    const double steps = (tk - to) * kStepsPerPeriod * fn;
    forceEvaluated(steps);
    const double rounded = std::nearbyint(steps);
    if (rounded > 2147483647.0) throw Failure(runTooLongMessage(rounded));
    throwIfFpFault(steps);
    if (rounded < -2147483648.0)
        throw Failure(tk < to ? endBeforeStartMessage(to, tk) : negativeStepCountMessage(rounded));
    return static_cast<std::int32_t>(rounded);
}

std::string runTooLongMessage(double steps) {
    const std::string count = std::isfinite(steps) ? formatGeneral(steps) : "more than 2147483647";
    return "A run of " + count + " steps is too long: the results of at most " + std::to_string(kMaxStepCount) +
           " steps fit in memory";
}

std::string endBeforeStartMessage(double to, double tk) {
    return "The end time tk = " + formatGeneral(tk) + " s lies before the start time to = " + formatGeneral(to) + " s";
}

std::string negativeStepCountMessage(double steps) { return "The step count " + formatGeneral(steps) + " is negative"; }

}  // namespace tgsim
