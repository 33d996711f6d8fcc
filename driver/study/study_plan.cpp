#include "study_plan.h"

#include <algorithm>

#include "base/cell_number.h"

namespace tgsim {

std::string Sweep::header() const { return grid + "." + std::to_string(column); }

double Sweep::value(std::uint64_t index) const {
    if (count <= 1 || index == 0) return from;
    if (index >= count - 1) return to;
    // A weighted mean never leaves [from, to] and never overflows, whatever their size.
    const double f = static_cast<double>(index) / static_cast<double>(count - 1);
    return std::clamp(from * (1.0 - f) + to * f, std::min(from, to), std::max(from, to));
}

std::string Sweep::text(std::uint64_t index) const { return formatGeneral(value(index)); }

std::uint64_t StudyOptions::pointCount() const {
    std::uint64_t points = 1;
    for (const Sweep& sweep : sweeps) points *= sweep.count;
    return points;
}

std::vector<std::uint64_t> StudyOptions::indices(std::uint64_t point) const {
    std::vector<std::uint64_t> result(sweeps.size());
    for (std::size_t i = sweeps.size(); i-- > 0;) {
        result[i] = point % sweeps[i].count;
        point /= sweeps[i].count;
    }
    return result;
}

}  // namespace tgsim
