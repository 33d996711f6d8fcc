#include "axis_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tgsim::chart {
namespace {

// Labels farther from the anchor than this many steps are counted from a nearer anchor.
constexpr double kMostStepsFromAnchor = 1e9;

double magnitude(double low, double high) { return std::max(std::abs(low), std::abs(high)); }

}  // namespace

double shownValue(double value) { return std::clamp(value, -kLargestShown, kLargestShown); }

void ValueRange::include(double value) {
    if (!std::isfinite(value)) return;
    if (empty) {
        low = high = value;
        empty = false;
        return;
    }
    low = std::min(low, value);
    high = std::max(high, value);
}

void ValueRange::include(const ValueRange& other) {
    if (other.empty) return;
    include(other.low);
    include(other.high);
}

double smallestSpan(double low, double high) { return std::max(kAxisResolution * magnitude(low, high), kSmallestSpan); }

ValueRange axisRange(const ValueRange& data) {
    if (data.empty) return {0.0, 1.0, false};
    ValueRange shown{shownValue(data.low), shownValue(data.high), false};
    if (!(shown.high > shown.low)) {
        const double pad = shown.low == 0.0 ? 1.0 : std::abs(shown.low) * 0.1;
        shown = {shown.low - pad, shown.high + pad, false};
    }
    const double least = smallestSpan(shown.low, shown.high);
    if (shown.high - shown.low < least) {
        // A thousandth more than the least, which rounding of the bounds cannot eat up.
        const double centre = shown.low / 2 + shown.high / 2, half = least * 0.5005;
        shown = {centre - half, centre + half, false};
    }
    return shown;
}

double labelStep(double span, int wanted, double minimumStep) {
    if (!(span > 0.0) || wanted < 1) return std::max(minimumStep, 1.0);
    const double rough = std::min(span, std::numeric_limits<double>::max()) / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10.0 * power;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    if (!std::isfinite(step)) step = std::numeric_limits<double>::max();
    return std::max(step, minimumStep);
}

AxisTicks axisTicks(double low, double high, int wanted, double minimumStep) {
    // The finest step the range's magnitude allows, itself 1, 2 or 5 times a power of ten.
    const double finest = labelStep(kAxisResolution * magnitude(low, high), 1, 0.0);
    AxisTicks ticks;
    ticks.step = labelStep(high - low, wanted, std::max(minimumStep, finest));
    if (magnitude(low, high) / ticks.step > kMostStepsFromAnchor)
        ticks.anchor = std::floor(low / ticks.step) * ticks.step;
    return ticks;
}

}  // namespace tgsim::chart
