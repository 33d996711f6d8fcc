#pragma once
// The time step of a run: twenty steps per period of the rated frequency over the run from `to`
// to `tk`, the run of N steps storing N + 1 rows over that span.
#include <cstdint>

namespace tgsim {

inline constexpr double kStepsPerPeriod = 20.0;

// (tk - to) * 20 * fn rounded to the nearest integer, halves to the even neighbour. A product
// that faults raises its floating-point Failure; one beyond the 32-bit range is an invalid
// operation, as an integer conversion of the FPU reports it.
std::int32_t stepCountOf(double to, double tk, double fn);

// The step of a run of `stepCount` steps from tStart towards tEnd: the span over stepCount + 1.
inline double stepLength(double tStart, double tEnd, std::int32_t stepCount) {
    return (tEnd - tStart) / (static_cast<double>(stepCount) + 1.0);
}

}  // namespace tgsim
