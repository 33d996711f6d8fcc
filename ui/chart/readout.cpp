#include "readout.h"

#include <cmath>

namespace tgsim::chart {

std::optional<double> valueAt(const ChartRows& rows, int k, double t) {
    const std::size_t count = rows.size();
    if (count == 0 || !(t >= rows.time(0)) || !(t <= rows.time(count - 1))) return std::nullopt;
    // The last row whose time is not after t.
    std::size_t low = 0, high = count;
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        if (rows.time(middle) <= t)
            low = middle;
        else
            high = middle;
    }
    const double before = rows.value(k, low);
    if (!std::isfinite(before)) return std::nullopt;
    const double t0 = rows.time(low);
    if (t == t0 || low + 1 == count) return before;
    const double after = rows.value(k, low + 1);
    if (!std::isfinite(after)) return std::nullopt;
    // Weighted, not as before + w * (after - before): the difference of two values near the
    // largest double would overflow.
    const double w = (t - t0) / (rows.time(low + 1) - t0);
    return (1.0 - w) * before + w * after;
}

void readoutAt(std::span<const ReadoutLine> lines, double time, double value, Readout& out) {
    out.time = time;
    out.values.clear();
    out.nearest = -1;
    double nearestDistance = INFINITY;
    for (const ReadoutLine& line : lines) {
        const std::optional<double> read = valueAt(line.rows, line.k, time);
        if (!read) continue;
        const double distance = std::abs(*read - value);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            out.nearest = static_cast<int>(out.values.size());
        }
        out.values.push_back({line.run, line.k, *read});
    }
}

}  // namespace tgsim::chart
