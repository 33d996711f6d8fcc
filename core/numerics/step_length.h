#pragma once
// The time step of a run: twenty steps per period of the rated frequency over the run from `to`
// to `tk`, the run of N steps storing N + 1 rows over that span.
#include <cstdint>
#include <string>

namespace tgsim {

inline constexpr double kStepsPerPeriod = 20.0;

// The largest run the result matrix may hold.
inline constexpr std::int32_t kMaxStepCount = 20'000'000;

// (tk - to) * 20 * fn rounded to the nearest integer, halves to the even neighbour. A count
// beyond the 32-bit range is refused as the integrator refuses a run it cannot hold: too long,
// an end before the start, or a negative count; a product that overflows is a count beyond
// that range. Another fault of the product raises its floating-point Failure.
std::int32_t stepCountOf(double to, double tk, double fn);

// The refusals of a step count, shared with the integrator's checks of a run.
std::string runTooLongMessage(double steps);  // above kMaxStepCount
std::string endBeforeStartMessage(double to, double tk);
std::string negativeStepCountMessage(double steps);

// The step of a run of `stepCount` steps from tStart towards tEnd: the span over stepCount + 1.
inline double stepLength(double tStart, double tEnd, std::int32_t stepCount) {
    return (tEnd - tStart) / (static_cast<double>(stepCount) + 1.0);
}

}  // namespace tgsim
