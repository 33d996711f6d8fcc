#include "step_length.h"

#include <cmath>

#include "base/fp_fault.h"

namespace tgsim {

std::int32_t stepCountOf(double to, double tk, double fn) {
    const double steps = guarded([&] { return (tk - to) * kStepsPerPeriod * fn; });
    const double rounded = std::nearbyint(steps);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw Failure(kInvalidOperation);
    return static_cast<std::int32_t>(rounded);
}

}  // namespace tgsim
