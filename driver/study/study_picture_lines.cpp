#include "study_picture_lines.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/cell_number.h"

namespace tgsim {
namespace {

// The line's name: the other sweeps' headers and values ("zadanystanustalony.0 = 0,5").
std::string lineName(const StudyOptions& study, std::uint64_t point) {
    if (study.sweeps.size() == 1) return study.figureName();
    const std::vector<std::uint64_t> indices = study.indices(point);
    std::string name;
    for (std::size_t i = 1; i < study.sweeps.size(); ++i)
        name += (i > 1 ? ", " : "") + study.sweeps[i].header() + " = " + study.sweeps[i].text(indices[i]);
    return name;
}

bool drawable(double value) { return std::fabs(value) <= kLargestPictureValue; }

}  // namespace

StudyPictureLines::StudyPictureLines(const StudyOptions& study)
    : study_(study), perValue_(study.pointCount() / study.sweeps.front().count) {}

void StudyPictureLines::add(std::uint64_t point, std::optional<double> value) {
    const std::uint64_t key = point % perValue_;
    auto found = lines_.find(key);
    if (found == lines_.end()) {
        if (lines_.size() >= kMostPictureLines) return;
        found = lines_.emplace(key, Line{}).first;
        found->second.picture.name = lineName(study_, point);
    }
    Line& line = found->second;
    const Sweep& first = study_.sweeps.front();
    const std::uint64_t index = point / perValue_;
    // x is the number the cell held.
    const PicturePoint p{parseCellNumber(first.text(index)), value.value_or(0.0)};
    if (value && !(drawable(p.x) && drawable(p.y))) {
        ++valuesLeftOut_;
        value.reset();
    }
    if (!value) {
        line.broken = true;
        return;
    }
    // index * kPictureColumns cannot overflow: a study has at most kMostStudyPoints points.
    const std::uint64_t column = first.count <= kPictureColumns ? index : index * kPictureColumns / first.count;
    Column& c = line.column;
    if (c.open && c.number != column) closeColumn(line);
    if (line.broken) {
        // A gap within a column (which spans less than a pixel) breaks the line after it.
        if (!c.open && !line.picture.segments.back().empty()) line.picture.segments.emplace_back();
        if (!c.open) line.broken = false;
    }
    const Kept kept{index, p};
    if (!c.open) {
        c = {column, true, kept, kept, kept, kept};
        return;
    }
    if (p.y < c.lowest.point.y) c.lowest = kept;
    if (p.y > c.highest.point.y) c.highest = kept;
    c.last = kept;
}

void StudyPictureLines::closeColumn(Line& line) {
    Column& c = line.column;
    if (!c.open) return;
    std::array<Kept, 4> kept = {c.first, c.lowest, c.highest, c.last};
    std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.index < b.index; });
    std::vector<PicturePoint>& segment = line.picture.segments.back();
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (i == 0 || kept[i].index != kept[i - 1].index) segment.push_back(kept[i].point);
    c.open = false;
}

std::vector<PictureLine> StudyPictureLines::finish() {
    std::vector<PictureLine> lines;
    lines.reserve(lines_.size());
    for (auto& [key, line] : lines_) {
        closeColumn(line);
        lines.push_back(std::move(line.picture));
    }
    lines_.clear();
    return lines;
}

}  // namespace tgsim
