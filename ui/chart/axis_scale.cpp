#include "axis_scale.h"

#include <algorithm>
#include <cmath>

namespace tgsim::chart {

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

ValueRange axisRange(const ValueRange& data) {
    if (data.empty) return {0.0, 1.0, false};
    if (data.high > data.low) return data;
    const double pad = data.low == 0.0 ? 1.0 : std::abs(data.low) * 0.1;
    return {data.low - pad, data.high + pad, false};
}

double labelStep(double span, int wanted, double minimumStep) {
    if (!(span > 0.0) || !std::isfinite(span) || wanted < 1) return std::max(minimumStep, 1.0);
    const double rough = span / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10.0 * power;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    return std::max(step, minimumStep);
}

}  // namespace tgsim::chart
