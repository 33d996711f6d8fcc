#include "line_decimation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "axis_scale.h"

namespace tgsim::chart {
namespace {

struct IndexedPoint {
    std::size_t row = 0;
    LinePoint point;
};

// First, lowest, highest and last point of one column.
class Column {
public:
    void start(double id, const IndexedPoint& p) {
        id_ = id;
        first_ = lowest_ = highest_ = last_ = p;
        used_ = true;
    }
    bool holds(double id) const { return used_ && id == id_; }
    void add(const IndexedPoint& p) {
        if (p.point.y < lowest_.point.y) lowest_ = p;
        if (p.point.y > highest_.point.y) highest_ = p;
        last_ = p;
    }
    // The column's points in the order of the rows, each once.
    void flush(std::vector<LinePoint>& out) {
        if (!used_) return;
        std::array<IndexedPoint, 4> points = {first_, lowest_, highest_, last_};
        std::sort(points.begin(), points.end(), [](const auto& a, const auto& b) { return a.row < b.row; });
        for (std::size_t i = 0; i < points.size(); ++i)
            if (i == 0 || points[i].row != points[i - 1].row) out.push_back(points[i].point);
        used_ = false;
    }

private:
    double id_ = 0.0;
    IndexedPoint first_, lowest_, highest_, last_;
    bool used_ = false;
};

// The first row whose time is not below `time` (times never decrease).
std::size_t firstRowFrom(const ChartRows& rows, double time) {
    std::size_t low = 0, high = rows.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (shownValue(rows.time(middle)) < time)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

// The first row whose time lies beyond `time`.
std::size_t firstRowAfter(const ChartRows& rows, double time) {
    std::size_t low = 0, high = rows.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (shownValue(rows.time(middle)) <= time)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

}  // namespace

std::vector<LinePoint> linePoints(const ChartRows& rows, int k, const PlotWindow& window, LineDetail detail) {
    std::vector<LinePoint> out;
    if (rows.size() == 0) return out;
    const std::size_t first = firstRowFrom(rows, window.xLow);
    const std::size_t begin = first == 0 ? 0 : first - 1;
    const std::size_t end = std::min(firstRowAfter(rows, window.xHigh) + 1, rows.size());
    const auto pointOf = [&](std::size_t i, LinePoint& p) {
        p = {shownValue(rows.time(i)), rows.value(k, i)};
        if (!std::isfinite(p.y)) return false;
        p.y = shownValue(p.y);
        return true;
    };
    LinePoint p;
    if (end - begin <= detail.everyPointUpTo) {
        out.reserve(end - begin);
        for (std::size_t i = begin; i < end; ++i)
            if (pointOf(i, p)) out.push_back(p);
        return out;
    }
    // Columns are numbered as the device's pixels (times columnsPerPixel) that the chart
    // library maps the times to; a window without extent puts every row into one column.
    const double pixelsPerUnit = window.width / (window.xHigh - window.xLow);
    const bool mapped = std::isfinite(pixelsPerUnit) && pixelsPerUnit > 0.0;
    Column column;
    for (std::size_t i = begin; i < end; ++i) {
        if (!pointOf(i, p)) continue;
        const double id =
            mapped ? std::floor(((p.x - window.xLow) * pixelsPerUnit + window.left) * detail.columnsPerPixel) : 0.0;
        if (column.holds(id)) {
            column.add({i, p});
        } else {
            column.flush(out);
            column.start(id, {i, p});
        }
    }
    column.flush(out);
    return out;
}

namespace {

struct Box {
    double xLow, xHigh, yLow, yHigh;
    LinePoint clamped(LinePoint p) const { return {std::clamp(p.x, xLow, xHigh), std::clamp(p.y, yLow, yHigh)}; }
};

struct Crossing {
    double t = 0.0;  // the fraction of the way from a to b, for the order
    LinePoint point;
};

// The coordinate v of the segment's point where its other coordinate u reaches `at`, taken from
// the nearer end: a segment from near the plot to 1e300 would otherwise lose the part inside.
double across(double ua, double va, double ub, double vb, double at) {
    return std::abs(at - ua) <= std::abs(at - ub) ? va + (at - ua) / (ub - ua) * (vb - va)
                                                  : vb + (at - ub) / (ua - ub) * (va - vb);
}

// Where the segment a..b crosses the lines x = xLow, x = xHigh, y = yLow and y = yHigh, in
// order from a.
int crossings(const LinePoint& a, const LinePoint& b, const Box& box, std::array<Crossing, 4>& out) {
    int count = 0;
    const auto crossX = [&](double at) {
        if ((a.x < at && b.x > at) || (a.x > at && b.x < at))
            out[static_cast<std::size_t>(count++)] = {(at - a.x) / (b.x - a.x), {at, across(a.x, a.y, b.x, b.y, at)}};
    };
    const auto crossY = [&](double at) {
        if ((a.y < at && b.y > at) || (a.y > at && b.y < at))
            out[static_cast<std::size_t>(count++)] = {(at - a.y) / (b.y - a.y), {across(a.y, a.x, b.y, b.x, at), at}};
    };
    crossX(box.xLow);
    crossX(box.xHigh);
    crossY(box.yLow);
    crossY(box.yHigh);
    for (int i = 1; i < count; ++i)  // at most four: sorted by insertion
        for (int j = i; j > 0 && out[static_cast<std::size_t>(j)].t < out[static_cast<std::size_t>(j - 1)].t; --j)
            std::swap(out[static_cast<std::size_t>(j)], out[static_cast<std::size_t>(j - 1)]);
    return count;
}

}  // namespace

std::vector<LinePoint> clippedToMargin(const std::vector<LinePoint>& line, const PlotWindow& window) {
    const double dx = window.xHigh - window.xLow, dy = window.yHigh - window.yLow;
    const Box box{window.xLow - dx, window.xHigh + dx, window.yLow - dy, window.yHigh + dy};
    std::vector<LinePoint> out;
    out.reserve(line.size());
    // Points inside are kept as they are; points moved onto the border once each.
    const auto append = [&](const LinePoint& p) {
        const LinePoint c = box.clamped(p);
        if (c == p || out.empty() || !(out.back() == c)) out.push_back(c);
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i > 0) {
            std::array<Crossing, 4> found;
            const int count = crossings(line[i - 1], line[i], box, found);
            for (int j = 0; j < count; ++j) append(found[static_cast<std::size_t>(j)].point);
        }
        append(line[i]);
    }
    return out;
}

}  // namespace tgsim::chart
